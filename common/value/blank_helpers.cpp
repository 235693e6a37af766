#include "blank_helpers.h"

#include <cstdint>
#include <cstring>

namespace {

unsigned Limit(unsigned n) { return static_cast<uint16_t>(n); }

bool DropsBlankBefore(char c) { return c != '\0' && std::strchr("!)+,-./:;=?", c) != nullptr; }

}  // namespace

unsigned BoundedLength(const char* text, unsigned n) {
  unsigned limit = Limit(n), i = 0;
  while (i < limit && text[i] != '\0') ++i;
  return i;
}

unsigned FindChar(const char* text, unsigned n, char c) {
  unsigned limit = Limit(n);
  for (unsigned i = 0; i < limit && text[i] != '\0'; ++i)
    if (text[i] == c) return i;
  return limit;
}

unsigned RemoveBlanks(char* text, unsigned n) {
  if (Limit(n) == 0) return 0;
  unsigned length = BoundedLength(text, n), out = 0;
  for (unsigned i = 0; i < length; ++i)
    if (text[i] != ' ') text[out++] = text[i];
  if (out < length) text[out] = '\0';
  return out;
}

unsigned TrimLeft(char* text, unsigned n) {
  if (Limit(n) == 0) return 0;
  unsigned length = BoundedLength(text, n), skip = 0;
  while (skip < length && text[skip] == ' ') ++skip;
  if (skip == 0) return length;
  std::memmove(text, text + skip, length - skip);
  text[length - skip] = '\0';
  return length - skip;
}

unsigned TrimRight(char* text, unsigned n) {
  if (Limit(n) == 0) return 0;
  unsigned length = BoundedLength(text, n), end = length;
  while (end > 0 && text[end - 1] == ' ') --end;
  if (end < length) text[end] = '\0';
  return end;
}

unsigned SqueezeBlanks(char* text, unsigned n) {
  if (Limit(n) == 0) return 0;
  unsigned length = BoundedLength(text, n), out = 0, i = 0;
  while (i < length) {
    if (text[i] != ' ') {
      text[out++] = text[i++];
      continue;
    }
    while (i < length && text[i] == ' ') ++i;
    bool keep = out > 0 && i < length && text[out - 1] != '(' && !DropsBlankBefore(text[i]);
    if (keep) text[out++] = ' ';
  }
  if (out < length) text[out] = '\0';
  return out;
}
