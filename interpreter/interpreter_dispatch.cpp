// DISPATCH values in scripts: member chains in expressions, statements and
// SET, and the COM user count kept by SET, ERASE and DIM. The calls
// themselves are the automation bridge's (com_bridge.h).
#include <cstring>

#include "com_bridge.h"
#include "interpreter.h"
#include "operator_lock.h"
#include "shared_variables.h"

namespace {

bool EndsMemberName(char c) {
  return IsStatementEnd(c) || c == ' ' || c == '.' || std::strchr("[]()+-*/<>=,~&|", c);
}

// The description of a server exception, or NULL for a 151 without one.
// The `$` table's guard is taken only here, never across Invoke, which may
// run long and pump messages.
void StoreErrorText(const VARIABLE& text) {
  SharedVariablesGuard guard;
  uint32_t error = 0;
  VARIABLE* v = SharedVariables().FindOrCreate("$ERRTXT", error);
  if (!v) return;
  OperatorSection section;
  v->Assign(text);
  section.TakeError();
}

}  // namespace

const char* Interpreter::ReadMemberName(const char* p, char (&name)[kMemberName + 1]) {
  int n = 0;
  for (; !EndsMemberName(*p); ++p)
    if (n < kMemberName) name[n++] = *p;
  name[n] = 0;
  return p;
}

int Interpreter::WalkDispatch(VARIABLE& object, DispatchMember& member, const char*& p) {
  for (;;) {
    member.bracket = 0;
    member.count = 0;
    if (*p == '(' || *p == '[') {
      member.bracket = *p++;
      member.count = ParseArguments(p);
      if (member.count < 0) return 1;
      if (*p != (member.bracket == '(' ? ')' : ']')) return Fail(kEvalErrorSyntax);
      ++p;
    }
    if (*p != '.') return 0;
    // Not the last member: read as a property whatever its brackets. A
    // result that is no DISPATCH fails at the next member (153).
    if (CallMember(object, member.name, member.count, kDispatchGet)) return 1;
    object.Assign(*PopValue());
    p = ReadMemberName(p + 1, member.name);
  }
}

int Interpreter::CallMember(const VARIABLE& object, const char* member, int count, unsigned short kind) {
  VARIABLE text;
  uint16_t base = count <= Depth() ? static_cast<uint16_t>(Depth() - count) : Depth();
  unsigned e = CallDispatch(stack_, object, member, count, static_cast<DispatchKind>(kind), &text);
  if (!e) return 0;
  if (e == kComErrorUnknown) StoreErrorText(text);
  DropTo(base);  // the NULL pushed for a failed Invoke: a failure leaves nothing
  return Fail(e);
}

int Interpreter::DispatchOperand(const VARIABLE& object, const char* member, const char*& p) {
  // On a copy: a handler run while Invoke pumps messages may change or
  // erase the variable itself.
  VARIABLE copy;
  copy.Assign(object);
  DispatchMember last;
  std::strncpy(last.name, member, kMemberName);
  last.name[kMemberName] = 0;
  if (WalkDispatch(copy, last, p)) return 1;
  return CallMember(copy, last.name, last.count, last.bracket == '(' ? kDispatchMethod : kDispatchGet);
}

int Interpreter::SetFromCreateObject(VARIABLE& target, const char* progId) {
  return CreateObject(progId, target) ? 0 : static_cast<int>(kComErrorCreate);
}

int Interpreter::SetFromMember(VARIABLE& target, const char*& position) {
  uint16_t base = Depth();
  if (EvaluateOperand(position)) return error_;
  if (Depth() == base) return kEvalErrorSyntax;
  VARIABLE* value = PopValue();
  if (value->type == VAL_DISPATCH && value->dispatch.pointer && !AddDispatchUser()) return kComErrorCreate;
  unsigned e;
  {
    OperatorSection section;
    target.ConvertFrom(*value);
    e = section.TakeError();
  }
  return e;
}

void Interpreter::ReleaseDispatchValue(VARIABLE& value) {
  // Only a value that held an interface was counted (DIM DISPATCH X makes
  // an empty one): releasing an empty one must not uninitialise COM under
  // the values that are still alive.
  if (value.type == VAL_DISPATCH && value.dispatch.pointer) {
    ReleaseDispatch(value);
    return;
  }
  value.Clear();
  value.TYPE(VAL_NULL);
}
