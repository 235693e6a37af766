#include "buffer_records.h"

#include <cstddef>
#include <cstring>

#include "page_file.h"

namespace selvy {

// The offsets agree with the writers' layouts.
static_assert(offsetof(PagePageRecord, number) == field::kPageNumber &&
                  offsetof(PagePageRecord, char_width) == field::kCharWidth &&
                  offsetof(PagePageRecord, line_height) == field::kLineHeight,
              "'#' fields");
static_assert(offsetof(PageBoxRecord, sides) == field::kSides && offsetof(PageBoxRecord, bottom) == field::kBoxBottom,
              "'B' fields");
static_assert(offsetof(PageFontRecord, style) == field::kStyle && offsetof(PageFontRecord, face) == field::kFace,
              "'F' fields");
static_assert(offsetof(PageTextRecord, text) == field::kText, "'T' fields");
static_assert(offsetof(PageHeadRecord, left) == field::kHeadLeft && offsetof(PageHeadRecord, title) == field::kTitle,
              "'H' fields");
static_assert(offsetof(PageCellRecord, flags) == field::kCellFlags && offsetof(PageCellRecord, top) == field::kCellTop &&
                  offsetof(PageCellRecord, text) == field::kCellText,
              "'L' fields");
static_assert(sizeof(PageHeadRecord) == kHeadOverhead && sizeof(PageCellRecord) == kCellOverhead &&
                  sizeof(PageTextRecord) == kTextOverhead,
              "record overheads");

int LeastRecordLength(char type) {
  switch (type) {
    case kPageRecord:
    case kBoxRecord:
      return 20;
    case kFontRecord:
      return 7;
    case kTextRecord:
      return 5;
    case kHeadRecord:
      return 21;
    case kCellRecord:
    case kFooterRecord:
      return 15;
    case kGridRecord:
      return 27;
    default:
      return 3;
  }
}

PageRecord RecordAt(const BYTE* data, int32_t length, int32_t offset) {
  PageRecord end{offset, 0, kEndRecord};
  if (!data || offset < 0 || offset > length - 3) return end;
  int32_t recordLength = UInt16At(data + offset, field::kLength);
  char type = static_cast<char>(data[offset + field::kType]);
  if (type == 0 || type == kEndRecord) return end;
  if (recordLength < LeastRecordLength(type) || recordLength > length - offset) return end;
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

int TextOffsetOf(char type) {
  switch (type) {
    case kHeadRecord:
      return field::kTitle;
    case kCellRecord:
    case kFooterRecord:
      return field::kCellText;
    case kTextRecord:
      return field::kText;
    case kFontRecord:
      return field::kFace;
    default:
      return 0;
  }
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
