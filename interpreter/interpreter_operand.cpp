// The interpreter's operand routine and VARPTR.
#include <cstring>

#include "interpreter.h"
#include "shared_variables.h"
#include "statement_text.h"

namespace {

// Identifiers in operands keep 64 characters, VARPTR names 32.
const int kOperandName = 64;
const int kReferenceName = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Characters that end a name in an operand, as a table: this test runs for
// every character of every name the evaluator reads.
struct OperandNameEnds {
  bool ends[256] = {};
  OperandNameEnds() {
    for (const char* c = "[]()+-*/<>=,~&|; \n"; *c; ++c) ends[static_cast<unsigned char>(*c)] = true;
    ends[0] = true;
  }
};
const OperandNameEnds kOperandNameEnds;

bool EndsOperandName(char c) { return kOperandNameEnds.ends[static_cast<unsigned char>(c)]; }

bool EndsReferenceName(char c) { return IsStatementEnd(c) || std::strchr("()+-*/<>=,", c); }

}  // namespace

using statement_text::SameTextNoCase;

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
