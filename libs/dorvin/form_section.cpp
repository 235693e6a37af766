#include "form_section.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kSectionWord[] = "FORM ";
const size_t kSectionWordLength = sizeof kSectionWord - 1;
const char kEndWord[] = "END";
// A section number keeps this many digits.
const int kNumberDigits = 31;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

FormSection Refused() { return FormSection{kFormBadFile, 0, 0, 0}; }

uint32_t LineOf(const char* text, const char* at) {
  uint32_t line = 1;
  for (const char* p = text; p < at; ++p)
    if (*p == '\n') ++line;
  return line;
}

}  // namespace

size_t FormTextLength(const char* text) {
  const char* end = std::strstr(text, kEndWord);
  return end ? static_cast<size_t>(end - text) + 3 : 0;
}

FormSection FindFormSection(char* text, unsigned long number) {
  char* p = text;
  for (;;) {
    p = std::strstr(p, kSectionWord);
    if (!p) return Refused();
    p += kSectionWordLength;
    while (*p == ' ') ++p;
    char digits[kNumberDigits + 1];
    int n = 0;
    for (; IsDigit(*p); ++p)
      if (n < kNumberDigits) digits[n++] = *p;
    digits[n] = 0;
    if (n == 0) return Refused();
    // Too many digits saturate: such a number matches no section.
    unsigned long value = std::strtoul(digits, nullptr, 10);
    if (value == 0) return Refused();
    if (value == number) break;
  }
  char* lineEnd = std::strchr(p, '\n');
  if (!lineEnd) return Refused();
  char* start = lineEnd + 1;
  if (char* next = std::strstr(start, kSectionWord)) *next = 0;
  char* end = std::strstr(start, kEndWord);
  if (!end) return Refused();
  // "END" lies before the text's NUL, so the byte after its "D" is inside.
  end[3] = 0;
  return FormSection{0, static_cast<size_t>(start - text), static_cast<size_t>(end + 3 - start),
                     LineOf(text, start)};
}
