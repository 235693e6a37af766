#include "str_format_check.h"

#include <cstring>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* ConversionsOf(FormatKind kind) {
  switch (kind) {
    case FormatKind::Long: return "diuxXoc";
    case FormatKind::Real: return "feEgG";
    default: return "s";
  }
}

// Passes up to most digits; false when there are more.
bool SkipDigits(const char*& p, int most) {
  for (int n = 0; IsDigit(*p); ++p)
    if (++n > most) return false;
  return true;
}

}  // namespace

bool IsSafeFormat(const char* format, FormatKind kind) {
  int conversions = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    if (!SkipDigits(p, 3)) return false;
    if (*p == '.') {
      ++p;
      if (!SkipDigits(p, 2)) return false;
    }
    bool sized = false;
    if ((*p == 'l' && kind != FormatKind::Text) || (*p == 'h' && kind == FormatKind::Long)) {
      sized = true;
      ++p;
    }
    if (*p == '\0' || !std::strchr(ConversionsOf(kind), *p)) return false;
    if (sized && *p == 'c') return false;
    ++conversions;
  }
  return conversions == 1;
}
