// The option language of PRAXEL_FldOption: "KEY=value;..." items.
#include <cstdlib>
#include <cstring>
#include <string>

#include "blank_helpers.h"
#include "keyword_list.h"
#include "record_set.h"

namespace {

const size_t kOptionLength = 128;
const char kKeys[] = "WIDTH\0TYPE\0MODE\0EVENT\0GET\0";
const char kModes[] = "HIDE\0FULL\0VIRTUAL\0MONEY\0BITMAP\0WRAP\0PRINT\0FIXED\0";
const char kGets[] = "EDIT\0WIDTH\0DEC\0SIZE\0INC\0";
enum Key { kWidth = 1, kType, kMode, kEvent, kGet };
enum Mode { kHide = 1, kFull, kVirtual, kMoney, kBitmap, kWrap, kPrint, kFixed };

void SetMode(Column& c, int mode) { c.flags = static_cast<uint16_t>((c.flags & ~kColumnMode) | mode); }

// PRINT marks a hidden column printable and a shown one not.
void MarkPrintable(Column& c) {
  if (c.Mode() == kModeHidden) c.flags |= kColumnPrint;
  else c.flags &= ~kColumnPrint;
}

}  // namespace

long RecordSet::ApplyFieldOption(unsigned long column, const char* option) {
  if (!option) return 1;
  column &= 0xFFFF;
  if (column > columnCount_) return 0;
  std::string text(option, strnlen(option, kOptionLength));
  text.resize(RemoveBlanks(&text[0], static_cast<unsigned>(text.size())));
  if (text.empty()) return 1;
  CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(';', at);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(at, end - at);
    at = end + 1;
    if (item.empty()) continue;
    size_t equal = item.find('=');
    std::string key = item.substr(0, equal);
    std::string value = equal == std::string::npos ? "" : item.substr(equal + 1);
    int k = KeywordIndex(kKeys, key.c_str());
    if (k == 0) return 0;
    if (column == 0) {  // all columns: MODE=PRINT only
      if (k != kMode || KeywordIndex(kModes, value.c_str()) != kPrint) return 0;
      for (uint16_t i = 0; i < columnCount_; ++i) MarkPrintable(columns_[i]);
      continue;
    }
    Column& c = columns_[column - 1];
    switch (k) {
      case kWidth: {
        long width = std::atol(value.c_str());
        if (width < 1) return 0;
        if (width < c.displayWidth) c.userWidth = static_cast<uint16_t>(width);
        break;
      }
      case kType:
        if (value.empty() || !std::strchr("NFDTC", value[0])) return 0;
        c.letter = value[0];
        if (value[0] == 'F' && value.size() > 1 && value[1] >= '0' && value[1] <= '9')
          c.decimals = static_cast<uint8_t>(std::atoi(value.c_str() + 1));
        break;
      case kMode:
        switch (KeywordIndex(kModes, value.c_str())) {
          case kHide: SetMode(c, kModeHidden); break;
          case kFull: SetMode(c, kModeFull); break;
          case kVirtual: c.flags |= kColumnVirtual; break;
          case kMoney: c.flags |= kColumnMoney; break;
          case kBitmap: c.flags |= kColumnBitmap | kColumnVirtual; break;
          case kWrap: c.flags |= kColumnWrap; break;
          case kPrint: MarkPrintable(c); break;
          case kFixed: SetMode(c, kModeFixed); break;
          default: return 0;
        }
        break;
      case kEvent:
        c.event = static_cast<uint16_t>(std::atol(value.c_str()));
        break;
      case kGet:
        switch (KeywordIndex(kGets, value.c_str())) {
          case 1: return (c.flags & kColumnUpdatable) != 0;
          case 2: return c.displayWidth;
          case 3: return c.decimals;
          case 4: return c.size;
          case 5: return (c.flags & kColumnAutoIncrement) != 0;
          default: return 0;
        }
    }
  }
  return 1;
}
