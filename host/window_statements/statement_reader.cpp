#include "statement_reader.h"

#include "interpreter.h"
#include "statement_text.h"

int FailStatement(Interpreter& interpreter, uint32_t error) {
  interpreter.SetError(error);
  return 1;
}

int ReadComma(Interpreter& interpreter) {
  const char* p = SkipBlanks(interpreter.Position());
  if (*p != ',') return FailStatement(interpreter, kStatementSyntax);
  interpreter.SetPosition(p + 1);
  return 0;
}

int ReadExpressions(Interpreter& interpreter, int count) {
  uint16_t base = interpreter.Depth();
  for (int i = 0; i < count; ++i) {
    const char* p = interpreter.Position();
    bool failed = (i > 0 && ReadComma(interpreter)) ||
                  interpreter.EvaluateRequired(p = interpreter.Position());
    if (failed) {
      interpreter.DropTo(base);
      return 1;
    }
    interpreter.SetPosition(p);
  }
  return 0;
}

int ReadValue(Interpreter& interpreter, VARIABLE& value) {
  if (ReadExpressions(interpreter, 1)) return 1;
  value.Assign(*interpreter.PopValue());
  return 0;
}
