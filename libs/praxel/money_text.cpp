#include "money_text.h"

#include <cstring>

size_t RoundMoneyText(char* text, size_t capacity) {
  size_t length = std::strlen(text);
  char* point = std::strchr(text, '.');
  if (!point) {
    if (length + 4 > capacity) return length;
    std::memcpy(text + length, ".00", 4);
    return length + 3;
  }
  size_t decimals = length - static_cast<size_t>(point - text) - 1;
  if (decimals > 2) {
    bool carry = point[3] >= '5' && point[3] <= '9';
    point[3] = '\0';
    length = static_cast<size_t>(point - text) + 3;
    for (char* p = point + 2; carry && p >= text; --p) {
      if (*p == '.') continue;
      if (*p < '0' || *p > '9') break;  // a sign: the carry goes in after it
      if (*p == '9') {
        *p = '0';
      } else {
        ++*p;
        carry = false;
      }
    }
    if (carry) {  // past the first digit: a new leading '1'
      char* first = text;
      while (*first && (*first < '0' || *first > '9')) ++first;
      if (length + 2 > capacity) return length;
      std::memmove(first + 1, first, std::strlen(first) + 1);
      *first = '1';
      ++length;
    }
    return length;
  }
  while (decimals < 2 && length + 2 <= capacity) {
    text[length++] = '0';
    text[length] = '\0';
    ++decimals;
  }
  return length;
}
