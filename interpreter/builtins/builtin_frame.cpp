#include "builtin_frame.h"

#include <cstring>

int32_t TruncateToLong(double x) {
  if (x != x) return 0;
  if (x >= 2147483647.0) return INT32_MAX;
  if (x <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(x);
}

VARIABLE* BuiltinFrame::Pop() {
  VARIABLE* v = stack_.TryPop();
  if (!v) Fail(kBuiltinStackShort);
  return v;
}

VARIABLE* BuiltinFrame::Pop(unsigned char type) {
  VARIABLE* v = Pop();
  if (v && v->type != type) {
    Fail(typeError_);
    return nullptr;
  }
  return v;
}

bool BuiltinFrame::PopLong(int32_t& out) {
  VARIABLE* v = Pop(VAL_LONG);
  if (!v) return false;
  out = v->lng;
  return true;
}

bool BuiltinFrame::PopText(const char*& out) {
  VARIABLE* v = Pop(VAL_STRING);
  if (!v) return false;
  out = TextOf(*v);
  return true;
}

bool BuiltinFrame::PopWhole(int32_t& out) {
  // Every LONG is exact as a double, so it comes back unchanged.
  double number;
  if (!PopNumber(number)) return false;
  out = TruncateToLong(number);
  return true;
}

bool BuiltinFrame::PopNumber(double& out) {
  VARIABLE* v = Pop();
  if (!v) return false;
  if (v->type == VAL_LONG) {
    out = v->lng;
    return true;
  }
  if (v->type == VAL_REAL) {
    out = v->real;
    return true;
  }
  return Fail(typeError_);
}

char* BuiltinFrame::MakeText(size_t length) {
  result_.TYPE(VAL_STRING);
  if (length >= 0xFFFFFFFFu || !result_.Allocate(static_cast<unsigned long>(length + 1))) {
    VARIABLE::Error = 0;
    result_.Clear();  // the empty text
    return nullptr;
  }
  result_.text[length] = '\0';
  return result_.text;
}

bool BuiltinFrame::SetText(const char* text, size_t length) {
  char* out = MakeText(length);
  if (out && length) std::memcpy(out, text, length);
  return true;
}

bool BuiltinFrame::SetText(const char* text) { return SetText(text, std::strlen(text)); }

bool BuiltinFrame::CheckValueError() {
  unsigned e = VARIABLE::Error;
  VARIABLE::Error = 0;
  return e ? Fail(e) : true;
}

int BuiltinFrame::Finish() {
  if (stack_.Top() >= stack_.Capacity()) {
    if (!failed_) error_ = kBuiltinTooLong;  // an earlier error tells more
    return 0;
  }
  // The result moves into a fresh NULL slot: its payload changes owner, so
  // a long text is never copied (and a copy can never fail).
  VARIABLE empty;
  stack_.Push(&empty);
  VARIABLE* slot = stack_.Peek(-1);
  unsigned char rawType = slot->type;
  unsigned char raw[sizeof slot->raw];
  std::memcpy(raw, slot->raw, sizeof raw);
  slot->type = result_.type;
  std::memcpy(slot->raw, result_.raw, sizeof raw);
  result_.type = rawType;
  std::memcpy(result_.raw, raw, sizeof raw);
  return failed_ ? 0 : 1;
}
