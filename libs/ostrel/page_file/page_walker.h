// Reading a page file record by record with the reader's rules: the first
// record must be '#'; the file ends at 'E', at a type byte 0 or where the
// bytes end between records; a type this format does not know is skipped
// by its length. A record shorter than 3 bytes or than its type's fixed
// part, one that runs past the end of the bytes, or one whose text has no
// NUL is rejected with message 11 and its offset. The walker reads nothing
// outside the bytes it is given.
#pragma once
#include <cstddef>
#include <cstdint>

#include "page_records.h"

// Message number of a damaged page file ("неверный формат данных").
constexpr int kPageFileBadFormat = 11;

// One record as found in the bytes.
struct PageRecordView {
  const unsigned char* bytes;  // the record's first byte
  size_t offset;               // from the start of the file
  size_t length;               // the record's length field
  unsigned char type;
  const char* text;    // the NUL-terminated text of 'F', 'T', 'H', 'L', 'R'; else null
  size_t text_length;  // its length up to the NUL

  // The record as its layout (the walker has checked the fixed part).
  template <typename Record>
  const Record* As() const {
    return reinterpret_cast<const Record*>(bytes);
  }
};

class PageRecordWalker {
 public:
  PageRecordWalker(const void* bytes, size_t size);

  // The next record of a known type, true; false at the end of the file
  // (error() 0) or on a damaged record (error() 11, error_offset()).
  bool Next(PageRecordView* record);

  int error() const { return error_; }
  size_t error_offset() const { return error_offset_; }
  // Where the walk stands: after the last record returned, or at the 'E'
  // or type 0 that ended it.
  size_t offset() const { return offset_; }

 private:
  bool Reject(size_t at);

  const unsigned char* bytes_;
  size_t size_;
  size_t offset_ = 0;
  bool done_ = false;
  int error_ = 0;
  size_t error_offset_ = 0;
};

// Walks all the bytes: 0 when the file is sound to its end, else 11 with
// *bad_offset (when given) set to the damaged record's offset.
int CheckPageFile(const void* bytes, size_t size, size_t* bad_offset = nullptr);
