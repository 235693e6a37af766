// ValueStack: the evaluator's operand stack of VARIABLE records. A popped
// record stays valid (with its text) until a later push reuses its slot.
#pragma once
#include <cstdint>

#include "variable.h"

class ValueStack {
 public:
  // A block of capacity zeroed records; when it cannot be had the capacity
  // is 0 (error 115) and every push is refused.
  explicit ValueStack(uint16_t capacity);
  ~ValueStack();
  ValueStack(const ValueStack&) = delete;
  ValueStack& operator=(const ValueStack&) = delete;

  // Each returns 1, or 0 with error 115 when the stack is full.
  int PushString(const char* text);
  int PushLong(int32_t value);
  int PushReal(float value);  // stored widened to a double
  int PushBool(int32_t value);
  // A copy of *value (deep for a STRING); 0 for a null pointer.
  int Push(const VARIABLE* value);

  // The top record, in place. On an empty stack top stays 0 and the bottom
  // slot is returned (null when there is no block).
  VARIABLE* Pop();
  VARIABLE* TryPop();  // null on an empty stack
  // From the bottom (0 is the first pushed); the index must hold a value.
  VARIABLE* Item(uint16_t index);
  // At top + offset (-1 the top record); the slot must hold a value.
  VARIABLE* Peek(int offset);

  uint16_t Top() const { return top_; }
  uint16_t Capacity() const { return capacity_; }

 private:
  VARIABLE* NextSlot();

  VARIABLE* elements_;
  uint16_t capacity_;
  uint16_t top_;
};
