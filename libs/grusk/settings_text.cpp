#include "settings_text.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

const char kDefaultFace[] = "System";
const WORD kDefaultPoints = 10;

// Reads an optionally signed decimal number at text[*at], leading blanks
// skipped; out-of-range values stop at the int limits. False when there is
// no digit.
bool ReadNumber(const char* text, size_t length, size_t* at, long long* value) {
  size_t i = *at;
  while (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < length && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= length || text[i] < '0' || text[i] > '9') return false;
  long long n = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
    if (n <= INT_MAX) n = n * 10 + (text[i] - '0');
  n = negative ? -n : n;
  *value = n < INT_MIN ? INT_MIN : n > INT_MAX ? INT_MAX : n;
  *at = i;
  return true;
}

GruskFont DefaultFont() {
  GruskFont font{};
  font.points = kDefaultPoints;
  std::memcpy(font.face, kDefaultFace, sizeof kDefaultFace);
  return font;
}

}  // namespace

Margins ParseMargins(const char* text, size_t length) {
  int values[4] = {0, 0, 0, 0};
  size_t at = 0;
  for (int& value : values) {
    long long n;
    if (!ReadNumber(text, length, &at, &n)) break;
    value = static_cast<int>(n);
    if (at < length) ++at;  // the separator
  }
  return Margins{values[0], values[1], values[2], values[3]};
}

GruskFont ParseFont(const char* text, size_t length) {
  if (length == 0 || static_cast<unsigned char>(text[0]) < 'A') return DefaultFont();
  const char* comma = static_cast<const char*>(std::memchr(text, ',', length));
  if (!comma) return DefaultFont();
  size_t at = static_cast<size_t>(comma - text);
  while (at < length && (text[at] == ',' || text[at] == ' ')) ++at;
  if (at >= length || text[at] < '0' || text[at] > '9') return DefaultFont();
  long long points;
  ReadNumber(text, length, &at, &points);

  GruskFont font{};
  font.points = static_cast<WORD>(points > 0xFFFF ? 0xFFFF : points);
  size_t faceLength = static_cast<size_t>(comma - text);
  if (faceLength > sizeof font.face - 1) faceLength = sizeof font.face - 1;
  std::memcpy(font.face, text, faceLength);
  return font;
}

void FormatMargins(const Margins& margins, char* text, size_t size) {
  std::snprintf(text, size, "%d,%d,%d,%d", margins.left, margins.top, margins.right, margins.bottom);
}

void FormatFont(const GruskFont& font, char* text, size_t size) {
  std::snprintf(text, size, "%.*s,%d", static_cast<int>(sizeof font.face), font.face, font.points);
}
