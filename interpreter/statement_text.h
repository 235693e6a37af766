// Small readers over the loaded text shared by the statement executors.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "expression_evaluator.h"
#include "variable.h"

inline const char* SkipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// True when text begins with word (given in capitals), compared without
// regard to case.
inline bool StartsWithNoCase(const char* text, const char* word) {
  for (; *word; ++text, ++word)
    if (UpperAscii(*text) != *word) return false;
  return true;
}

inline bool StartsWith(const char* text, const char* word) {
  for (; *word; ++text, ++word)
    if (*text != *word) return false;
  return true;
}

// A set of characters looked up by table, for the tests that run on every
// character of every name read; the zero is always in it.
class CharacterSet {
 public:
  explicit CharacterSet(const char* characters) {
    for (const char* c = characters; *c; ++c) in_[static_cast<unsigned char>(*c)] = true;
    in_[0] = true;
  }
  bool Has(char c) const { return in_[static_cast<unsigned char>(c)]; }

 private:
  bool in_[256] = {};
};

// The end of the statement at p: the next NUL, newline or ';' outside
// quotes.
inline const char* StatementEnd(const char* p) {
  bool quoted = false;
  for (; *p; ++p) {
    if (*p == '"') quoted = !quoted;
    if (!quoted && (*p == '\n' || *p == ';')) break;
  }
  return p;
}

// Passes over the statement separators and blanks between statements.
inline const char* SkipSeparators(const char* p) {
  while (*p == '\n' || *p == ';' || *p == ' ') ++p;
  return p;
}

// At the text behind a "REM" and its blanks: for "REM BEGIN" the position
// behind the next "REM END" (null when there is none), otherwise p itself.
inline const char* SkipRemBlock(const char* p) {
  if (!StartsWith(p, "BEGIN")) return p;
  const char* end = std::strstr(p, "REM END");
  return end ? end + 7 : nullptr;
}

// The end of the line at p: the next newline or NUL.
inline const char* LineEnd(const char* p) {
  while (*p && *p != '\n') ++p;
  return p;
}

namespace statement_text {

using ::SkipBlanks;


// Copies the name at p up to the first character for which stop() is true
// (or a statement end), keeping at most size - 1 characters; the rest of a
// longer name is passed over. Returns the count kept.
template <typename Stop>
int ReadName(const char*& p, char* name, int size, Stop stop) {
  int n = 0;
  for (; *p && *p != '\n' && *p != ';' && !stop(*p); ++p)
    if (n < size - 1) name[n++] = *p;
  name[n] = 0;
  return n;
}

inline bool SameTextNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
    if (!x) return true;
  }
}

}  // namespace statement_text

// The time DELAY sleeps for a value: a LONG, or a REAL truncated toward
// zero; negative values sleep 0 (never INFINITE). 116 for any other type.
uint32_t DelayMilliseconds(const VARIABLE& value, DWORD& milliseconds);
