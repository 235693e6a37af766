// The page view's reading of page-file records: every record is checked
// before it is used. A record shorter than 3 bytes or than its type's
// least length, or one that runs past the data, ends the walk as 'E' does;
// a record of a type the view does not know is passed over by its length.
#pragma once
#include <windows.h>

#include <cstdint>

namespace selvy {

// Record types.
enum : char {
  kPageRecord = '#',
  kBoxRecord = 'B',
  kFontRecord = 'F',
  kTextRecord = 'T',
  kHeadRecord = 'H',
  kCellRecord = 'L',
  kFooterRecord = 'R',
  kGridRecord = 'G',
  kEndRecord = 'E'
};

// Field offsets from a record's start.
namespace field {
const int kLength = 0, kType = 2;
// '#'
const int kPageNumber = 3, kPageWidth = 4, kPageHeight = 8, kCharWidth = 12, kLineHeight = 16;
// 'B'
const int kSides = 3, kBoxLeft = 4, kBoxTop = 8, kBoxRight = 12, kBoxBottom = 16;
// 'F'
const int kPoints = 3, kStyle = 4, kFace = 6;
// 'T'
const int kAlignment = 3, kText = 4;
// 'H'
const int kHeadColumn = 3, kHeadLeft = 4, kHeadTop = 8, kHeadRight = 12, kHeadBottom = 16, kTitle = 20;
// 'L' and 'R'
const int kCellColumn = 3, kCellFlags = 4, kCellTop = 6, kCellBottom = 10, kCellText = 14;
// 'G': six values from here
const int kGridValues = 3;
}  // namespace field

// Bytes a record takes besides its text: header, fixed fields and the NUL.
const int kHeadOverhead = 21, kCellOverhead = 15, kTextOverhead = 5;
const int kMostRecordLength = 0xFFFF;

// One checked record: type kEndRecord for the end of the walk (an 'E'
// record, type 0, damage or the end of the data), 0 length then.
struct PageRecord {
  int32_t offset;
  int32_t length;
  char type;
  bool End() const { return type == kEndRecord; }
};

// The least length of a known type; 3 for others.
int LeastRecordLength(char type);

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
int TextOffsetOf(char type);

// A '#' record's character width and line height, at least 1 each.
int PageCharWidth(const BYTE* page);
int PageLineHeight(const BYTE* page);

}  // namespace selvy
