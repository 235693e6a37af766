// CALC(text): a text evaluated as a condition expression (terms joined by
// AND and OR, NOT, parentheses) in the calling script's variables. A
// failure is shown in an OK/Cancel box: OK gives NULL, Cancel fails CALC.
#include <string>

#include "operator_lock.h"
#include "statement_text.h"
#include "wennic.h"
#include "window_builtin_entries.h"
#include "window_interpreter.h"

namespace {

// ERRBOX: the text as string argument, OK and Cancel.
const int kCalcBoxFlags = 0x03000001;

// The value of the whole text pushed (0), or the error number with the
// stack back where it was.
uint32_t Evaluate(WindowInterpreter& interpreter, const char* text) {
  uint16_t base = interpreter.Depth();
  const char* p = text;
  uint32_t error = 0;
  if (interpreter.ParseCondition(p))
    error = interpreter.GetError();
  else if (*SkipBlanks(p) != '\0')
    error = kEvalErrorSyntax;  // more text behind a whole expression
  if (!error) return 0;
  interpreter.DropTo(base);
  // A text cut short is a syntax error of that text, not of the script.
  return error == kEvalErrorUnexpectedEnd ? kEvalErrorSyntax : error;
}

}  // namespace

bool RunCalc(WindowBuiltinFrame& f) {
  const char* argument;
  if (!f.PopText(argument)) return false;
  std::string text = argument;  // its stack slot is reused by the evaluation
  if (*SkipBlanks(text.c_str()) == '\0') return true;  // NULL

  WindowInterpreter& interpreter = f.Interpreter();
  uint32_t error = Evaluate(interpreter, text.c_str());
  if (!error) {
    f.Result().Assign(*interpreter.PopValue());
    return true;
  }
  int answer = ERRBOX(f.Window(), static_cast<int>(error), kCalcBoxFlags, text.c_str());
  interpreter.SetError(0);
  { OperatorSection clear; }  // clears VARIABLE::Error as well
  if (answer != IDOK) return f.Fail(kWindowErrorGeneral);
  return true;
}
