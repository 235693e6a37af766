#include "value_stack.h"

#include <cstring>

#include <cstdlib>
#include <new>

#include "text_watch.h"

ValueStack::ValueStack(uint16_t capacity) : elements_(nullptr), capacity_(0), top_(0) {
  elements_ = static_cast<VARIABLE*>(std::malloc(static_cast<size_t>(capacity ? capacity : 1) * sizeof(VARIABLE)));
  if (!elements_) {
    VARIABLE::Error = kErrorOutOfMemory;
    return;
  }
  capacity_ = capacity;
  for (uint16_t i = 0; i < capacity_; ++i) new (&elements_[i]) VARIABLE();
}

ValueStack::~ValueStack() {
  // Every slot, popped or not: texts are freed and references released.
  for (uint16_t i = 0; i < capacity_; ++i) elements_[i].~VARIABLE();
  std::free(elements_);
}

VARIABLE* ValueStack::NextSlot() {
  if (top_ >= capacity_) {
    VARIABLE::Error = kErrorOutOfMemory;
    return nullptr;
  }
  return &elements_[top_++];
}

int ValueStack::PushString(const char* text) {
  VARIABLE* slot = NextSlot();
  if (!slot) return 0;
  slot->TYPE(VAL_STRING);  // an old text block is reused
  *slot = text;
  return 1;
}

int ValueStack::PushLong(int32_t value) {
  VARIABLE* slot = NextSlot();
  if (!slot) return 0;
  slot->SetLong(value);
  return 1;
}

int ValueStack::PushReal(float value) {
  VARIABLE* slot = NextSlot();
  if (!slot) return 0;
  slot->SetReal(value);
  return 1;
}

int ValueStack::PushBool(int32_t value) {
  VARIABLE* slot = NextSlot();
  if (!slot) return 0;
  slot->SetBool(value);
  return 1;
}

int ValueStack::Push(const VARIABLE* value) {
  if (!value) return 0;
  VARIABLE* slot = NextSlot();
  if (!slot) return 0;
  slot->TYPE(value->type);
  slot->ConvertFrom(*value);
  return 1;
}

bool ValueStack::IsPlain(unsigned char type) {
  return type == VAL_NULL || type == VAL_LONG || type == VAL_REAL || type == VAL_BOOL ||
         type == VAL_MONEY || type == VAL_TIME || type == VAL_GUID;
}

int ValueStack::PushPlain(const VARIABLE& value) {
  if (top_ >= capacity_) return 0;
  VARIABLE* slot = &elements_[top_++];
  slot->TYPE(value.type);  // frees a text the slot held before
  std::memcpy(slot->raw, value.raw, sizeof slot->raw);
  return 1;
}

void ValueStack::SwapPayloads(VARIABLE& a, VARIABLE& b) {
  ForgetTextLength(&a);
  ForgetTextLength(&b);
  unsigned char type = a.type;
  a.type = b.type;
  b.type = type;
  unsigned char raw[sizeof a.raw];
  std::memcpy(raw, a.raw, sizeof raw);
  std::memcpy(a.raw, b.raw, sizeof raw);
  std::memcpy(b.raw, raw, sizeof raw);
}

int ValueStack::PushSwap(VARIABLE& value) {
  if (top_ >= capacity_) return 0;
  SwapPayloads(elements_[top_++], value);
  return 1;
}

VARIABLE* ValueStack::Pop() {
  if (!elements_ || capacity_ == 0) return nullptr;
  if (top_ == 0) return &elements_[0];
  return &elements_[--top_];
}

VARIABLE* ValueStack::TryPop() { return top_ == 0 ? nullptr : Pop(); }

VARIABLE* ValueStack::Item(uint16_t index) { return &elements_[index]; }

VARIABLE* ValueStack::Peek(int offset) { return &elements_[top_ + offset]; }
