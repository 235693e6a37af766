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
  // The loops of the three binary levels, with their first operand (or
  // more) already pushed above base.
  int ContinueComparison(const char*& p, uint16_t base);
  int ContinueAdditive(const char*& p, uint16_t base);
  int ContinueTerm(const char*& p, uint16_t base);
  static bool IsTermOperator(const char* q);
  // The rest of an expression whose first operand is pushed above base: as
  // Evaluate from there on.
  int EvaluateAfterOperand(const char*& p, uint16_t base);
  // Evaluate's end: one value at most above base, else 112; on failure the
  // stack goes back to base.
  int EndExpression(int failed, uint16_t base);
  // Runs one level and requires that it pushed a value (118 at a statement
  // end, else 112).
  int RequireValue(int (ExpressionEvaluator::*level)(const char*&), const char*& p);
  int FailMissing(const char* p);
  // A join ('&' or '+') onto the popped STRING left: appends right's text
  // in place and pushes left again; false (left unchanged) when the
  // operator itself is to run.
  bool JoinInto(char op, VARIABLE& left, const VARIABLE& right);
  // The standing slot of a growing assignment becomes an ordinary value:
  // the target's text copied in front of the slot's tail. 0, or 1 with 115.
  int SettleAppend();
  // LONG op LONG when it cannot fail: pushes the result and returns true.
  bool ApplyLongFast(char op, char second, const VARIABLE& left, const VARIABLE& right);
  // Pops one index that must be a LONG.
  int PopIndex(int32_t& index);

  int nesting_ = 0;
  // The assignment T = T & X (or T = T + X) that grows T's text in place:
  // while appendTarget_ is set, the stack slot appendSlot_ stands for T's
  // own text followed by the slot's text (the tail joined so far), so T is
  // not copied onto the stack; the tail goes onto T when it is stored.
  VARIABLE* appendTarget_ = nullptr;
  uint16_t appendSlot_ = 0;
};
