// FREE item, ... (empty a value, keep the variable) and DELAY milliseconds.
#include "interpreter.h"
#include "shared_variables.h"
#include "statement_text.h"

using statement_text::ReadName;
using statement_text::SkipBlanks;

namespace {

const int kNameText = 64;

bool EndsFreeItem(char c) { return c == '(' || c == ',' || c == ' '; }

}  // namespace

uint32_t DelayMilliseconds(const VARIABLE& value, DWORD& milliseconds) {
  // A negative count would reach Sleep as a huge one (-1 is INFINITE).
  const double kLongest = 2147483647.0;
  milliseconds = 0;
  if (value.type == VAL_LONG) {
    if (value.lng > 0) milliseconds = static_cast<DWORD>(value.lng);
  } else if (value.type == VAL_REAL) {
    if (value.real >= kLongest)
      milliseconds = static_cast<DWORD>(kLongest);
    else if (value.real >= 1.0)
      milliseconds = static_cast<DWORD>(value.real);  // toward zero
  } else {
    return kEvalErrorBadType;
  }
  return 0;
}

int Interpreter::ExecFree() {
  const char*& p = position_;
  for (;;) {
    char name[kNameText + 1];
    if (ReadName(p, name, sizeof name, EndsFreeItem) == 0) return Fail(kEvalErrorSyntax);
    bool shared = name[0] == '$';
    uint32_t error = 0;
    if (*p == '(') {
      ++p;
      int32_t row, col;
      if (ParseIndices(p, row, col)) return 1;
      SharedVariablesGuard guard(shared);
      VARIABLE* element = (shared ? SharedVariables() : *variables_).GetElement(name, row, col, error);
      if (!element) return Fail(error);
      element->Clear();
    } else {
      SharedVariablesGuard guard(shared);
      VARIABLE* v = (shared ? SharedVariables() : *variables_).FindOrCreate(name, error);
      if (!v) return Fail(error);
      v->Clear();
    }
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) return 0;
    if (*p != ',') return Fail(kEvalErrorSyntax);
    p = SkipBlanks(p + 1);
  }
}

int Interpreter::ExecDelay() {
  const char*& p = position_;
  if (EvaluateRequired(p)) return 1;
  VARIABLE* value = PopValue();
  DWORD milliseconds;
  uint32_t e = DelayMilliseconds(*value, milliseconds);
  if (e) return Fail(e);
  Sleep(milliseconds);
  return 0;
}
