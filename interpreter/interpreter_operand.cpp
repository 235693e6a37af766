// The interpreter's operand routine and VARPTR.
#include <cstring>

#include "interpreter.h"
#include "shared_variables.h"

namespace {

// Identifiers in operands keep 64 characters, VARPTR names 32.
const int kOperandName = 64;
const int kReferenceName = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EndsOperandName(char c) {
  return IsStatementEnd(c) || c == ' ' || std::strchr("[]()+-*/<>=,~&|", c);
}

bool EndsReferenceName(char c) { return IsStatementEnd(c) || std::strchr("()+-*/<>=,", c); }

bool SameTextNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
    if (!x) return true;
  }
}

}  // namespace

int Interpreter::EvaluateOperand(const char*& p) {
  char c = *p;
  if (c == '"' || IsDigit(c) || (c == '&' && (p[1] == 'H' || p[1] == 'B' || p[1] == 'O')))
    return ParseLiteral(p);

  // name, or object.member; a second '.' ends it (the rest is the chain).
  char name[kOperandName + 1], member[kOperandName + 1];
  int n = 0, m = 0;
  bool isMember = false;
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
  if (isMember) return MemberOperand(name, member, p);
  if (n == 0) return 0;  // empty operand: nothing pushed
  if (*p != '(') return PushScalar(name);

  ++p;
  if (std::strchr(name, '!')) return LibraryCallOperand(name, nullptr, p);
  if (SameTextNoCase(name, "VARPTR")) return ParseReference(p) ? 1 : CloseCall(p);
  const char* arguments = p;
  int ran = CallBuiltin(name, p);
  if (ran > 0) return CloseCall(p);
  if (ran == 0) return 1;
  p = arguments;
  return PushElement(name, p);
}

int Interpreter::PushScalar(const char* name) {
  if (std::strcmp(name, "TRUE") == 0) return PushBool(1);
  if (std::strcmp(name, "FALSE") == 0) return PushBool(0);
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
  // Member calls need the automation bridge; until it is built such values
  // cannot be made, and the access is refused.
  if (v->type == VAL_DISPATCH) return Fail(kEvalErrorObjectInit);
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
