#include "builtin_test_support.h"

#include <gtest/gtest.h>

#include "builtin_table.h"

void VariableUpdated(VARIABLE*) {}

VARIABLE L(int32_t value) {
  VARIABLE v;
  v.SetLong(value);
  return v;
}
VARIABLE R(double value) {
  VARIABLE v;
  v.SetReal(value);
  return v;
}
VARIABLE S(const char* text) {
  VARIABLE v;
  v = text;
  return v;
}
VARIABLE B(int32_t value) {
  VARIABLE v;
  v.SetBool(value);
  return v;
}
VARIABLE N() { return VARIABLE(); }
VARIABLE M(MONEY value) {
  VARIABLE v;
  v.SetMoney(value);
  return v;
}
VARIABLE Ptr(VARIABLE& target) { return target.MakePointer(); }

std::string Outcome::Show() const {
  if (rc != 1) return "!" + std::to_string(error);
  if (pushed == 0) return "";
  std::string letter(1, "NLRSBPVOMDITG"[result.type]);
  if (result.type == VAL_STRING) return letter + ":" + (result.text ? result.text : "");
  char buffer[kValueTextSize];
  return letter + ":" + result.GetText(buffer, sizeof buffer, 1);
}

namespace {

Outcome Finish(ValueStack& stack, int rc, uint32_t error, int base) {
  Outcome out;
  out.rc = rc;
  out.error = error;
  out.pushed = stack.Top() - base;
  if (out.pushed > 0) out.result.Assign(*stack.Peek(-1));
  return out;
}

}  // namespace

Outcome Call(const char* name, const std::vector<VARIABLE>& args) {
  ValueStack stack(64);
  for (const VARIABLE& a : args) stack.Push(&a);
  uint32_t error = 0;
  const BuiltinTable& table = InterpreterBuiltins();
  BuiltinName found = FindBuiltin(table, name);
  int count = static_cast<int>(args.size()), rc;
  if (found.convertTo)
    rc = RunConversion(table, stack, error, found.convertTo, count);
  else
    rc = RunBuiltin(table, stack, error, found.entry, count);
  return Finish(stack, rc, error, 0);
}

Outcome Assign(const char* name, VARIABLE& target, const std::vector<VARIABLE>& args,
               const VARIABLE& value) {
  ValueStack stack(64);
  stack.Push(&value);
  VARIABLE pointer = target.MakePointer();
  stack.Push(&pointer);
  for (const VARIABLE& a : args) stack.Push(&a);
  uint32_t error = 0;
  int entry = std::string(name) == "MID" ? kBuiltinMidAssign : kBuiltinPokeAssign;
  int count = static_cast<int>(args.size()) + 1;
  int rc = RunBuiltin(InterpreterBuiltins(), stack, error, entry, count);
  return Finish(stack, rc, error, 0);
}

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases)
    EXPECT_EQ(Call(c.name, c.args).Show(), c.expect) << c.name << " case " << (&c - &cases[0]);
}
