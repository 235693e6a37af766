// Assignment targets: scalar, array element, MID/POKE, object member.
#include <cstring>

#include "builtin_table.h"
#include "com_bridge.h"
#include "interpreter.h"
#include "operator_lock.h"
#include "shared_variables.h"
#include "statement_text.h"

namespace {

const CharacterSet kTargetNameEnds("[(+-*/<>=\n ");

bool EndsTargetName(char c) { return kTargetNameEnds.Has(c); }

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
  // A value that owns nothing, stored over one that holds no interface,
  // copies without any way to fail.
  if (ValueStack::IsPlain(value.type) && !target->links && target->type != VAL_DISPATCH) {
    target->Assign(value);
    return 0;
  }
  // A DISPATCH copied into a variable is one more COM user, so that an ERASE
  // of one copy cannot uninitialise COM under the other. The user is added
  // before the store and the replaced interface given back after it, so the
  // count never touches 0 in between (as in d = d).
  if (value.type == VAL_DISPATCH && value.dispatch.pointer && !AddDispatchUser())
    return Fail(kEvalErrorObjectInit);
  VARIABLE replaced;
  if (target->type == VAL_DISPATCH) replaced.Assign(*target);
  unsigned e;
  {
    OperatorSection section;
    target->Assign(value);
    e = section.TakeError();
  }
  if (replaced.type == VAL_DISPATCH) ReleaseDispatchValue(replaced);
  return e ? Fail(e) : 0;
}

const char* Interpreter::ReadTargetName(const char* p, char (&name)[kTargetName + 1],
                                        const char*& members) {
  int n = 0;
  members = nullptr;
  for (; !EndsTargetName(*p); ++p) {
    if (*p == '.' && !members) members = p + 1;
    if (!members && n < kTargetName) name[n++] = *p;
  }
  name[n] = 0;
  return p;
}

int Interpreter::Assign(const char* target) {
  const char* p = target;
  if (*p == '"' || (*p >= '0' && *p <= '9')) return Fail(kEvalErrorAssignToConstant);
  char name[kTargetName + 1];
  const char* members;
  p = ReadTargetName(p, name, members);
  if (name[0] == 0) return Fail(kEvalErrorSyntax);
  if (members) return AssignMember(name, members);
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

int Interpreter::AssignMember(const char* object, const char* p) {
  VARIABLE* v = variables_->Find(object);
  if (!v) return Fail(kEvalErrorNotFound);
  if (v->type != VAL_DISPATCH) return Fail(kEvalErrorSyntax);
  // The value comes off first: the walk's own arguments go above it.
  VARIABLE value;
  VARIABLE* top = PopValue();
  if (!top) return 1;
  value.Assign(*top);
  VARIABLE copy;
  copy.Assign(*v);
  DispatchMember last;
  p = ReadMemberName(p, last.name);
  if (WalkDispatch(copy, last, p)) return 1;
  if (*SkipBlanks(p) != '=') return Fail(kEvalErrorSyntax);
  // v.A(args) = x calls A with its arguments only; v.A = x and v.A[args] = x
  // set the property with the value as the last argument.
  int count = last.count;
  unsigned short kind = kDispatchMethod;
  if (last.bracket != '(') {
    if (PushValue(value)) return 1;
    ++count;
    kind = kDispatchPut;
  }
  if (CallMember(copy, last.name, count, kind)) return 1;
  PopValue();  // a put's or method's result is not wanted
  return 0;
}

int Interpreter::ExecAssignment(const char* target, const char*& p) {
  uint16_t base = Depth();
  const char* behind = p;
  VARIABLE* self = SelfJoinTarget(target, behind);
  if (self && StandFor(self)) {
    p = behind;
    return ExecGrowingAssignment(target, p, base);
  }
  int failed = Evaluate(p);
  if (!failed && Depth() == base) failed = FailMissing(p);
  if (!failed) failed = Assign(target);
  DropTo(base);
  return failed;
}
