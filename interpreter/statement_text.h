// Small readers over the loaded text shared by the statement executors.
#pragma once
#include "expression_evaluator.h"

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

// The end of the line at p: the next newline or NUL.
inline const char* LineEnd(const char* p) {
  while (*p && *p != '\n') ++p;
  return p;
}
