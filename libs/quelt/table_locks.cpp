// Byte-range locks between processes: the header's first 32 bytes and
// single records; the nested header lock re-reads and writes the header.
#include <cstring>

#include "quelt.h"
#include "table_bytes.h"

namespace {

// Records and memo blocks end at 2 GB: the file object's offsets are 32-bit
// and signed for the seek.
const uint64_t kFileLimit = 0x80000000u;
const uint32_t kHeaderRegion = 32;

}  // namespace

BOOL Table::RecordOffset(uint32_t n, uint32_t* offset) {
  const uint64_t start = headerLength + static_cast<uint64_t>(recordLength) * (n - 1ull);
  if (n == 0 || start + recordLength > kFileLimit) {
    SetError(kErrorBadRecord);
    return FALSE;
  }
  *offset = static_cast<uint32_t>(start);
  return TRUE;
}

BOOL Table::EndOffset(uint32_t n, uint32_t* offset) {
  const uint64_t end = headerLength + static_cast<uint64_t>(recordLength) * n;
  if (end + 1 > kFileLimit) {
    SetError(kErrorBadRecord);
    return FALSE;
  }
  *offset = static_cast<uint32_t>(end);
  return TRUE;
}

// A lock that fails with no error (no locking on this file system) turns
// locking off for good and counts as taken.
BOOL Table::LockRange(FileObject& file, uint32_t offset, uint32_t length) {
  if (file.Lock(offset, length, 1)) return TRUE;
  const uint16_t error = file.GetError();
  if (error) {
    SetError(error);
    return FALSE;
  }
  flags |= kTableNoLock;
  return TRUE;
}

// One unlock call; the error of the operation it ends is kept.
void Table::UnlockRange(FileObject& file, uint32_t offset, uint32_t length) {
  const uint16_t kept = GetError();
  file.Lock(offset, length, 0);
  SetError(kept);
}

BOOL Table::LockRecord(uint32_t n, BOOL on) {
  if (flags & kTableNoLock) return TRUE;
  uint32_t offset = 0, length = kHeaderRegion;
  if (n) {
    if (!RecordOffset(n, &offset)) return FALSE;
    length = recordLength;
  }
  if (!on) {
    UnlockRange(*this, offset, length);
    return TRUE;
  }
  return LockRange(*this, offset, length);
}

BOOL Table::LockHeader(BOOL on) {
  if (flags & kTableNoLock) return TRUE;
  if (on) {
    // The depth is 8 bits: one more would wrap to 0 and lose the lock.
    if (lockDepth == 0xFF) {
      SetError(kErrorBadArgument);
      return FALSE;
    }
    if (lockDepth == 0) {
      if (!LockRecord(0, TRUE)) return FALSE;
      if (flags & kTableNoLock) return TRUE;  // this file system cannot lock
      uint8_t head[kHeaderRegion];
      if (Seek(0) != 0 || Read(head, sizeof head, 9) < sizeof head) {
        if (!GetError()) SetError(kErrorBadHeader);
        LockRecord(0, FALSE);
        return FALSE;
      }
      const uint32_t fileCount = GetDword(head + 4);
      count = CountThatFits(count > fileCount ? count : fileCount);
      std::memcpy(header, head, sizeof head);
      SetError(0);
    }
    ++lockDepth;
    return TRUE;
  }
  if (lockDepth == 0) {
    SetError(kErrorBadArgument);
    return FALSE;
  }
  if (--lockDepth == 0) {
    if (!GetError() && Seek(0) == 0 && Write(header, kHeaderRegion)) Flush();
    LockRecord(0, FALSE);
  }
  return TRUE;
}

void Table::FlushUnlessDeferred() {
  if (!(flags & kTableNoLock) && lockDepth == 0) Flush();
}
