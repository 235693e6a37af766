#include "buffer_records.h"

#include <cstddef>
#include <cstring>

namespace selvy {

PageRecord RecordAt(const BYTE* data, int32_t length, int32_t offset) {
  PageRecord end{offset, 0, kEndRecord};
  if (!data || offset < 0 || offset > length - 3) return end;
  int32_t recordLength = UInt16At(data + offset, field::kLength);
  char type = static_cast<char>(data[offset + field::kType]);
  if (type == 0 || type == kEndRecord) return end;
  if (recordLength < static_cast<int32_t>(PageRecordFixedLength(static_cast<unsigned char>(type))) || recordLength > length - offset) return end;
  return PageRecord{offset, recordLength, type};
}

PageRecord FindPage(const BYTE* data, int32_t length, int page) {
  PageRecord record = RecordAt(data, length, 0);
  for (; !record.End(); record = NextRecord(data, length, record))
    if (record.type == kPageRecord && data[record.offset + field::kPageNumber] == page) break;
  return record;
}

bool StartsWithPage(const BYTE* data, int32_t length) {
  return RecordAt(data, length, 0).type == kPageRecord;
}

int HighestPage(const BYTE* data, int32_t length) {
  int highest = 0;
  for (PageRecord r = RecordAt(data, length, 0); !r.End(); r = NextRecord(data, length, r))
    if (r.type == kPageRecord && data[r.offset + field::kPageNumber] > highest)
      highest = data[r.offset + field::kPageNumber];
  return highest;
}

int32_t Int32At(const BYTE* record, int offset) {
  int32_t value;
  memcpy(&value, record + offset, sizeof value);
  return value;
}

void SetInt32At(BYTE* record, int offset, int32_t value) { memcpy(record + offset, &value, sizeof value); }

uint16_t UInt16At(const BYTE* record, int offset) {
  uint16_t value;
  memcpy(&value, record + offset, sizeof value);
  return value;
}

void SetUInt16At(BYTE* record, int offset, uint16_t value) { memcpy(record + offset, &value, sizeof value); }

RecordText TextOf(const BYTE* data, const PageRecord& record, int offset) {
  const char* text = reinterpret_cast<const char*>(data + record.offset + offset);
  int room = record.length - offset;
  if (room <= 0) return RecordText{"", 0};
  const void* nul = memchr(text, 0, room);
  return RecordText{text, nul ? static_cast<int>(static_cast<const char*>(nul) - text) : room};
}

int PageCharWidth(const BYTE* page) {
  int32_t width = Int32At(page, field::kCharWidth);
  return width < 1 ? 1 : width;
}

int PageLineHeight(const BYTE* page) {
  int32_t height = Int32At(page, field::kLineHeight);
  return height < 1 ? 1 : height;
}

}  // namespace selvy
