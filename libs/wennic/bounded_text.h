// A text being built in a caller's buffer of `size` characters: appends are
// cut so that at most size-1 characters and the terminating zero are written.
#pragma once

class BoundedText {
 public:
  BoundedText(char* buffer, int size);  // size at least 1
  void Append(const char* text, int length);
  void Append(const char* text);
  int Length() const { return length_; }

 private:
  char* buffer_;
  int capacity_;  // characters, without the terminating zero
  int length_ = 0;
};
