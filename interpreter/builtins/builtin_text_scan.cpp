// The text functions that search: INSTR, ITEM, CHANGE and REPLACE.
#include <cstring>
#include <cstdint>

#include "builtin_entries.h"

bool RunInstr(BuiltinFrame& f) {
  const char *pattern, *text;
  if (!f.PopText(pattern) || !f.PopText(text)) return false;
  int32_t start = 1;
  if (f.Count() == 3 && !f.PopWhole(start)) return false;
  if (start < 1) start = 1;
  size_t length = std::strlen(text);
  int32_t found = 0;
  if (static_cast<size_t>(start) <= length) {
    const char* at = std::strstr(text + start - 1, pattern);
    if (at) found = static_cast<int32_t>(at - text) + 1;
  }
  f.Result().SetLong(found);
  return true;
}

bool RunItem(BuiltinFrame& f) {
  int32_t n;
  const char *separators, *text;
  if (!f.PopLong(n) || !f.PopText(separators) || !f.PopText(text)) return false;
  if (n < 1) n = 1;
  if (!*text || !*separators) return f.SetText("", 0);
  size_t length = std::strlen(text), pos = 0;
  bool quoted = false;
  // The quoted state carries over between skipped items.
  auto endsItem = [&](char c) {
    if (c == '"') quoted = !quoted;
    return !quoted && c != '"' && std::strchr(separators, c) != nullptr;
  };
  for (int32_t i = 1; i < n && pos < length; ++i) {
    while (pos < length && !endsItem(text[pos])) ++pos;
    if (pos < length) ++pos;
  }
  quoted = false;
  size_t start = pos;
  while (pos < length && !endsItem(text[pos])) ++pos;
  return f.SetText(text + start, pos - start);
}

bool RunChange(BuiltinFrame& f) {
  const char *pairs, *text;
  if (!f.PopText(pairs) || !f.PopText(text)) return false;
  f.SetText(text);
  size_t pairLength = std::strlen(pairs) & ~static_cast<size_t>(1);
  for (char* c = f.Result().text; c && *c; ++c) {
    for (size_t i = 0; i < pairLength; i += 2) {
      if (pairs[i + 1] == *c) {
        *c = pairs[i];
        break;
      }
    }
  }
  return true;
}

bool RunReplace(BuiltinFrame& f) {
  const char *replacement, *old, *text;
  if (!f.PopText(replacement) || !f.PopText(old) || !f.PopText(text)) return false;
  size_t oldLength = std::strlen(old), newLength = std::strlen(replacement);
  if (!*text || oldLength == 0) return f.SetText(text);
  // Inserted text is stepped over, never searched again: the occurrences
  // are those of a left-to-right scan of the original text.
  size_t occurrences = 0;
  for (const char* p = std::strstr(text, old); p; p = std::strstr(p + oldLength, old))
    ++occurrences;
  size_t length = std::strlen(text) - occurrences * oldLength;
  // A result beyond the address space is a text that cannot be had: empty.
  if (newLength && occurrences > (SIZE_MAX - length) / newLength) return f.SetText("", 0);
  char* out = f.MakeText(length + occurrences * newLength);
  if (!out) return true;
  for (const char* p = text; *p;) {
    if (std::strncmp(p, old, oldLength) == 0) {
      std::memcpy(out, replacement, newLength);
      out += newLength;
      p += oldLength;
    } else {
      *out++ = *p++;
    }
  }
  return true;
}
