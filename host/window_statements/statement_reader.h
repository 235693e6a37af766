// Reading the arguments of a window statement at the interpreter's
// position: expressions separated by commas.
#pragma once
#include <cstdint>

#include "variable.h"

class Interpreter;

// Message numbers of the statements.
enum : uint32_t {
  kStatementFileMissing = 2,
  kStatementSyntax = 112,
  kStatementTypeMismatch = 113,
  kStatementNoMemory = 115,
  kStatementDuplicateLabel = 127,
  kStatementResource = 142,
  kStatementArgumentType = 146,
  kStatementModuleName = 147,
};

// count expressions, each required, separated by commas (112 for a missing
// one), pushed in order; the position is left behind the last. 0, or 1
// with the error stored and the stack as it was.
int ReadExpressions(Interpreter& interpreter, int count);
// One expression's value, copied out; the stack is left as it was.
int ReadValue(Interpreter& interpreter, VARIABLE& value);
// A comma at the position (blanks before it passed over), consumed; 112
// otherwise.
int ReadComma(Interpreter& interpreter);
// Stores the error and returns 1.
int FailStatement(Interpreter& interpreter, uint32_t error);
