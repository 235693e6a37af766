// The call frame every built-in runs on: the arguments are on the value
// stack (their count known), they are popped last first with the type each
// one needs, and exactly one result is pushed at the end (the assignment
// forms of MID and POKE push nothing on success).
#pragma once
#include <cstddef>
#include <cstdint>

#include "value_stack.h"
#include "variable.h"

// Message numbers of the built-ins.
enum : uint32_t {
  kBuiltinBadAddress = 9,    // an address that leads to no usable memory
  kBuiltinSyntax = 112,      // STR format, PEEK/POKE width "S" count
  kBuiltinNoMemory = 115,   // IMAGE block
  kBuiltinBadType = 116,
  kBuiltinOutside = 117,     // PEEK/POKE outside the block or text
  kBuiltinStackShort = 118,  // fewer values on the stack than the count says
  kBuiltinArgCount = 122,
  kBuiltinTooLong = 126,     // ASIN domain; no stack room for the result (as the evaluator)
};

class BuiltinFrame {
 public:
  // typeError: the number an argument of the wrong type fails with (the
  // window built-ins say 146).
  BuiltinFrame(ValueStack& stack, uint32_t& error, int count, uint32_t typeError = kBuiltinBadType)
      : stack_(stack), error_(error), count_(count), typeError_(typeError) {}
  BuiltinFrame(const BuiltinFrame&) = delete;
  BuiltinFrame& operator=(const BuiltinFrame&) = delete;

  int Count() const { return count_; }

  // Each returns false with the error field set.
  bool Fail(uint32_t error) {
    error_ = error;
    failed_ = true;
    return false;
  }
  bool Failed() const { return failed_; }
  // The next argument (last first), or null with 118.
  VARIABLE* Pop();
  // The next argument, which must have the type (116, or the frame's type
  // error).
  VARIABLE* Pop(unsigned char type);
  bool PopLong(int32_t& out);
  // A STRING; its text, "" for a STRING without text.
  bool PopText(const char*& out);
  // A LONG, or a REAL truncated toward zero (clamped to 32 bits); else 116.
  bool PopWhole(int32_t& out);
  // A LONG widened or a REAL; else 116.
  bool PopNumber(double& out);

  VARIABLE& Result() { return result_; }
  // The result becomes a STRING holding length bytes of text (text may be
  // null when length is 0). A text that cannot be allocated leaves the
  // empty text, unreported: both always return true.
  bool SetText(const char* text, size_t length);
  bool SetText(const char* text);
  // The result becomes a STRING of length bytes, zero-terminated, for the
  // caller to fill; null (the empty text, unreported) when there is no
  // memory for it.
  char* MakeText(size_t length);
  // Reads VARIABLE::Error after a value operation: non-zero fails with it.
  bool CheckValueError();

  // Moves the result onto the stack (no room: 126 unless it failed before);
  // 1 when nothing failed, else 0.
  int Finish();

 private:
  ValueStack& stack_;
  uint32_t& error_;
  int count_;
  uint32_t typeError_;
  bool failed_ = false;
  VARIABLE result_;
};

// Text of a STRING value: "" when it has none.
inline const char* TextOf(const VARIABLE& v) { return v.text ? v.text : ""; }
// Truncation toward zero into 32 bits; NaN gives 0, the ends are clamped.
int32_t TruncateToLong(double x);
