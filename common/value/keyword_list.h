// Keyword lists: zero-terminated items one after another, ended by an empty
// item. Items count from 1; 0 means absent. Comparisons ignore case.
#pragma once
#include <cstdint>

int KeywordIndex(const char* list, const char* name);
int KeywordPrefixIndex(const char* list, const char* text);
const char* KeywordAt(const char* list, int n);
// Turns every occurrence of separator into a zero byte.
void SetNullToText(char* text, char separator);

// Wildcards '?' and '*' (no backtracking: '*' takes the first occurrence of
// the next pattern character). Upper-cases both buffers in place.
int MatchWildcard(char* text, unsigned textLength, char* pattern, unsigned patternLength);

// An index over a keyword list of ASCII words that is looked up at every
// statement or call (statement words, built-in and type names; at most 127
// items of up to 255 characters). Find gives KeywordIndex's answer: only
// the letters a-z and A-Z are folded, as the C runtime's comparison folds
// them, but by hashing instead of a comparison with every item, and without
// the runtime's locale look-ups per call.
class KeywordIndexTable {
 public:
  explicit KeywordIndexTable(const char* list);
  int Find(const char* name) const;

 private:
  static const int kSlots = 256;  // a power of two, over twice any list's count
  struct Slot {
    const char* item = nullptr;
    uint8_t length = 0;
    uint8_t index = 0;
  };
  static uint32_t Hash(const char* name, int& length, int limit);
  Slot slots_[kSlots];
  int longest_ = 0;
};
