// LET nameExpr, typeExpr = value   and   LET array(row[,col]) = v1, v2, ...
#include <cstring>

#include "com_bridge.h"
#include "interpreter.h"
#include "operator_lock.h"
#include "shared_variables.h"
#include "statement_text.h"

using statement_text::ReadName;
using statement_text::SkipBlanks;

namespace {

// The text before '=' of the computed-name form is evaluated from a copy of
// this size (79 characters and the zero); a longer text is refused.
const int kComputedText = 80;
const int kNameText = 64;
const uint32_t kErrorArgumentCount = 122;
const uint32_t kErrorVariableType = 146;

bool EndsArrayName(char c) { return c == '(' || c == '=' || c == ',' || c == ' '; }

// Finds the '=' that ends the target (outside quotes, at parenthesis depth
// 0) and counts the commas at depth 0 before it. Null at a statement end.
const char* FindEquals(const char* p, int& commas) {
  int depth = 0;
  bool quoted = false;
  commas = 0;
  for (; quoted ? (*p && *p != '\n') : !IsStatementEnd(*p); ++p) {
    char c = *p;
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (depth == 0 && c == ',') ++commas;
    if (depth == 0 && c == '=') return p;
  }
  return nullptr;
}

}  // namespace

int Interpreter::ExecLet() {
  const char*& p = position_;
  int commas;
  const char* equals = FindEquals(p, commas);
  if (!equals) return Fail(kEvalErrorSyntax);
  uint16_t base = Depth();
  int failed = commas == 1 ? LetComputedName(equals) : LetElements(equals);
  DropTo(base);
  return failed;
}

int Interpreter::LetComputedName(const char* equals) {
  const char*& p = position_;
  size_t length = static_cast<size_t>(equals - p);
  if (length >= static_cast<size_t>(kComputedText)) return Fail(kEvalErrorSyntax);
  char text[kComputedText];
  std::memcpy(text, p, length);
  text[length] = 0;

  uint16_t base = Depth();
  const char* q = text;
  int count = ParseArguments(q);
  if (count < 0) return 1;
  if (*q) return Fail(kEvalErrorSyntax);
  if (count != 2) return Fail(kErrorArgumentCount);
  VARIABLE* nameValue = Stack().Item(base);
  VARIABLE* typeValue = Stack().Item(base + 1);
  if (nameValue->type != VAL_STRING || typeValue->type != VAL_STRING)
    return Fail(kErrorVariableType);
  unsigned char type = typeValue->text ? VARIABLE::TypeFromLetter(typeValue->text[0]) : 255;
  if (type == 255) return Fail(kErrorVariableType);
  char name[kNameText + 1];
  std::strncpy(name, nameValue->text ? nameValue->text : "", kNameText);
  name[kNameText] = 0;

  p = equals + 1;
  if (EvaluateRequired(p)) return 1;
  VARIABLE* value = PopValue();

  bool shared = name[0] == '$';
  SharedVariablesGuard guard(shared);
  uint32_t error = 0;
  VARIABLE* v = (shared ? SharedVariables() : *variables_).FindOrCreate(name, error);
  if (!v) return Fail(error);
  unsigned e;
  {
    OperatorSection section;
    v->TYPE(type);
    v->ConvertFrom(*value);
    e = section.TakeError();
  }
  // A DISPATCH copied into the variable is one more COM user, as in v = w.
  if (v->type == VAL_DISPATCH && v->dispatch.pointer) AddDispatchUser();
  return e ? Fail(e) : 0;
}

int Interpreter::LetElements(const char* equals) {
  const char*& p = position_;
  char name[kNameText + 1];
  ReadName(p, name, sizeof name, EndsArrayName);
  if (*p != '(') return Fail(kEvalErrorSyntax);
  ++p;
  int32_t row, col;
  if (ParseIndices(p, row, col)) return 1;
  p = SkipBlanks(p);
  if (*p != '=' || p != equals) return Fail(kEvalErrorSyntax);
  ++p;

  // Dimensions and elements come from the same table: the '$' table's for
  // '$' names, else this interpreter's.
  bool shared = name[0] == '$';
  VariableTable& table = shared ? SharedVariables() : *variables_;
  uint16_t rows, cols;
  {
    SharedVariablesGuard guard(shared);
    if (!table.GetDimensions(name, rows, cols)) return Fail(kErrorArgumentCount);
  }
  // A start outside the matrix would store nothing: reported, not ignored.
  if (row < 0 || col < 0 || row >= rows || col >= cols) return Fail(kEvalErrorIndexRange);

  for (;;) {
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) return 0;
    if (*p != ',') {
      if (EvaluateRequired(p)) return 1;
      VARIABLE* value = PopValue();
      unsigned e;
      {
        SharedVariablesGuard guard(shared);
        VARIABLE* element = table.FindElement(name, row, col);
        if (!element) return Fail(kEvalErrorNotFound);  // removed meanwhile
        OperatorSection section;
        element->ConvertFrom(*value);
        e = section.TakeError();
      }
      if (e) return Fail(e);
      p = SkipBlanks(p);
      if (IsStatementEnd(*p)) return 0;
      if (*p != ',') return Fail(kEvalErrorSyntax);
    }
    ++p;
    if (++col >= cols) {
      col = 0;
      if (++row >= rows) return 0;  // elements used up: the rest is skipped
    }
  }
}
