// The expression grammar, by recursive descent straight over the loaded
// script text (no tokens, no tree). Operands come from the virtual
// EvaluateOperand, so another operand routine can reuse the grammar.
//
//   comparison := additive { ('<' | '>' | '=') ['>' | '='] additive }
//   additive   := term { ('+' | '-') term }
//   term       := unary { ('*' | '/' | '&' | '|') unary }   ("&&", "||" end it)
//   unary      := '(' comparison ')' | ('-' | '~' | '!') unary | operand
//
// Blanks before an operator character and before an operand are skipped.
// Every routine stops at the text's terminating zero.
#pragma once
#include <cstdint>

#include "evaluator_base.h"

// NUL, newline and ';' end a statement.
inline bool IsStatementEnd(char c) { return c == 0 || c == '\n' || c == ';'; }

class ExpressionEvaluator : public EvaluatorBase {
 public:
  // 1 when the built-in ran and pushed its result, 0 when it failed (error
  // set), below 0 when the name is no built-in (position unchanged). The
  // position points behind '(' and is left at the closing ')' or ']'.
  virtual int CallBuiltin(const char* name, const char*& position);
  virtual const char* FindLabel(const char* name);

  // One expression, its value pushed; 0 on success. An expression that
  // ends before any operand pushes nothing (a bare END relies on it). On
  // failure the stack is back at its depth on entry.
  int Evaluate(const char*& position);
  // As Evaluate, but an expression that pushes nothing fails too (118 at a
  // statement end, else 112): for places where a value must stand.
  int EvaluateRequired(const char*& position);
  // Pops right, then left, pushes the result. Comparisons: op '<', '>' or
  // '=' with second 0, '=' or '>'; AND and OR: ('&', '&') and ('|', '|').
  int ApplyOperator(char op, char second);
  // '-' Negate, '~' BitNot, '!' Not on the top value.
  int ApplyUnary(char op);
  // A comma list of expressions, each pushed; stops in front of ')' or ']'
  // (or at the zero). "()" holds no argument. The count, or -1 on failure.
  // Without bracketEnds only ')' and the zero end the list (the form
  // evaluator's lists, whose expressions sit inside square brackets).
  int ParseArguments(const char*& position, bool bracketEnds = true);
  // After '(' of an array element: one or two LONG indices and ')'.
  int ParseIndices(const char*& position, int32_t& row, int32_t& col);
  // A quoted text, an &H / &B / &O number, or a decimal number.
  int ParseLiteral(const char*& position);

 protected:
  int ParseComparison(const char*& p);
  int ParseAdditive(const char*& p);
  int ParseTerm(const char*& p);
  int ParseUnary(const char*& p);
  // Runs one level and requires that it pushed a value (118 at a statement
  // end, else 112).
  int RequireValue(int (ExpressionEvaluator::*level)(const char*&), const char*& p);
  int FailMissing(const char* p);
  // STRING & STRING (or +): appends right to the temporary left.
  static bool AppendInPlace(VARIABLE& left, const VARIABLE& right);
  // LONG op LONG when it cannot fail: pushes the result and returns true.
  bool ApplyLongFast(char op, char second, const VARIABLE& left, const VARIABLE& right);
  // Pops one index that must be a LONG.
  int PopIndex(int32_t& index);

  int nesting_ = 0;
};
