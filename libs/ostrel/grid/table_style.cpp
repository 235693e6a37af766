// The style keywords of a table: each is looked for as a case-sensitive
// substring of the text (a keyword list that ignores case would take
// "grid" for GRID) and applied once.
#include <cstring>

#include "grid_window.h"

namespace {

struct StyleKeyword {
  const char* word;
  unsigned bit;
};

const StyleKeyword kKeywords[] = {
    {"LEFT", kStyleLeft},     {"SCROLL", kStyleScroll}, {"NOTITLE", kStyleNoTitle}, {"GOTO", kStyleGoTo},
    {"FIND", kStyleFind},     {"UNTUNE", kStyleUntune}, {"FOOTER", kStyleFooter},   {"LINE", 0},
    {"SORT", kStyleSort},     {"GRID", kStyleGrid},
};

// '1' to '8' give 1 to 8, anything else 1.
int DigitCount(char c) { return c >= '1' && c <= '8' ? c - '0' : 1; }

}  // namespace

unsigned ParseTableStyle(RecordSetTable* table, const char* text, BOOL set) {
  if (!table) return 0;
  if (!text || !*text) return table->style;
  unsigned style = table->style;
  for (const StyleKeyword& k : kKeywords) {
    const char* at = std::strstr(text, k.word);
    if (!at) continue;
    char next = at[std::strlen(k.word)];
    if (k.bit == 0) {  // LINE: lines per row
      table->context.linesPerRow = set ? DigitCount(next) : 1;
      continue;
    }
    if (set) {
      style |= k.bit;
      if (k.bit == kStyleFooter) table->context.footerLines = DigitCount(next);
    } else {
      style &= ~k.bit;
    }
  }
  table->style = static_cast<uint16_t>(style);
  table->state |= kStateLayout;
  return table->style;
}
