#include "label_scan.h"

#include <cstring>

#include "loader_errors.h"

namespace {

bool EndsFirstWord(const char* lineStart, const char* colon) {
  if (colon == lineStart) return false;
  for (const char* p = lineStart; p < colon; ++p)
    if (static_cast<unsigned char>(*p) <= 32 || *p == ':') return false;
  return true;
}

}  // namespace

unsigned short ScanScriptLabels(const char* text, LabelReceiver receive, void* context,
                                const char** failedAt) {
  bool inQuotes = false;
  long braces = 0;
  const char* lineStart = text;
  for (const char* p = text; *p; ++p) {
    switch (*p) {
      case '"':
        inQuotes = !inQuotes;
        break;
      case '{':
        ++braces;
        break;
      case '}':
        --braces;
        break;
      case '\n':
        lineStart = p + 1;
        inQuotes = false;
        break;
      case ':':
        if (inQuotes || braces != 0 || !EndsFirstWord(lineStart, p)) break;
        char name[8];
        std::memset(name, ' ', sizeof name);
        for (int i = 0; i < 8 && lineStart + i < p; ++i) name[i] = lineStart[i];
        if (!receive(context, name, p + 1)) {
          if (failedAt) *failedAt = p + 1;
          return kLoadErrorDuplicateLabel;
        }
        break;
      default:
        break;
    }
  }
  return 0;
}

int IsSubroutineHeader(const char* text) {
  // Run at every GOSUB: ASCII letters folded by hand (as the C runtime's
  // comparison folds them), not through the runtime's locale.
  char word[6];
  for (int i = 0; i < 5; ++i) {
    char c = text[i];
    if (!c) return 0;
    word[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  }
  word[5] = 0;
  if (std::strcmp(word, "PROC(") == 0) return 1;
  if (std::strcmp(word, "FUNC(") == 0) return 2;
  return 0;
}
