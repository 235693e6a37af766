// The text of a column in the current row (GetFieldText).
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "date_time.h"
#include "money_text.h"
#include "odbc_helpers.h"
#include "record_set.h"
#include "row_copy.h"
#include "text_helpers.h"

namespace {

const int kNumberScratch = 1024;  // any double in "%*.*f" with 8-bit width and decimals

long Cut(long length, long size) { return length < size ? length : size - 1; }

// A text made elsewhere, copied into the caller's buffer and terminated.
long Deliver(const char* text, char* buffer, long size) {
  long length = Cut(static_cast<long>(std::strlen(text)), size);
  std::memcpy(buffer, text, static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}

long TimestampText(const Column& c, const TIMESTAMP_STRUCT& value, char* buffer, long size) {
  SYSTEMTIME st = FromTimestamp(value);
  const bool full = c.Mode() == kModeFull;
  char picture[kDateTextSize] = "";
  if (full) GetDatePicture(picture, sizeof picture);
  char text[128] = "";
  int n = GetDateFormatA(LOCALE_SYSTEM_DEFAULT, full ? 0 : DATE_SHORTDATE, &st,
                         full ? picture : nullptr, text, sizeof text);
  size_t length = n > 0 ? static_cast<size_t>(n - 1) : 0;
  if (c.letter == 'T' && length + 2 < sizeof text) {
    text[length++] = ' ';
    n = GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, TIME_FORCE24HOURFORMAT, &st,
                       full ? nullptr : "HH:mm", text + length,
                       static_cast<int>(sizeof text - length));
    length += n > 0 ? static_cast<size_t>(n - 1) : 0;
  }
  text[length] = '\0';
  return Deliver(text, buffer, size);
}

// The bytes of a text column up to its terminator, trailing blanks left
// out; for a whole number ('N') only those before its first '.'. One pass
// of plain loops: the runtime's string calls cost more than these few bytes.
size_t RowTextLength(const char* row, size_t size, bool wholeNumber) {
  size_t length = 0, end = 0;
  while (length < size && row[length]) {
    if (row[length] == '.' && wholeNumber) return length;
    if (row[length++] != ' ') end = length;
  }
  return end;
}

// A text column by its letter: N whole numbers (cut at the point), F
// numbers, F MONEY rounded (and grouped in mode 2) in a scratch text before
// it is cut to the buffer; the others go straight from the row, trimmed.
long CharText(const Column& c, const unsigned char* data, char* buffer, long size) {
  const char* row = reinterpret_cast<const char*>(data);
  size_t columnSize = static_cast<size_t>(c.size);
  if (columnSize > kNumberScratch / 2) columnSize = kNumberScratch / 2;  // at most 511 and a zero
  size_t length = RowTextLength(row, columnSize, c.letter == 'N');
  if (c.letter == 'F' && (c.flags & kColumnMoney)) {
    char text[kNumberScratch];
    std::memcpy(text, row, length);
    text[length] = '\0';
    RoundMoneyText(text, sizeof text);
    if (c.Mode() == kModeFull) GroupThousands(text, sizeof text, ' ');
    return Deliver(text, buffer, size) + kNumberText;
  }
  long cut = Cut(static_cast<long>(length), size);
  CopyRowBytes(buffer, row, static_cast<size_t>(cut));
  buffer[cut] = '\0';
  return cut + (c.letter == 'N' || c.letter == 'F' ? kNumberText : 0);
}

}  // namespace

long RecordSet::GetFieldText(unsigned long column, char* buffer, long size) {
  column &= 0xFFFF;
  if (column > columnCount_ || size < 1 || !buffer) return 0;
  buffer[0] = '\0';
  if (size > 1) buffer[1] = '\0';
  if (column == 0) {
    char number[16];
    std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(currentRecord_ & 0xFFFF));
    return Deliver(number, buffer, size) + kNumberText;
  }
  const Column& c = columns_[column - 1];
  if (c.IsLongData() || !currentRow_) return 0;
  const unsigned char* data = CurrentData(c);
  SDWORD indicator = *CurrentIndicator(c);
  if (indicator == SQL_NULL_DATA) return 0;
  switch (c.cType) {
    case SQL_C_SLONG: {
      SDWORD value;
      std::memcpy(&value, data, sizeof value);
      char text[16];
      std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
      return Deliver(text, buffer, size) + kNumberText;
    }
    case SQL_C_GUID: {
      GUID guid;
      std::memcpy(&guid, data, sizeof guid);
      WCHAR wide[40];
      char text[40] = "";
      if (StringFromGUID2(guid, wide, 40) > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      return Deliver(text, buffer, size) + kNumberText;
    }
    case SQL_C_BINARY: {
      if (c.letter != 'B') return Deliver("ERROR", buffer, size);
      long bytes = indicator >= 0 && indicator < c.size ? indicator : c.size;
      if (bytes > size) bytes = size;
      std::memcpy(buffer, data, static_cast<size_t>(bytes));
      return bytes;
    }
    case SQL_C_CHAR:
      return CharText(c, data, buffer, size);
    case SQL_C_DOUBLE: {
      double value;
      std::memcpy(&value, data, sizeof value);
      char text[kNumberScratch];
      std::snprintf(text, sizeof text, "%*.*f", static_cast<int>(c.displayWidth & 0xFF),
                    static_cast<int>(c.decimals), value);
      return Deliver(text, buffer, size) + kNumberText;
    }
    case SQL_C_TIMESTAMP: {
      TIMESTAMP_STRUCT value;
      std::memcpy(&value, data, sizeof value);
      return TimestampText(c, value, buffer, size);
    }
    default:
      return Deliver("ERROR", buffer, size);
  }
}
