// Names of variables and labels are keys of exactly 8 bytes: the first 8
// characters as written, blank padded. Keys compare byte for byte (with case).
#pragma once
#include <cstring>

const int kNameKeySize = 8;

// A variable name: up to 8 characters of a zero-terminated name.
void MakeNameKey(char key[kNameKeySize], const char* name);
// A label name: up to 8 characters, ending at a character of code 32 or
// below or at ':'.
void MakeLabelKey(char key[kNameKeySize], const char* text);

inline bool SameKey(const char* a, const char* b) {
  return std::memcmp(a, b, kNameKeySize) == 0;
}
