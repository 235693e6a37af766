#include "record_edit.h"

#include <cstring>

#include "page_reading.h"
#include "buffer_records.h"

namespace selvy {

namespace {

// Coordinates of damaged files may be anything: sums wrap instead of
// overflowing.
int32_t Wrapped(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrappedDifference(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// The row under y: its first cell's offset, its cells and its height.
struct FoundRow {
  bool found = false;
  int32_t offset = 0;
  int heads = 0;
  int32_t top = 0, bottom = 0;
};

FoundRow FindRow(const BYTE* data, int32_t length, int page, double y) {
  FoundRow row;
  PageRecord r = FindPage(data, length, page);
  if (r.End()) return row;
  bool groupEnded = false;
  for (r = NextRecord(data, length, r); !r.End() && r.type != kPageRecord; r = NextRecord(data, length, r)) {
    const BYTE* at = data + r.offset;
    if (r.type == kHeadRecord) {
      if (groupEnded) row.heads = 0;
      groupEnded = false;
      ++row.heads;
    } else if (r.type == kGridRecord) {
      groupEnded = true;
    } else if (r.type == kCellRecord && at[field::kCellColumn] == 0) {
      int32_t top = Int32At(at, field::kCellTop), bottom = Int32At(at, field::kCellBottom);
      if (y >= top && y < bottom) {
        if (groupEnded) row.heads = 0;
        row.found = true;
        row.offset = r.offset;
        row.top = top;
        row.bottom = bottom;
        return row;
      }
    }
  }
  return row;
}

// The end of up to `cells` consecutive 'L' records from offset.
int32_t EndOfCells(const BYTE* data, int32_t length, int32_t offset, int cells) {
  PageRecord r = RecordAt(data, length, offset);
  for (int i = 0; i < cells && r.type == kCellRecord; ++i) r = NextRecord(data, length, r);
  return r.offset;
}

// Moves the tops and bottoms of the page's records from offset on (up to
// the next '#' or the end) by dy.
void MoveRecords(BYTE* data, int32_t length, int32_t offset, int32_t dy) {
  for (PageRecord r = RecordAt(data, length, offset); !r.End() && r.type != kPageRecord;
       r = NextRecord(data, length, r)) {
    BYTE* at = data + r.offset;
    int top = 0, bottom = 0;
    switch (r.type) {
      case kBoxRecord:
        top = field::kBoxTop, bottom = field::kBoxBottom;
        break;
      case kHeadRecord:
        top = field::kHeadTop, bottom = field::kHeadBottom;
        break;
      case kCellRecord:
      case kFooterRecord:
        top = field::kCellTop, bottom = field::kCellBottom;
        break;
      default:
        continue;
    }
    SetInt32At(at, top, Wrapped(Int32At(at, top), dy));
    SetInt32At(at, bottom, Wrapped(Int32At(at, bottom), dy));
  }
}

// Makes `bytes` of room at offset (the rest of the data moves behind it);
// false when the block cannot grow.
bool OpenGap(BYTE** buffer, int32_t* length, int32_t offset, int32_t bytes) {
  if (bytes > 0x7FFFFFF0 - *length) return false;
  if (!GrowPageBlock(buffer, static_cast<size_t>(*length) + bytes)) return false;
  memmove(*buffer + offset + bytes, *buffer + offset, *length - offset);
  *length += bytes;
  return true;
}

void CloseGap(BYTE* data, int32_t* length, int32_t offset, int32_t bytes) {
  memmove(data + offset, data + offset + bytes, *length - offset - bytes);
  *length -= bytes;
  memset(data + *length, 0, bytes);
}

}  // namespace

Alignment AlignmentOf(const BYTE* record) {
  switch (record[field::kType]) {
    case kCellRecord:
    case kFooterRecord: {
      uint16_t flags = UInt16At(record, field::kCellFlags);
      if (flags & DT_CENTER) return Alignment::kCenter;
      if (flags & DT_RIGHT) return Alignment::kRight;
      return Alignment::kLeft;
    }
    case kTextRecord:
      if (record[field::kAlignment] == 'C') return Alignment::kCenter;
      if (record[field::kAlignment] == 'R') return Alignment::kRight;
      return Alignment::kLeft;
    default:
      return Alignment::kCenter;
  }
}

int MostTextLength(char type) {
  switch (type) {
    case kHeadRecord:
      return kMostRecordLength - kHeadOverhead;
    case kCellRecord:
    case kFooterRecord:
      return kMostRecordLength - kCellOverhead;
    case kTextRecord:
      return kMostRecordLength - kTextOverhead;
    default:
      return 0;
  }
}

bool RebuildRecord(BYTE** buffer, int32_t* length, int32_t offset, const char* text, int textLength,
                   Alignment alignment) {
  PageRecord record = RecordAt(*buffer, *length, offset);
  if (record.End() || textLength < 0 || textLength > MostTextLength(record.type)) return false;
  int textAt = TextOffsetOf(record.type);
  int32_t newLength = textAt + textLength + 1;
  int32_t delta = newLength - record.length;
  if (delta > 0 && !OpenGap(buffer, length, offset + record.length, delta)) return false;
  if (delta < 0) CloseGap(*buffer, length, offset + newLength, -delta);
  BYTE* at = *buffer + offset;
  memcpy(at + textAt, text, textLength);
  at[textAt + textLength] = 0;
  SetUInt16At(at, field::kLength, static_cast<uint16_t>(newLength));
  if (record.type == kCellRecord || record.type == kFooterRecord) {
    uint16_t flags = UInt16At(at, field::kCellFlags) & ~(DT_CENTER | DT_RIGHT);
    if (alignment == Alignment::kCenter) flags |= DT_CENTER;
    if (alignment == Alignment::kRight) flags |= DT_RIGHT;
    SetUInt16At(at, field::kCellFlags, flags);
  } else if (record.type == kTextRecord) {
    at[field::kAlignment] = alignment == Alignment::kCenter ? 'C' : alignment == Alignment::kRight ? 'R' : 'L';
  }
  return true;
}

bool DeleteRow(BYTE** buffer, int32_t* length, int page, double y) {
  FoundRow row = FindRow(*buffer, *length, page, y);
  if (!row.found) return false;
  int32_t end = EndOfCells(*buffer, *length, row.offset, row.heads);
  if (end == row.offset) return true;
  CloseGap(*buffer, length, row.offset, end - row.offset);
  MoveRecords(*buffer, *length, row.offset, WrappedDifference(row.top, row.bottom));
  return true;
}

bool AddRow(BYTE** buffer, int32_t* length, int page, double y, bool below) {
  FoundRow row = FindRow(*buffer, *length, page, y);
  if (!row.found) return false;
  int32_t height = WrappedDifference(row.bottom, row.top);
  int32_t at = below ? EndOfCells(*buffer, *length, row.offset, row.heads) : row.offset;
  int32_t bytes = row.heads * kCellOverhead;
  if (bytes == 0 || !OpenGap(buffer, length, at, bytes)) return true;
  for (int column = 0; column < row.heads; ++column) {
    BYTE* cell = *buffer + at + column * kCellOverhead;
    memset(cell, 0, kCellOverhead);
    SetUInt16At(cell, field::kLength, kCellOverhead);
    cell[field::kType] = kCellRecord;
    cell[field::kCellColumn] = static_cast<BYTE>(column);
    SetInt32At(cell, field::kCellTop, below ? row.bottom : row.top);
    SetInt32At(cell, field::kCellBottom, below ? Wrapped(row.bottom, height) : row.bottom);
  }
  MoveRecords(*buffer, *length, at + bytes, height);
  return true;
}

}  // namespace selvy
