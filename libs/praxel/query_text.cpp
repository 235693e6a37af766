#include "query_text.h"

#include <cstring>

namespace {
bool DropsBlankBefore(char c) { return c != '\0' && std::strchr("!)+,-./:;=?", c) != nullptr; }
}  // namespace

size_t SqueezeQuery(char* text) {
  size_t length = std::strlen(text), out = 0, i = 0;
  char quote = 0;
  while (i < length) {
    char c = text[i];
    if (quote || c != ' ') {
      if (quote && c == quote) quote = 0;
      else if (!quote && (c == '\'' || c == '"')) quote = c;
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

const char* FindLastOf(const char* text, const char* word) {
  const char* last = nullptr;
  for (const char* at = std::strstr(text, word); at; at = std::strstr(at + 1, word)) last = at;
  return last;
}
