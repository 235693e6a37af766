#include "name_key.h"

void MakeNameKey(char key[kNameKeySize], const char* name) {
  int n = 0;
  if (name)
    for (; n < kNameKeySize && name[n]; ++n) key[n] = name[n];
  for (; n < kNameKeySize; ++n) key[n] = ' ';
}

void MakeLabelKey(char key[kNameKeySize], const char* text) {
  int n = 0;
  if (text)
    for (; n < kNameKeySize; ++n) {
      unsigned char c = static_cast<unsigned char>(text[n]);
      if (c <= 32 || c == ':') break;
      key[n] = static_cast<char>(c);
    }
  for (; n < kNameKeySize; ++n) key[n] = ' ';
}
