// Assignment targets: scalar, array element, MID/POKE, object member.
#include <cstring>

#include "builtin_table.h"
#include "interpreter.h"
#include "operator_lock.h"
#include "shared_variables.h"

namespace {

const int kTargetName = 32;

bool EndsTargetName(char c) {
  return c == 0 || c == '\n' || c == ' ' || std::strchr("[(+-*/<>=", c);
}

bool IsBuiltinTarget(const char* name, const char* word) {
  for (; *word; ++name, ++word) {
    char c = *name;
    if (c >= 'a' && c <= 'z') c -= 32;
    if (c != *word) return false;
  }
  return *name == 0;
}

}  // namespace

int Interpreter::StoreScalarMoving(VARIABLE* target, VARIABLE* value) {
  // A popped text moves into a variable that holds a text or a plain value
  // (what the variable held goes to the dead stack slot); everything else
  // is copied as usual.
  if (value->type == VAL_STRING && !target->links &&
      (target->type == VAL_STRING || ValueStack::IsPlain(target->type))) {
    ValueStack::SwapPayloads(*target, *value);
    return 0;
  }
  return StoreScalar(target, *value);
}

int Interpreter::StoreScalar(VARIABLE* target, const VARIABLE& value) {
  // A value that owns nothing copies without any way to fail.
  if (ValueStack::IsPlain(value.type) && !target->links) {
    target->Assign(value);
    return 0;
  }
  unsigned e;
  {
    OperatorSection section;
    target->Assign(value);
    e = section.TakeError();
  }
  return e ? Fail(e) : 0;
}

int Interpreter::Assign(const char* target) {
  const char* p = target;
  if (*p == '"' || (*p >= '0' && *p <= '9')) return Fail(kEvalErrorAssignToConstant);
  char name[kTargetName + 1];
  int n = 0;
  bool member = false;
  for (; !EndsTargetName(*p); ++p) {
    if (*p == '.' && !member) member = true;
    if (!member && n < kTargetName) name[n++] = *p;
  }
  name[n] = 0;
  if (n == 0) return Fail(kEvalErrorSyntax);
  if (member) return AssignMember(name);
  if (*p == '(') {
    if (IsBuiltinTarget(name, "MID") || IsBuiltinTarget(name, "POKE"))
      return AssignThroughBuiltin(name, p + 1);
    return AssignElement(name, p + 1);
  }

  VARIABLE* value = PopValue();
  if (!value) return 1;
  SharedVariablesGuard guard(name[0] == '$');
  uint32_t error = 0;
  VARIABLE* v = ResolveScalar(name, error);
  if (!v) return Fail(error);
  return StoreScalarMoving(v, value);
}

int Interpreter::AssignElement(const char* name, const char* p) {
  // The indices go on top of the value and come off again first.
  int32_t row, col;
  if (ParseIndices(p, row, col)) return 1;
  VARIABLE* value = PopValue();
  if (!value) return 1;
  bool shared = name[0] == '$';
  SharedVariablesGuard guard(shared);
  uint32_t error = 0;
  // An index outside the matrix stores nothing (117).
  VARIABLE* v = (shared ? SharedVariables() : *variables_).GetElement(name, row, col, error);
  if (!v) return Fail(error);
  return StoreScalar(v, *value);
}

int Interpreter::AssignThroughBuiltin(const char* name, const char* p) {
  // MID(reference, arguments) = value: the value stays below the reference
  // and the arguments for the built-in's assignment form.
  if (ParseReference(p)) return 1;
  int count = 0;
  if (*p == ',') {
    ++p;
    count = ParseArguments(p);
    if (count < 0) return 1;
  }
  if (CloseCall(p)) return 1;
  bool mid = IsBuiltinTarget(name, "MID");
  return EvaluateBuiltin(mid ? kBuiltinMidAssign : kBuiltinPokeAssign, count + 1) == 1 ? 0 : 1;
}

int Interpreter::AssignMember(const char* object) {
  VARIABLE* v = variables_->Find(object);
  if (!v) return Fail(kEvalErrorNotFound);
  if (v->type != VAL_DISPATCH) return Fail(kEvalErrorSyntax);
  // Property stores go through the automation bridge, not built yet.
  return Fail(kEvalErrorObjectInit);
}

int Interpreter::ExecAssignment(const char* target, const char*& p) {
  uint16_t base = Depth();
  int failed = Evaluate(p);
  if (!failed && Depth() == base) failed = FailMissing(p);
  if (!failed) failed = Assign(target);
  DropTo(base);
  return failed;
}
