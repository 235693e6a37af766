#include "long_blanks.h"

#include <cstring>

#include "blank_helpers.h"

namespace {

const size_t kHelperLimit = 0xFFFF;

bool DropsBlankBefore(char c) { return c != '\0' && std::strchr("!)+,-./:;=?", c) != nullptr; }

}  // namespace

size_t RemoveAllBlanks(char* text) {
  size_t length = std::strlen(text);
  if (length <= kHelperLimit) return RemoveBlanks(text, static_cast<unsigned>(length));
  size_t out = 0;
  for (size_t i = 0; i < length; ++i)
    if (text[i] != ' ') text[out++] = text[i];
  text[out] = '\0';
  return out;
}

size_t SqueezeAllBlanks(char* text) {
  size_t length = std::strlen(text);
  if (length <= kHelperLimit) return SqueezeBlanks(text, static_cast<unsigned>(length));
  size_t out = 0, i = 0;
  while (i < length) {
    if (text[i] != ' ') {
      text[out++] = text[i++];
      continue;
    }
    while (i < length && text[i] == ' ') ++i;
    if (out > 0 && i < length && text[out - 1] != '(' && !DropsBlankBefore(text[i]))
      text[out++] = ' ';
  }
  text[out] = '\0';
  return out;
}
