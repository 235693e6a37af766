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

size_t FindClause(const std::string& text, const char* word, size_t from) {
  const size_t length = std::strlen(word);
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (i >= from && text.size() - i >= length && _strnicmp(text.c_str() + i, word, length) == 0)
      return i;
    if (c == '\'' || c == '"') quote = c;
  }
  return std::string::npos;
}

size_t FindLastClause(const std::string& text, const char* word) {
  size_t last = std::string::npos;
  for (size_t at = FindClause(text, word); at != std::string::npos; at = FindClause(text, word, at + 1))
    last = at;
  return last;
}

const char* FindLastOf(const char* text, const char* word) {
  size_t at = FindLastClause(text, word);
  return at == std::string::npos ? nullptr : text + at;
}
