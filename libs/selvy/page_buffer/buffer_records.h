// The page view's reading of page-file records: every record is checked
// before it is used. A record shorter than 3 bytes or than its type's
// least length, or one that runs past the data, ends the walk as 'E' does;
// a record of a type the view does not know is passed over by its length.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "page_records.h"

namespace selvy {

// Record types (the writers' letters, as the view's char).
enum : char {
  kPageRecord = kPageRecordPage,
  kBoxRecord = kPageRecordBox,
  kFontRecord = kPageRecordFont,
  kTextRecord = kPageRecordText,
  kHeadRecord = kPageRecordHead,
  kCellRecord = kPageRecordCell,
  kFooterRecord = kPageRecordFooter,
  kGridRecord = kPageRecordGrid,
  kEndRecord = kPageRecordEnd
};

// Field offsets from a record's start, from the writers' layouts.
namespace field {
const int kLength = offsetof(PageRecordHeader, length), kType = offsetof(PageRecordHeader, type);
// '#'
const int kPageNumber = offsetof(PagePageRecord, number), kPageWidth = offsetof(PagePageRecord, width),
          kPageHeight = offsetof(PagePageRecord, height), kCharWidth = offsetof(PagePageRecord, char_width),
          kLineHeight = offsetof(PagePageRecord, line_height);
// 'B'
const int kSides = offsetof(PageBoxRecord, sides), kBoxLeft = offsetof(PageBoxRecord, left),
          kBoxTop = offsetof(PageBoxRecord, top), kBoxRight = offsetof(PageBoxRecord, right),
          kBoxBottom = offsetof(PageBoxRecord, bottom);
// 'F'
const int kPoints = offsetof(PageFontRecord, points), kStyle = offsetof(PageFontRecord, style),
          kFace = offsetof(PageFontRecord, face);
// 'T'
const int kAlignment = offsetof(PageTextRecord, alignment), kText = offsetof(PageTextRecord, text);
// 'H'
const int kHeadColumn = offsetof(PageHeadRecord, column), kHeadLeft = offsetof(PageHeadRecord, left),
          kHeadTop = offsetof(PageHeadRecord, top), kHeadRight = offsetof(PageHeadRecord, right),
          kHeadBottom = offsetof(PageHeadRecord, bottom), kTitle = offsetof(PageHeadRecord, title);
// 'L' and 'R'
const int kCellColumn = offsetof(PageCellRecord, column), kCellFlags = offsetof(PageCellRecord, flags),
          kCellTop = offsetof(PageCellRecord, top), kCellBottom = offsetof(PageCellRecord, bottom),
          kCellText = offsetof(PageCellRecord, text);
// 'G': six values from here
const int kGridValues = offsetof(PageGridRecord, head_line);
}  // namespace field

// Bytes a record takes besides its text: header, fixed fields and the NUL.
const int kHeadOverhead = sizeof(PageHeadRecord), kCellOverhead = sizeof(PageCellRecord),
          kTextOverhead = sizeof(PageTextRecord);
const int kMostRecordLength = kPageRecordMaxLength;

// One checked record: type kEndRecord for the end of the walk (an 'E'
// record, type 0, damage or the end of the data), 0 length then.
struct PageRecord {
  int32_t offset;
  int32_t length;
  char type;
  bool End() const { return type == kEndRecord; }
};

// The record at offset of data[0..length).
PageRecord RecordAt(const BYTE* data, int32_t length, int32_t offset);
inline PageRecord NextRecord(const BYTE* data, int32_t length, const PageRecord& record) {
  return RecordAt(data, length, record.offset + record.length);
}
// The first '#' record with the page number; End() when there is none.
PageRecord FindPage(const BYTE* data, int32_t length, int page);
// True when the data begins with a valid '#' record.
bool StartsWithPage(const BYTE* data, int32_t length);
// The highest page number of all '#' records.
int HighestPage(const BYTE* data, int32_t length);

// Little-endian fields (records are packed, so never through a cast).
int32_t Int32At(const BYTE* record, int offset);
void SetInt32At(BYTE* record, int offset, int32_t value);
uint16_t UInt16At(const BYTE* record, int offset);
void SetUInt16At(BYTE* record, int offset, uint16_t value);

// A text field: from its offset to its NUL or to the record's end,
// whichever comes first.
struct RecordText {
  const char* text;
  int length;
};
RecordText TextOf(const BYTE* data, const PageRecord& record, int offset);

// The offset of a record type's text field; 0 for types without one.
inline int TextOffsetOf(char type) { return static_cast<int>(PageRecordTextOffset(static_cast<unsigned char>(type))); }

// A '#' record's character width and line height, at least 1 each.
int PageCharWidth(const BYTE* page);
int PageLineHeight(const BYTE* page);

}  // namespace selvy
