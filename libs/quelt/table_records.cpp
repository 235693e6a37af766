// Records: read, write, blank, append, delete and truncate, each record in
// file form (OEM) in the table and in ANSI for the client unless raw.
#include <cstring>

#include "quelt.h"
#include "table_bytes.h"
#include "text_coder.h"

namespace {

const uint8_t kLiveMark = ' ';
const uint8_t kDeletedMark = '*';
const uint8_t kBlankMark = '$';
const char kEmptyDate[] = "19000000";

}  // namespace

uint8_t* Table::CachedRecord(uint32_t n) {
  if (!(flags & kTableCached) || n == 0 || n > cachedRecords) return nullptr;
  return cacheData + static_cast<size_t>(recordLength) * (n - 1);
}

BOOL Table::LoadRecord(uint32_t n) {
  const uint8_t* cached = CachedRecord(n);
  if (cached) {
    std::memcpy(record, cached, recordLength);
    return TRUE;
  }
  uint32_t offset;
  if (!RecordOffset(n, &offset)) return FALSE;
  if (Seek(offset) != offset || Read(record, recordLength, 9) < recordLength) {
    // Past the end of a file shorter than its count.
    if (!GetError()) SetError(kErrorShortRead);
    return FALSE;
  }
  return TRUE;
}

uint32_t Table::ReadRecord(uint32_t n, void* buffer) {
  if (!buffer) {
    SetError(kErrorBadArgument);
    return 0;
  }
  current = 0;
  if (count == 0) {
    SetError(kErrorBadRecord);
    return 0;
  }
  const uint32_t number = n > count ? count : (n == 0 ? 1 : n);
  if (!LoadRecord(number)) return 0;
  uint8_t* out = static_cast<uint8_t*>(buffer);
  if (flags & kTableRaw)
    std::memcpy(out, record, recordLength);
  else
    OemToAnsiBytes(out, record, recordLength);
  current = number;
  return number;
}

BOOL Table::GrowCache(uint32_t records) {
  const uint64_t size = static_cast<uint64_t>(recordLength) * records;
  HGLOBAL grown = nullptr;
  if (size <= 0x7FFFFFFF) {
    GlobalUnlock(cache);
    grown = GlobalReAlloc(cache, static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (grown) cache = grown;
    cacheData = static_cast<uint8_t*>(GlobalLock(cache));
  }
  if (!grown || !cacheData) {
    SetError(kErrorNoMemory);
    return FALSE;
  }
  const size_t held = static_cast<size_t>(recordLength) * cachedRecords;
  std::memset(cacheData + held, 0, static_cast<size_t>(size) - held);
  cachedRecords = records;
  return TRUE;
}

uint32_t Table::WriteRecord(uint32_t n, const void* buffer) {
  if (n == 0) return 0;
  if (!buffer) {
    SetError(kErrorBadArgument);
    return 0;
  }
  // Above the count: written after the last record, which only an append
  // makes part of the table.
  const BOOL update = n <= count;
  if (!update) n = count + 1;
  current = 0;
  uint32_t offset;
  if (!RecordOffset(n, &offset) || !LockRecord(n, TRUE)) return 0;
  const uint8_t* in = static_cast<const uint8_t*>(buffer);
  if (flags & kTableRaw)
    std::memcpy(record, in, recordLength);
  else
    AnsiToOemBytes(record, in, recordLength);
  BOOL ok = Seek(offset) == offset && Write(record, recordLength);
  if (ok) {
    flags |= kTableModified;
    if (flags & kTableCached) {
      ok = n <= cachedRecords || GrowCache(n);
      if (ok) std::memcpy(CachedRecord(n), record, recordLength);
    }
  }
  LockRecord(n, FALSE);
  if (!ok) return 0;
  FlushUnlessDeferred();
  current = n;
  if (update && record[0] != kDeletedMark) NotifyClients(kNotifyWritten, n);
  return n;
}

void Table::NewRecord(void* buffer) {
  std::memset(record, ' ', recordLength);
  record[0] = kBlankMark;
  for (int i = 1; i <= fieldCount; ++i) {
    const uint8_t* d = Descriptor(i);
    uint8_t* field = record + GetDword(d + 12);
    const uint8_t length = d[16], decimals = d[17];
    char zero[260] = "0";
    if (d[11] == 'D') {
      std::strcpy(zero, kEmptyDate);
    } else if (d[11] == 'N' || d[11] == 'F' || d[11] == 'M') {
      if (decimals) {
        zero[1] = '.';
        std::memset(zero + 2, '0', decimals);
        zero[2 + decimals] = '\0';
      }
    } else {
      continue;
    }
    // A field too narrow for its zero stays blank.
    const size_t width = std::strlen(zero);
    if (width <= length) std::memcpy(field + length - width, zero, width);
  }
  if (buffer) std::memcpy(buffer, record, recordLength);
  current = 0;
}

uint32_t Table::AppendRecord(void* buffer) {
  uint8_t* in = static_cast<uint8_t*>(buffer);
  if (!in) {
    SetError(kErrorBadArgument);
    return 0;
  }
  if (in[0] != kBlankMark) return 0;
  if (!LockHeader(TRUE)) return 0;
  in[0] = kLiveMark;
  const uint32_t n = WriteRecord(count + 1, in);
  const BOOL grew = n > count;
  if (grew) {
    count = n;
    PutDword(header + 4, count);
  }
  LockHeader(FALSE);
  if (grew) NotifyClients(kNotifyWritten, n);
  return n;
}

// Only the mark is rewritten: the record's text is not taken through the
// two conversions, which do not give every OEM byte back.
uint32_t Table::DeleteRecord(uint32_t n) {
  current = 0;
  uint32_t offset;
  if (n == 0 || n > count) {
    SetError(kErrorBadRecord);
    return 0;
  }
  if (!RecordOffset(n, &offset) || !LoadRecord(n) || !LockRecord(n, TRUE)) return 0;
  record[0] = kDeletedMark;
  const BOOL ok = Seek(offset) == offset && WriteChar(static_cast<char>(kDeletedMark));
  if (ok) {
    flags |= kTableModified;
    if (uint8_t* cached = CachedRecord(n)) cached[0] = kDeletedMark;
  }
  LockRecord(n, FALSE);
  if (!ok) return 0;
  FlushUnlessDeferred();
  current = n;
  NotifyClients(kNotifyDeleted, n);
  return n;
}

BOOL Table::Truncate(uint32_t n) {
  if (!LockHeader(TRUE)) return FALSE;
  if (n > count) {
    LockHeader(FALSE);
    SetError(kErrorBadRecord);
    return FALSE;
  }
  count = n;
  PutDword(header + 4, count);
  uint32_t end = 0;
  if (EndOffset(n, &end) && Seek(end) == end && WriteChar(0x1A) && !FileObject::Truncate())
    SetError(GetLastError());
  LockHeader(FALSE);
  if (GetError()) return FALSE;
  NotifyClients(kNotifyTruncated, n);
  return TRUE;
}

BOOL Table::LoadCache() {
  if (flags & kTableCached) return TRUE;
  const uint64_t size = static_cast<uint64_t>(recordLength) * count;
  HGLOBAL block = size <= 0x7FFFFFFF
                      ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? static_cast<SIZE_T>(size) : 1)
                      : nullptr;
  uint8_t* data = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
  if (!data) {
    if (block) GlobalFree(block);
    SetError(kErrorNoMemory);
    return FALSE;
  }
  const uint32_t total = static_cast<uint32_t>(size);
  uint32_t done = 0;
  BOOL ok = Seek(headerLength) == headerLength;
  while (ok && done < total) {
    const uint32_t piece = total - done < 16384 ? total - done : 16384;
    const uint32_t got = Read(data + done, piece, 9);
    if (got < piece) {
      // A file shorter than its count is not cached.
      if (!GetError()) SetError(kErrorShortRead);
      ok = FALSE;
    }
    done += got;
  }
  if (!ok) {
    GlobalUnlock(block);
    GlobalFree(block);
    return FALSE;
  }
  cache = block;
  cacheData = data;
  cachedRecords = count;
  flags |= kTableCached;
  return TRUE;
}

BOOL Table::DropCache() {
  if (!(flags & kTableCached)) return FALSE;
  for (TableClient* c = clients.link; c; c = c->link)
    if (c->mask & kClientKeepsCache) return FALSE;
  GlobalUnlock(cache);
  GlobalFree(cache);
  cache = nullptr;
  cacheData = nullptr;
  cachedRecords = 0;
  flags &= ~kTableCached;
  return TRUE;
}
