#include "keyword_list.h"

#include <windows.h>

#include <cstring>

int KeywordIndex(const char* list, const char* name) {
  int index = 1;
  for (const char* item = list; *item; item += std::strlen(item) + 1, ++index)
    if (_stricmp(item, name) == 0) return index;
  return 0;
}

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

KeywordIndexTable::KeywordIndexTable(const char* list) {
  int index = 1;
  for (const char* item = list; *item && index < kSlots / 2; item += std::strlen(item) + 1, ++index) {
    int length;
    uint32_t slot = Hash(item, length, 255);
    if (length > 255) continue;  // no such words in the lists indexed
    if (length > longest_) longest_ = length;
    if (Find(item)) continue;  // a repeated item: the first one counts
    while (slots_[slot].item) slot = (slot + 1) % kSlots;
    slots_[slot].item = item;
    slots_[slot].length = static_cast<uint8_t>(length);
    slots_[slot].index = static_cast<uint8_t>(index);
  }
}

uint32_t KeywordIndexTable::Hash(const char* name, int& length, int limit) {
  uint32_t hash = 2166136261u;
  int n = 0;
  for (; name[n] && n <= limit; ++n) hash = (hash ^ static_cast<unsigned char>(AsciiUpper(name[n]))) * 16777619u;
  length = n;
  return hash % kSlots;
}

int KeywordIndexTable::Find(const char* name) const {
  int length;
  uint32_t slot = Hash(name, length, longest_);
  if (length > longest_ || length == 0) return 0;
  for (;; slot = (slot + 1) % kSlots) {
    const Slot& s = slots_[slot];
    if (!s.item) return 0;
    if (s.length != length) continue;
    int i = 0;
    while (i < length && AsciiUpper(s.item[i]) == AsciiUpper(name[i])) ++i;
    if (i == length) return s.index;
  }
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
