#include "text_helpers.h"

#include <windows.h>

#include <cstring>

char* CopyText(char* destination, size_t capacity, const char* source) {
  if (capacity == 0) return nullptr;
  size_t n = std::strlen(source);
  if (n > capacity - 1) n = capacity - 1;
  std::memmove(destination, source, n);
  destination[n] = '\0';
  return destination + n;
}

int FilterIdentifierChars(char* destination, int size, const char* source) {
  if (size < 1) return 0;
  int count = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(source); *p && count < size - 1; ++p) {
    bool ascii = (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z') || (*p >= '0' && *p <= '9');
    if (ascii || *p >= 0xC0) destination[count++] = static_cast<char>(*p);
  }
  destination[count] = '\0';
  return count;
}

int WrapLines(char* text, int width) {
  char* rest = text;
  if (width < 1) return static_cast<int>(std::strlen(text));
  size_t w = static_cast<size_t>(width);
  while (std::strlen(rest) >= w) {
    char* feed = static_cast<char*>(std::memchr(rest, '\n', w));
    if (feed) {
      rest = feed + 1;
      continue;
    }
    char* blank = nullptr;
    for (size_t i = 0; i <= w && rest[i]; ++i)
      if (rest[i] == ' ') blank = rest + i;
    // A piece without a blank stays whole; the break comes at the next blank.
    if (!blank) blank = std::strchr(rest + w, ' ');
    if (!blank) break;
    *blank = '\n';
    rest = blank + 1;
  }
  return static_cast<int>(std::strlen(rest));
}

int GroupThousands(char* text, size_t capacity, char separator) {
  size_t length = std::strlen(text);
  if (length < 2) return static_cast<int>(length);
  const char* dot = std::strchr(text, '.');
  size_t head = dot ? static_cast<size_t>(dot - text) : length;
  size_t inserted = head > 0 ? (head - 1) / 3 : 0;
  if (length + inserted + 1 > capacity) return static_cast<int>(length);
  // Move from the end toward the start so nothing is overwritten early.
  std::memmove(text + head + inserted, text + head, length - head + 1);
  size_t from = head, to = head + inserted, run = 0;
  while (from > 0) {
    if (run == 3) {
      text[--to] = separator;
      run = 0;
    }
    text[--to] = text[--from];
    ++run;
  }
  return static_cast<int>(length + inserted);
}

int UnescapeText(char* destination, const char* source) {
  if (!destination || !source) return 0;
  int n = 0;
  for (const char* p = source; *p; ++p) {
    if (*p == '\\' && (p[1] == 'n' || p[1] == 'r' || p[1] == 't')) {
      ++p;
      destination[n++] = *p == 'n' ? '\n' : *p == 'r' ? '\r' : '\t';
    } else {
      destination[n++] = *p;
    }
  }
  destination[n] = '\0';
  return n;
}

int CountChar(const char* text, char c) {
  int count = 0;
  for (const char* p = text; *p; ++p)
    if (*p == c) ++count;
  return count;
}

char DecimalSeparator() {
  char buffer[32] = {0};
  GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1.10", nullptr, buffer, sizeof buffer);
  return buffer[1];
}
