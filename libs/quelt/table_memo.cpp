// Memo texts in the .DBT, in 512-byte blocks: the memo of the record held
// in the record buffer, found by the block number in its memo field.
#include <cstring>

#include "quelt.h"
#include "table_bytes.h"
#include "text_coder.h"

namespace {

const uint32_t kBlock = 512;
const uint8_t kEndOfMemo = 0x1A;
const uint32_t kLongestMemo = 65535;
// Blocks past this would lie beyond the file object's 2 GB.
const uint32_t kBlockLimit = 0x80000000u / kBlock;

// Block 0 is the file's header, and the blocks before the next free one
// are in the file (its last one may be short).
bool SoundNextFree(uint32_t freeBlock, uint32_t fileSize) {
  return freeBlock >= 1 && freeBlock <= (fileSize + kBlock - 1) / kBlock;
}

}  // namespace

uint32_t Table::ReadMemo(char* buffer, uint32_t size) {
  if (!buffer || size == 0) return 0;
  if (!memoField) {
    SetError(kErrorNoField);
    return 0;
  }
  const uint32_t first = FieldValue(memoField);
  if (first == 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (first >= kBlockLimit) {
    SetError(kErrorBadRecord);
    return 0;
  }
  char memoName[MAX_PATH];
  FileObject memo;
  if (!MemoFileName(memoName) || !memo.Open(memoName, kFileRead)) {
    SetError(memo.GetError() ? memo.GetError() : kErrorBadArgument);
    return 0;
  }
  uint8_t block[kBlock];
  uint8_t* out = reinterpret_cast<uint8_t*>(buffer);
  uint32_t total = 0;
  memo.Seek(first * kBlock);
  while (total < size) {
    const uint32_t got = memo.Read(block, kBlock, 1);
    if (memo.GetError()) {
      SetError(memo.GetError());
      break;
    }
    const void* end = std::memchr(block, kEndOfMemo, got);
    uint32_t part = end ? static_cast<uint32_t>(static_cast<const uint8_t*>(end) - block) : got;
    if (part > size - total) part = size - total;
    if (flags & kTableRaw)
      std::memcpy(out + total, block, part);
    else
      OemToAnsiBytes(out + total, block, part);
    total += part;
    if (part < kBlock) break;
  }
  if (total < size) out[total] = '\0';
  return total;
}

// Blocks of the memo from block first up to the one holding its end mark,
// or up to a short or failed read.
uint32_t Table::MeasureMemo(FileObject& memo, uint32_t first) {
  uint8_t block[kBlock];
  uint32_t blocks = 0;
  if (memo.Seek(first * kBlock) != first * kBlock) return 0;
  for (;;) {
    const uint32_t got = memo.Read(block, kBlock, 1);
    if (memo.GetError() || got == 0) break;
    ++blocks;
    if (got < kBlock || std::memchr(block, kEndOfMemo, got)) break;
  }
  return blocks;
}

BOOL Table::WriteMemoBlocks(FileObject& memo, uint32_t first, const char* text, uint32_t length,
                            uint32_t* written) {
  const uint32_t needed = length / kBlock + 1;
  if (first >= kBlockLimit || needed > kBlockLimit - first) {
    SetError(kErrorBadRecord);
    return FALSE;
  }
  if (memo.Seek(first * kBlock) != first * kBlock) {
    SetError(memo.GetError());
    return FALSE;
  }
  const uint8_t* in = reinterpret_cast<const uint8_t*>(text);
  uint8_t block[kBlock];
  for (uint32_t done = 0; done <= length; done += kBlock) {
    const uint32_t part = length - done < kBlock ? length - done : kBlock;
    if (flags & kTableRaw)
      std::memcpy(block, in + done, part);
    else
      AnsiToOemBytes(block, in + done, part);
    // The last block: the end mark and zeros after the text. A text that
    // fills its last block is followed by one that begins with the mark.
    if (part < kBlock) {
      block[part] = kEndOfMemo;
      std::memset(block + part + 1, 0, kBlock - part - 1);
    }
    if (!memo.Write(block, kBlock)) {
      SetError(memo.GetError());
      return FALSE;
    }
    ++*written;
  }
  return TRUE;
}

uint32_t Table::WriteMemo(const char* text, uint32_t length) {
  if (!memoField) {
    SetError(kErrorNoField);
    return 0;
  }
  if (!text) return 0;
  if (length > kLongestMemo) {
    SetError(kErrorBadArgument);
    return 0;
  }
  uint32_t first = FieldValue(memoField);
  char memoName[MAX_PATH];
  FileObject memo;
  if (!MemoFileName(memoName) || !memo.Open(memoName, kFileRead | kFileWrite)) {
    SetError(memo.GetError() ? memo.GetError() : kErrorBadArgument);
    return 0;
  }
  // The next free block is locked from reading it to writing it, so that
  // two processes never place their memos in the same blocks.
  const BOOL locking = !(flags & kTableNoLock);
  if (locking && !LockRange(memo, 0, 4)) return 0;
  uint8_t head[4];
  uint32_t result = 0;
  if (memo.Seek(0) != 0 || memo.Read(head, sizeof head, 9) < sizeof head) {
    SetError(memo.GetError() ? memo.GetError() : kErrorBadHeader);
  } else if (const uint32_t freeBlock = GetDword(head); !SoundNextFree(freeBlock, memo.Size())) {
    SetError(kErrorBadHeader);
  } else {
    // A block at or past the next free one holds no memo: a damaged field.
    if (first >= freeBlock) first = 0;
    uint32_t span = 0;
    if (first) {
      const uint32_t blocks = MeasureMemo(memo, first);
      span = blocks * kBlock;
      // Not fitting before its old end and not the last memo: it moves.
      if (length >= span && first + blocks < freeBlock) first = freeBlock;
    }
    if (!first) first = freeBlock;
    uint32_t written = 0;
    if (WriteMemoBlocks(memo, first, text, length, &written)) {
      // Past every block written, also when the last memo grew in place.
      const uint32_t nextFree = first + written > freeBlock ? first + written : freeBlock;
      PutDword(head, nextFree);
      if (nextFree == freeBlock || (memo.Seek(0) == 0 && memo.Write(head, sizeof head)))
        result = first;
      else
        SetError(memo.GetError());
    }
  }
  if (locking) UnlockRange(memo, 0, 4);
  return result;
}
