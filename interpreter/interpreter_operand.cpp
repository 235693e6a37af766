// The interpreter's operand routine and VARPTR.
#include <cstring>

#include "interpreter.h"
#include "shared_variables.h"
#include "statement_text.h"

namespace {

// VARPTR names keep 32 characters (operand names 64).
const int kReferenceName = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Characters that end a name in an operand.
const CharacterSet kOperandNameEnds("[]()+-*/<>=,~&|; \n");

bool EndsOperandName(char c) { return kOperandNameEnds.Has(c); }

bool EndsReferenceName(char c) { return IsStatementEnd(c) || std::strchr("()+-*/<>=,", c); }

}  // namespace

using statement_text::SameTextNoCase;

bool Interpreter::StartsLiteral(const char* p) {
  char c = *p;
  return c == '"' || IsDigit(c) || (c == '&' && (p[1] == 'H' || p[1] == 'B' || p[1] == 'O'));
}

const char* Interpreter::ReadOperandName(const char* p, OperandName& name, OperandName& member,
                                         bool& isMember) {
  // name, or object.member; a second '.' ends it (the rest is the chain).
  int n = 0, m = 0;
  isMember = false;
  for (; !EndsOperandName(*p); ++p) {
    if (*p == '.') {
      if (isMember) break;
      isMember = true;
    } else if (isMember) {
      if (m < kOperandName) member[m++] = *p;
    } else if (n < kOperandName) {
      name[n++] = *p;
    }
  }
  name[n] = 0;
  member[m] = 0;
  return p;
}

bool Interpreter::IsConstantName(const char* name) {
  if (name[0] == 'T') return name[1] == 'R' && name[2] == 'U' && name[3] == 'E' && !name[4];
  return name[0] == 'F' && std::strcmp(name + 1, "ALSE") == 0;
}

int Interpreter::EvaluateOperand(const char*& p) {
  if (StartsLiteral(p)) return ParseLiteral(p);

  OperandName name, member;
  bool isMember;
  p = ReadOperandName(p, name, member, isMember);
  // Object members, library calls and the window's built-ins may run code
  // that changes a growing assignment's target: it is copied out first.
  if (isMember) return SettleBeforeCall() || MemberOperand(name, member, p);
  if (name[0] == 0) return 0;  // empty operand: nothing pushed
  if (*p != '(') return PushScalar(name);

  ++p;
  if (std::strchr(name, '!')) return SettleBeforeCall() || LibraryCallOperand(name, nullptr, p);
  if (SameTextNoCase(name, "VARPTR")) return ParseReference(p) ? 1 : CloseCall(p);
  if (appendTarget_ && !IsPlainBuiltin(name) && SettleAppend()) return 1;
  const char* arguments = p;
  int ran = CallBuiltin(name, p);
  if (ran > 0) return CloseCall(p);
  if (ran == 0) return 1;
  p = arguments;
  return PushElement(name, p);
}

int Interpreter::SettleBeforeCall() { return appendTarget_ ? SettleAppend() : 0; }

int Interpreter::PushScalar(const char* name) {
  if (IsConstantName(name)) return PushBool(name[0] == 'T');
  SharedVariablesGuard guard(name[0] == '$');
  uint32_t error = 0;
  VARIABLE* v = ResolveScalar(name, error);
  if (!v) return Fail(error);
  return PushValue(*v);
}

int Interpreter::PushElement(const char* name, const char*& p) {
  int32_t row, col;
  if (ParseIndices(p, row, col)) return 1;
  bool shared = name[0] == '$';
  SharedVariablesGuard guard(shared);
  uint32_t error = 0;
  VARIABLE* v = (shared ? SharedVariables() : *variables_).GetElement(name, row, col, error);
  if (!v) return Fail(error);
  return PushValue(*v);
}

int Interpreter::MemberOperand(const char* object, const char* member, const char*& p) {
  VARIABLE* v = variables_->Find(object);
  if (!v) return Fail(kEvalErrorNotFound);
  if (v->type == VAL_DISPATCH) return DispatchOperand(*v, member, p);
  if (v->type == VAL_OBJECT) return ObjectMemberOperand(*v, member, p);
  return Fail(kEvalErrorNoObject);
}

int Interpreter::ParseReference(const char*& p) {
  if (*p == '"' || IsDigit(*p)) return Fail(kEvalErrorPointerToConstant);
  char name[kReferenceName + 1];
  int n = 0;
  for (; !EndsReferenceName(*p); ++p)
    if (n < kReferenceName) name[n++] = *p;
  name[n] = 0;
  if (n == 0) return Fail(kEvalErrorSyntax);

  bool shared = name[0] == '$';
  uint32_t error = 0;
  VARIABLE* target;
  if (*p == '(') {
    ++p;
    int32_t row, col;
    if (ParseIndices(p, row, col)) return 1;
    SharedVariablesGuard guard(shared);
    target = (shared ? SharedVariables() : *variables_).GetElement(name, row, col, error);
    if (!target) return Fail(error);
    return PushValue(target->MakePointer());
  }
  if (*p != ')' && *p != ',') return Fail(kEvalErrorIndexNotLong);
  SharedVariablesGuard guard(shared);
  target = ResolveScalar(name, error);
  if (!target) return Fail(error);
  return PushValue(target->MakePointer());
}
