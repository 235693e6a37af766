#include "evaluator_base.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "operator_lock.h"

EvaluatorBase::EvaluatorBase() : stack_(kStackSize) {}

EvaluatorBase::~EvaluatorBase() {}

void EvaluatorBase::DropTo(uint16_t depth) {
  while (stack_.Top() > depth) stack_.TryPop();
}

unsigned EvaluatorBase::PushInSection(const VARIABLE& value) {
  if (stack_.Top() >= stack_.Capacity()) return kEvalErrorTooLong;
  if (ValueStack::IsPlain(value.type))
    return stack_.PushPlain(value) ? 0u : static_cast<unsigned>(kEvalErrorTooLong);
  VARIABLE::Error = 0;
  if (!stack_.Push(&value)) return VARIABLE::Error ? VARIABLE::Error : kEvalErrorTooLong;
  unsigned e = VARIABLE::Error;
  VARIABLE::Error = 0;
  if (e) stack_.TryPop();
  return e;
}

int EvaluatorBase::PushValue(const VARIABLE& value) {
  if (ValueStack::IsPlain(value.type)) return stack_.PushPlain(value) ? 0 : Fail(kEvalErrorTooLong);
  unsigned e;
  {
    OperatorSection section;
    e = PushInSection(value);
  }
  return e ? Fail(e) : 0;
}

int EvaluatorBase::PushLong(int32_t value) {
  VARIABLE v;
  v.SetLong(value);
  return PushValue(v);
}

int EvaluatorBase::PushReal(double value) {
  VARIABLE v;
  v.SetReal(value);
  return PushValue(v);
}

int EvaluatorBase::PushBool(int32_t value) {
  VARIABLE v;
  v.SetBool(value);
  return PushValue(v);
}

int EvaluatorBase::PushText(const char* text, size_t length) {
  if (stack_.Top() >= stack_.Capacity()) return Fail(kEvalErrorTooLong);
  // Straight into the slot, in the text block it held before when that is
  // large enough: a literal text is not made and copied again each time.
  VARIABLE v;
  ValueStack::SwapPayloads(v, *stack_.Item(stack_.Top()));
  if (v.type != VAL_STRING) v.TYPE(VAL_STRING);
  if (!v.text || _msize(v.text) < length + 1) {
    std::free(v.text);
    v.text = static_cast<char*>(std::malloc(length + 1));
    if (!v.text) return Fail(kEvalErrorNoMemory);
  }
  if (length) std::memcpy(v.text, text, length);
  v.text[length] = 0;
  stack_.PushSwap(v);
  return 0;
}

VARIABLE* EvaluatorBase::PopValue() {
  VARIABLE* v = stack_.TryPop();
  if (!v) Fail(kEvalErrorUnexpectedEnd);
  return v;
}
