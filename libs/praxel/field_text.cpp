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

// Bytes of a word that are zero: the lowest marked byte is the first zero
// (marks above it may be false, from the borrow).
inline uint32_t ZeroBytes(uint32_t word) { return (word - 0x01010101u) & ~word & 0x80808080u; }

// '.' in every byte of a word: the point a whole number's text is cut at.
const uint32_t kPointBytes = 0x2E2E2E2Eu;

// The bytes of a text column up to its terminator, trailing blanks left
// out; for a whole number (point kPointBytes) only those before its first
// '.'. Four bytes a step, without a branch on the kind: a point of zero
// marks the terminator twice. A row's data is followed by its length word,
// so a word read from within the data stays in the row.
inline size_t RowTextLength(const char* row, size_t size, uint32_t point) {
  size_t end = 0;
  for (; end < size; end += 4) {
    uint32_t word;
    std::memcpy(&word, row + end, sizeof word);
    uint32_t marks = ZeroBytes(word) | ZeroBytes(word ^ point);
    if (!marks) continue;
    end += static_cast<size_t>(__builtin_ctz(marks) >> 3);
    if (end < size && row[end] == '.') return end;  // a whole number's point: no trimming before it
    break;
  }
  if (end > size) end = size;
  while (end && row[end - 1] == ' ') --end;
  return end;
}

// A MONEY number rounded (and grouped in mode 2) in a scratch text before
// it is cut to the buffer. Out of line, as the other texts made elsewhere:
// their scratch space stays off the plain texts' path.
__attribute__((noinline)) long MoneyText(const Column& c, const char* row, size_t length,
                                         char* buffer, long size) {
  char text[kNumberScratch];
  std::memcpy(text, row, length);
  text[length] = '\0';
  RoundMoneyText(text, sizeof text);
  if (c.Mode() == kModeFull) GroupThousands(text, sizeof text, ' ');
  return Deliver(text, buffer, size) + kNumberText;
}

// A text column by its letter: N whole numbers (cut at the point), F
// numbers, F MONEY as above; the others go straight from the row, trimmed.
inline long CharText(const Column& c, const unsigned char* data, char* buffer, long size) {
  const char* row = reinterpret_cast<const char*>(data);
  size_t columnSize = static_cast<size_t>(c.size);
  if (columnSize > kNumberScratch / 2) columnSize = kNumberScratch / 2;  // at most 511 and a zero
  size_t length = RowTextLength(row, columnSize, c.letter == 'N' ? kPointBytes : 0);
  if (c.letter == 'F' && (c.flags & kColumnMoney)) return MoneyText(c, row, length, buffer, size);
  long cut = Cut(static_cast<long>(length), size);
  CopyFewBytes(buffer, row, static_cast<size_t>(cut));
  buffer[cut] = '\0';
  return cut + (c.letter == 'N' || c.letter == 'F' ? kNumberText : 0);
}

// Every C type but text, by its own conversion.
__attribute__((noinline)) long OtherText(const Column& c, const unsigned char* data,
                                         SDWORD indicator, char* buffer, long size) {
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

__attribute__((noinline)) long RecordNumberText(long record, char* buffer, long size) {
  char number[16];
  std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(record & 0xFFFF));
  return Deliver(number, buffer, size) + kNumberText;
}

}  // namespace

long RecordSet::GetFieldText(unsigned long column, char* buffer, long size) {
  column &= 0xFFFF;
  if (column > columnCount_ || size < 1 || !buffer) return 0;
  buffer[0] = '\0';
  if (size > 1) buffer[1] = '\0';
  if (column == 0) return RecordNumberText(currentRecord_, buffer, size);
  const Column& c = columns_[column - 1];
  if (c.IsLongData() || !currentRow_) return 0;
  const unsigned char* data = CurrentData(c);
  SDWORD indicator = *CurrentIndicator(c);
  if (indicator == SQL_NULL_DATA) return 0;
  if (c.cType == SQL_C_CHAR) return CharText(c, data, buffer, size);
  return OtherText(c, data, indicator, buffer, size);
}
