#include "page_walker.h"

#include <cstring>

size_t PageRecordFixedLength(unsigned char type) {
  switch (type) {
    case kPageRecordPage: return sizeof(PagePageRecord);
    case kPageRecordBox: return sizeof(PageBoxRecord);
    case kPageRecordFont: return sizeof(PageFontRecord);
    case kPageRecordText: return sizeof(PageTextRecord);
    case kPageRecordHead: return sizeof(PageHeadRecord);
    case kPageRecordCell:
    case kPageRecordFooter: return sizeof(PageCellRecord);
    case kPageRecordGrid: return sizeof(PageGridRecord);
    default: return sizeof(PageRecordHeader);
  }
}

size_t PageRecordTextOffset(unsigned char type) {
  switch (type) {
    case kPageRecordFont: return offsetof(PageFontRecord, face);
    case kPageRecordText: return offsetof(PageTextRecord, text);
    case kPageRecordHead: return offsetof(PageHeadRecord, title);
    case kPageRecordCell:
    case kPageRecordFooter: return offsetof(PageCellRecord, text);
    default: return 0;
  }
}

namespace {

bool KnownType(unsigned char type) {
  switch (type) {
    case kPageRecordPage:
    case kPageRecordBox:
    case kPageRecordFont:
    case kPageRecordText:
    case kPageRecordHead:
    case kPageRecordCell:
    case kPageRecordFooter:
    case kPageRecordGrid:
    case kPageRecordEnd:
      return true;
    default:
      return false;
  }
}

}  // namespace

PageRecordWalker::PageRecordWalker(const void* bytes, size_t size)
    : bytes_(static_cast<const unsigned char*>(bytes)), size_(bytes ? size : 0) {}

bool PageRecordWalker::Reject(size_t at) {
  done_ = true;
  error_ = kPageFileBadFormat;
  error_offset_ = at;
  return false;
}

bool PageRecordWalker::Next(PageRecordView* record) {
  while (!done_) {
    const size_t at = offset_;
    const size_t left = size_ - at;
    if (left == 0) {
      // The bytes end between records: an empty file has no '#' page.
      if (at == 0) return Reject(0);
      done_ = true;
      return false;
    }
    if (left < sizeof(PageRecordHeader)) return Reject(at);
    const unsigned char* p = bytes_ + at;
    const size_t length = static_cast<size_t>(p[0]) | static_cast<size_t>(p[1]) << 8;
    const unsigned char type = p[2];
    if (at == 0 && type != kPageRecordPage) return Reject(0);
    if (type == 0) {
      done_ = true;
      return false;
    }
    if (length < PageRecordFixedLength(type) || length > left) return Reject(at);
    if (type == kPageRecordEnd) {
      done_ = true;
      return false;
    }
    offset_ = at + length;
    if (!KnownType(type)) continue;

    record->bytes = p;
    record->offset = at;
    record->length = length;
    record->type = type;
    record->text = nullptr;
    record->text_length = 0;
    if (const size_t text_at = PageRecordTextOffset(type)) {
      const void* nul = std::memchr(p + text_at, 0, length - text_at);
      if (!nul) return Reject(at);
      record->text = reinterpret_cast<const char*>(p + text_at);
      record->text_length = static_cast<size_t>(static_cast<const unsigned char*>(nul) - (p + text_at));
    }
    return true;
  }
  return false;
}

int CheckPageFile(const void* bytes, size_t size, size_t* bad_offset) {
  PageRecordWalker walker(bytes, size);
  PageRecordView record;
  while (walker.Next(&record)) {
  }
  if (bad_offset) *bad_offset = walker.error_offset();
  return walker.error();
}
