// The evaluator under every form: the interpreter's expression grammar and
// value stack, with the first 56 built-ins of the interpreter (no TYPE) and
// argument lists that end only at ")" or at the end of the text, so that
// "]" closing a form's bracketed expression never ends one. Its operands
// are the derived class's (ReportForm::ResolveOperand). Its operator
// section and VARIABLE::Error are the library's own.
#pragma once
#include "expression_evaluator.h"

class FormEvaluator : public ExpressionEvaluator {
 public:
  // The position is behind "(" and stays at the ")" that ends the list.
  // VARPTR and POKE, which take a script variable by reference, have none
  // to refer to here: 112.
  int CallBuiltin(const char* name, const char*& position) override;
};
