#include "bounded_text.h"

#include <cstring>

BoundedText::BoundedText(char* buffer, int size) : buffer_(buffer), capacity_(size - 1) {
  buffer_[0] = 0;
}

void BoundedText::Append(const char* text, int length) {
  if (length > capacity_ - length_) length = capacity_ - length_;
  if (length <= 0) return;
  std::memcpy(buffer_ + length_, text, length);
  length_ += length;
  buffer_[length_] = 0;
}

void BoundedText::Append(const char* text) { Append(text, static_cast<int>(std::strlen(text))); }
