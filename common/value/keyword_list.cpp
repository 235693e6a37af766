#include "keyword_list.h"

#include <windows.h>

#include <cstring>

int KeywordIndex(const char* list, const char* name) {
  int index = 1;
  for (const char* item = list; *item; item += std::strlen(item) + 1, ++index)
    if (_stricmp(item, name) == 0) return index;
  return 0;
}

int KeywordPrefixIndex(const char* list, const char* text) {
  int index = 1;
  for (const char* item = list; *item; ++index) {
    size_t length = std::strlen(item);
    if (_strnicmp(text, item, length) == 0) return index;
    item += length + 1;
  }
  return 0;
}

const char* KeywordAt(const char* list, int n) {
  if (n < 1) return nullptr;
  const char* item = list;
  for (int i = 1; *item; ++i) {
    if (i == n) return item;
    item += std::strlen(item) + 1;
  }
  return nullptr;
}

void SetNullToText(char* text, char separator) {
  for (char* p = text; *p; ++p)
    if (*p == separator) *p = '\0';
}

int MatchWildcard(char* text, unsigned textLength, char* pattern, unsigned patternLength) {
  if (textLength == 0 && patternLength == 0) return 1;
  if (textLength == 0 || patternLength == 0 || pattern[0] == '\0' || text[0] == '\0') return 0;
  CharUpperBuffA(text, textLength);
  CharUpperBuffA(pattern, patternLength);
  unsigned t = 0, p = 0;
  for (;;) {
    if (p >= patternLength || pattern[p] == '\0') return 1;
    if (t >= textLength || text[t] == '\0') return 0;
    if (pattern[p] == '*') {
      ++p;
      if (p >= patternLength || pattern[p] == '\0') return 1;
      while (text[t] != pattern[p]) {
        ++t;
        if (t >= textLength || text[t] == '\0') return 0;
      }
    } else if (pattern[p] != '?' && pattern[p] != text[t]) {
      return 0;
    }
    ++p;
    ++t;
  }
}
