// DIM [TYPE] name, name(rows[,cols]), ... and REDIM name(rows[,cols]), ...
#include <cstring>

#include "interpreter.h"
#include "keyword_list.h"
#include "shared_variables.h"
#include "statement_text.h"

using statement_text::ReadName;
using statement_text::SkipBlanks;

namespace {

// Longest type name is "DISPATCH"; a longer first word is no type word.
const int kTypeWord = 16;
// Room for a name as written; only its first 8 characters count as the key.
const int kNameText = 64;

bool EndsTypeWord(char c) { return c == '(' || c == ' '; }
bool EndsDimName(char c) { return c == ' ' || c == ',' || c == '('; }
bool EndsRedimName(char c) { return c == '('; }

// The declared type when the first word is a type name not followed by
// '(' (the position then moves behind it), else NULL (position unchanged).
unsigned char ReadTypeWord(const char*& p) {
  const char* q = p;
  char word[kTypeWord + 1];
  int n = 0;
  for (; !IsStatementEnd(*q) && !EndsTypeWord(*q); ++q) {
    if (n == kTypeWord) return VAL_NULL;
    word[n++] = *q;
  }
  word[n] = 0;
  if (*q == '(' || KeywordIndex(kVariableTypeNames, word) == 0) return VAL_NULL;
  p = SkipBlanks(q);
  return VARIABLE::TypeFromName(word);
}

}  // namespace

// Matrix dimensions are 16-bit: larger or negative counts are refused
// rather than cut (DIM A(70000) must not quietly make 4464 rows).
static bool FitsMatrix(int32_t rows, int32_t cols) {
  return rows >= 0 && rows <= 0xFFFF && cols >= 0 && cols <= 0xFFFF;
}

int Interpreter::ExecDim() {
  const char*& p = position_;
  unsigned char type = ReadTypeWord(p);
  if (IsStatementEnd(*p)) return 0;
  for (;;) {
    char name[kNameText + 1];
    if (ReadName(p, name, sizeof name, EndsDimName) == 0) return Fail(kEvalErrorSyntax);
    bool shared = name[0] == '$';
    uint32_t error = 0;
    if (*p == '(') {
      ++p;
      int32_t rows, cols;
      if (ParseIndices(p, rows, cols)) return 1;
      if (!FitsMatrix(rows, cols)) return Fail(kEvalErrorIndexRange);
      SharedVariablesGuard guard(shared);
      VariableTable& table = shared ? SharedVariables() : *variables_;
      if (!table.DeclareArray(name, static_cast<uint16_t>(rows), static_cast<uint16_t>(cols), type,
                              error))
        return Fail(error);
    } else {
      SharedVariablesGuard guard(shared);
      VARIABLE* v = ResolveScalar(name, error);
      if (!v) return Fail(error);
      // A variable that existed gives back what it held (text, DISPATCH
      // reference, IMAGE block) before it takes the declared type empty.
      if (v->type == VAL_DISPATCH)
        ReleaseDispatchValue(*v);
      else
        v->Clear();
      std::memset(v->raw, 0, sizeof v->raw);
      v->type = type;
    }
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) return 0;
    if (*p != ',') return Fail(kEvalErrorSyntax);
    p = SkipBlanks(p + 1);
    if (IsStatementEnd(*p)) return Fail(kEvalErrorSyntax);
  }
}

int Interpreter::ExecRedim() {
  const char*& p = position_;
  for (;;) {
    char name[kNameText + 1];
    ReadName(p, name, sizeof name, EndsRedimName);
    if (*p != '(') return Fail(kEvalErrorSyntax);
    ++p;
    int32_t rows, cols;
    if (ParseIndices(p, rows, cols)) return 1;
    if (!FitsMatrix(rows, cols)) return Fail(kEvalErrorIndexRange);
    bool shared = name[0] == '$';
    uint32_t error = 0;
    {
      SharedVariablesGuard guard(shared);
      VariableTable& table = shared ? SharedVariables() : *variables_;
      if (!table.ResizeArray(name, static_cast<uint16_t>(rows), static_cast<uint16_t>(cols), error))
        return Fail(error);
    }
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) return 0;
    if (*p != ',') return Fail(kEvalErrorSyntax);
    p = SkipBlanks(p + 1);
  }
}
