// Column names, widths, display options, event ids and footers.
#include <cstdlib>
#include <cstring>

#include "record_set.h"

namespace {
const size_t kNameLength = 31;

bool EndsName(unsigned char c) { return c < '0'; }
}  // namespace

long RecordSet::FieldIndex(const char* text) {
  if (!text || !columns_) return 0;
  char name[kNameLength + 1];
  size_t n = 0;
  bool quoted = false;
  for (const char* p = text; *p; ++p) {
    char c = *p;
    if (quoted) {
      if (c == '\'') break;
    } else if (c == '\'') {
      quoted = true, n = 0;
      continue;
    } else if (c == '.') {
      n = 0;
      continue;
    } else if (EndsName(static_cast<unsigned char>(c))) {
      break;
    }
    if (n < kNameLength) name[n++] = c;
  }
  name[n] = '\0';
  for (uint16_t i = 0; i < columnCount_; ++i)
    if (_stricmp(columns_[i].name, name) == 0) return i + 1;
  return 0;
}

long RecordSet::FieldName(unsigned long column, char* buffer, long size) {
  const Column* c = ColumnAt(column);
  if (!c || !buffer || size < 1) return 0;
  size_t length = strnlen(c->name, kColumnNameSize - 1);
  if (length > static_cast<size_t>(size - 1)) length = static_cast<size_t>(size - 1);
  std::memcpy(buffer, c->name, length);
  buffer[length] = '\0';
  return static_cast<long>(length);
}

long RecordSet::FieldWidth(unsigned long column, BOOL asText) {
  const Column* c = ColumnAt(column);
  if (!c) return 0;
  int mode = c->Mode();
  if (asText) {
    if (c->IsLongData()) return 0;
    mode = kModeFull;
  } else if (mode == kModeHidden) {
    return 0;
  }
  if ((c->flags & kColumnVirtual) && c->userWidth) return c->userWidth;
  const bool money = (c->flags & kColumnMoney) != 0;
  switch (c->cType) {
    case SQL_C_CHAR:
    case SQL_C_DOUBLE:
      if (mode != kModeFull) {
        if (c->userWidth) return c->userWidth;
        return money ? c->displayWidth - 2 : -static_cast<long>(c->displayWidth);
      }
      return money ? c->displayWidth - 2 : c->displayWidth;
    case SQL_C_TIMESTAMP:
      if (c->letter == 'T') return mode == kModeFull ? 19 : 14;
      return mode == kModeFull ? 10 : 8;
    default:
      return c->displayWidth;
  }
}

long RecordSet::SetFieldWidth(unsigned long column, unsigned long width) {
  Column* c = ColumnRecord(column);
  if (!c) return 0;
  c->userWidth = static_cast<uint16_t>(width);
  return FieldWidth(column, FALSE);
}

long RecordSet::FieldOption(unsigned long column, unsigned long code) {
  Column* c = ColumnRecord(column);
  code &= 0xFFFF;
  if (!c || code < 1 || code > 23) return 0;
  auto setMode = [c](int mode) {
    c->flags = static_cast<uint16_t>((c->flags & ~kColumnMode) | mode);
    return 1L;
  };
  const long index = (column & 0xFFFF);
  switch (code) {
    case 1: return setMode(kModeHidden);
    case 2: return setMode(kModeFull);
    case 3: return setMode(kModeFixed);
    case 4: return setMode(kModeNormal);
    case 10: return c->Mode() == kModeHidden;
    case 11: return c->Mode() == kModeFull;
    case 12: return c->Mode() == kModeFixed;
    case 13: return c->Mode() == kModeNormal;
    case 14: return (c->flags & kColumnBitmap) != 0;
    case 15: return (c->flags & kColumnWrap) != 0;
    case 16: return (c->flags & kColumnVirtual) != 0;
    case 17: return c->IsLongData();
    case 18: return (c->flags & kColumnSortKey) != 0;
    case 19: case 20: case 21: case 22: return sortColumns_[code - 19] == index;
    case 23: return (c->flags & kColumnPrint) != 0;
    default: return 0;
  }
}

long RecordSet::FieldType(unsigned long column) {
  const Column* c = ColumnAt(column);
  return c ? static_cast<unsigned char>(c->letter) : 0;
}

long RecordSet::FieldEvent(unsigned long column) {
  const Column* c = ColumnAt(column);
  return c ? c->event : 0;
}

long RecordSet::GetFieldTextByName(const char* name, char* buffer, long size) {
  long column = FieldIndex(name);
  return column ? GetFieldText(column, buffer, size) : 0;
}

BOOL RecordSet::SetFooter(unsigned long column, char* text) {
  Column* c = ColumnRecord(column);
  if (!c || c->IsLongData()) {
    std::free(text);
    return FALSE;
  }
  std::free(c->extra);
  c->extra = text;
  return TRUE;
}

long RecordSet::GetFooter(unsigned long column, char* buffer, long size) {
  const Column* c = ColumnAt(column);
  if (!c || c->IsLongData() || !c->extra) return 0;
  const char* footer = static_cast<const char*>(c->extra);
  long length = static_cast<long>(std::strlen(footer));
  if (!buffer) {
    long lines = 1;
    for (const char* p = footer; *p; ++p) lines += *p == '\n';
    return (lines << 16) | (length & 0xFFFF);
  }
  if (size < 1) return 0;
  long result;
  if (size <= length) {  // cut to the buffer, without a terminator
    std::memcpy(buffer, footer, static_cast<size_t>(size));
    result = size;
  } else {
    std::memcpy(buffer, footer, static_cast<size_t>(length) + 1);
    result = length;
  }
  return c->letter == 'C' ? result : result + kNumberText;
}
