// Root of the evaluator classes: the value stack and the error field.
// Every push and pop here is checked: a full stack is error 126, popping an
// empty one error 118; nothing is ever written outside the stack's block.
#pragma once
#include <cstddef>
#include <cstdint>

#include "value_stack.h"
#include "variable.h"

enum : uint32_t {
  kEvalErrorSyntax = 112,
  kEvalErrorNoMemory = 115,
  kEvalErrorBadType = 116,
  kEvalErrorIndexRange = 117,
  kEvalErrorUnexpectedEnd = 118,
  kEvalErrorLibraryName = 120,
  kEvalErrorArgumentCount = 122,
  kEvalErrorTooLong = 126,  // the expression needs more room than the stack or nesting has
  kEvalErrorNotFound = 131,
  kEvalErrorIndexNotLong = 133,
  kEvalErrorPointerToConstant = 134,
  kEvalErrorAssignToConstant = 135,
  kEvalErrorNoSubroutine = 138,
  kEvalErrorObjectInit = 145,
  kEvalErrorNoObject = 153,
};

class EvaluatorBase {
 public:
  static const uint16_t kStackSize = 64;

  EvaluatorBase();
  virtual ~EvaluatorBase();
  EvaluatorBase(const EvaluatorBase&) = delete;
  EvaluatorBase& operator=(const EvaluatorBase&) = delete;

  // One operand at the position, pushed; 0 on success. Pushing nothing is
  // an empty operand.
  virtual int EvaluateOperand(const char*& position) = 0;

  uint32_t GetError() const { return error_; }
  void SetError(uint32_t error) { error_ = error; }
  bool HasError() const { return error_ != 0; }

  ValueStack& Stack() { return stack_; }
  uint16_t Depth() const { return stack_.Top(); }
  // Pops back to an earlier depth (statement ends and failures).
  void DropTo(uint16_t depth);

  // Each returns 0 on success, 1 with the error field set on failure.
  int PushValue(const VARIABLE& value);
  int PushLong(int32_t value);
  int PushReal(double value);  // keeps double precision
  int PushBool(int32_t value);
  int PushText(const char* text, size_t length);
  // The top value, or null with error 118 when the stack is empty.
  VARIABLE* PopValue();

 protected:
  int Fail(uint32_t error) {
    error_ = error;
    return 1;
  }
  // Inside an OperatorSection: pushes without opening another section;
  // returns the error number (126 full, or the value library's).
  unsigned PushInSection(const VARIABLE& value);

  ValueStack stack_;
  uint32_t error_ = 0;
};
