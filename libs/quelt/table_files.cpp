// Creating, opening and closing the .DBF: the header, its checks and the
// descriptors' memory image.
#include <cstdlib>
#include <cstring>
#include <new>

#include "path_helpers.h"
#include "quelt.h"
#include "table_bytes.h"

namespace {

const char kTemporaryDirectory[] = "C:\\TMP\\";
const uint8_t kEndOfDescriptors = 0x0D;
const uint8_t kEndOfRecords = 0x1A;
const uint32_t kMemoBlock = 512;

BOOL KnownVersion(uint8_t version) { return version == 0x03 || version == 0x83; }

// Today's date (UTC) as the header keeps it: year - 1900, month, day.
void StampToday(uint8_t* head) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  head[1] = static_cast<uint8_t>(now.wYear - 1900);
  head[2] = static_cast<uint8_t>(now.wMonth);
  head[3] = static_cast<uint8_t>(now.wDay);
}

// A header (32 bytes, then the descriptors) that can be opened: a known
// version, at least one byte besides the end of the descriptors, at most
// 255 fields, and records that hold their mark and every field.
BOOL SoundHeader(const uint8_t* image, uint32_t available) {
  const uint16_t headerLength = GetWord(image + 8);
  const uint16_t recordLength = GetWord(image + 10);
  if (!KnownVersion(image[0]) || headerLength < 33 || headerLength > available) return FALSE;
  const uint32_t fields = (headerLength - 33u) / 32u;
  if (fields > 255) return FALSE;
  uint32_t needed = 1;
  for (uint32_t i = 1; i <= fields; ++i) needed += image[32 * i + 16];
  return needed <= recordLength;
}

BOOL HasMemoField(const uint8_t* image) {
  const uint32_t fields = (GetWord(image + 8) - 33u) / 32u;
  for (uint32_t i = 1; i <= fields; ++i)
    if (image[32 * i + 11] == 'M') return TRUE;
  return FALSE;
}

char* CopyName(const char* name) {
  const size_t length = std::strlen(name) + 1;
  char* copy = new (std::nothrow) char[length];
  if (copy) std::memcpy(copy, name, length);
  return copy;
}

}  // namespace

Table::Table()
    : next(nullptr), flags(0), name(nullptr), reservation(nullptr), rounds(0), orphaned(FALSE) {
  header = record = nullptr;
  cache = nullptr;
  cacheData = nullptr;
  Reset();
}

Table::~Table() {
  RemoveOpenTable(this);
  FreeBuffers();
  delete[] name;
  delete[] reservation;
}

void Table::Reset() {
  FreeBuffers();
  clients.word = 0;
  clients.link = nullptr;
  lockDepth = 0;
  memoField = 0;
  headerLength = recordLength = 0;
  count = current = 0;
  fieldCount = 0;
  fileName[0] = '\0';
}

void Table::FreeBuffers() {
  delete[] header;
  delete[] record;
  header = record = nullptr;
  if (cache) {
    GlobalUnlock(cache);
    GlobalFree(cache);
  }
  cache = nullptr;
  cacheData = nullptr;
  cachedRecords = 0;
}

BOOL Table::CreateFiles(char* nameBuffer, uint8_t* image) {
  if (flags & kTableOpen) return TRUE;
  Reset();
  flags = 0;
  if (!nameBuffer || !image) {
    SetError(kErrorBadArgument);
    return FALSE;
  }
  // The caller's image is checked before anything is made: a table that
  // could not be opened is never created.
  if (!SoundHeader(image, 0xFFFF)) {
    SetError(kErrorBadHeader);
    return FALSE;
  }
  if (nameBuffer[0]) {
    if (std::strlen(nameBuffer) >= MAX_PATH) {
      SetError(kErrorBadArgument);
      return FALSE;
    }
    std::strcpy(fileName, nameBuffer);
  } else {
    // A temporary table: the system reserves a unique name with an empty
    // file, which goes with the table's .DBF at close.
    char unique[MAX_PATH];
    if (!GetTempFileNameA(kTemporaryDirectory, "$", 0, unique)) {
      SetError(GetLastError());
      return FALSE;
    }
    delete[] reservation;
    reservation = CopyName(unique);
    StripExtension(unique);
    std::strcpy(nameBuffer, unique);
    std::strcpy(fileName, unique);
    flags = kTableTemporary | kTableNoLock;
  }
  if (!ForceExtension(fileName, sizeof fileName, "DBF")) {
    SetError(kErrorBadArgument);
    return FALSE;
  }
  if (!FileObject::Create(fileName)) {
    if (reservation) DeleteFileA(reservation);
    return FALSE;
  }
  StampToday(image);
  const uint16_t length = GetWord(image + 8);
  uint8_t* copy = new (std::nothrow) uint8_t[length];
  if (!copy) {
    SetError(kErrorNoMemory);
    FileObject::Close();
    return FALSE;
  }
  std::memcpy(copy, image, length);
  PutDword(copy + 4, 0);
  std::memset(copy + 12, 0, 8);
  const uint8_t ends[2] = {kEndOfDescriptors, kEndOfRecords};
  BOOL ok = Write(copy, length - 1u) && Write(ends, 2);
  delete[] copy;
  FileObject::Close();
  if (ok && HasMemoField(image)) {
    // The memo file: block 0 holds the next free block, 1.
    char memoName[MAX_PATH];
    uint8_t first[kMemoBlock] = {};
    PutDword(first, 1);
    ok = MemoFileName(memoName) && FileObject::Create(memoName) && Write(first, sizeof first);
    FileObject::Close();
  }
  return ok;
}

Table* Table::Open(const char* openName) {
  if (flags & kTableOpen) return this;
  // A temporary table keeps what its creation set.
  const uint32_t kept = flags & (kTableNoLock | kTableTemporary);
  Reset();
  flags = kept;
  if (!openName || std::strlen(openName) >= MAX_PATH) {
    SetError(kErrorBadArgument);
    return nullptr;
  }
  std::strcpy(fileName, openName);
  if (!ForceExtension(fileName, sizeof fileName, "DBF")) {
    SetError(kErrorBadArgument);
    Close();
    return nullptr;
  }
  if (!FileObject::Open(fileName, kFileRead | kFileWrite)) {
    Close();
    return nullptr;
  }
  flags |= kTableOpen;
  if (!LockRecord(0, TRUE)) {
    Close();
    return nullptr;
  }
  lockDepth = 1;
  BOOL ok = ReadHeader();
  LockRecord(0, FALSE);
  lockDepth = 0;
  if (ok) {
    delete[] name;
    name = CopyName(openName);
    if (!name) {
      SetError(kErrorNoMemory);
      ok = FALSE;
    }
  }
  if (!ok) {
    Close();
    return nullptr;
  }
  AddOpenTable(this);
  return this;
}

BOOL Table::ReadHeader() {
  uint8_t head[32];
  if (Seek(0) != 0 || Read(head, sizeof head, 9) < sizeof head) {
    if (!GetError()) SetError(kErrorBadHeader);
    return FALSE;
  }
  const uint32_t size = Size();
  if (GetError()) return FALSE;
  headerLength = GetWord(head + 8);
  recordLength = GetWord(head + 10);
  count = GetDword(head + 4);
  if (!KnownVersion(head[0]) || headerLength < 33 || headerLength > size) {
    SetError(kErrorBadHeader);
    return FALSE;
  }
  fieldCount = (headerLength - 33) / 32;
  header = new (std::nothrow) uint8_t[headerLength];
  record = new (std::nothrow) uint8_t[recordLength ? recordLength : 1];
  if (!header || !record) {
    SetError(kErrorNoMemory);
    return FALSE;
  }
  if (Seek(0) != 0 || Read(header, headerLength, 9) < headerLength) {
    if (!GetError()) SetError(kErrorBadHeader);
    return FALSE;
  }
  if (!SoundHeader(header, headerLength)) {
    SetError(kErrorBadHeader);
    return FALSE;
  }
  PrepareDescriptors();
  return TRUE;
}

// The memory image's descriptors: bytes 12-15 hold the field's offset in
// the record; N with decimals reads F; the last M is the memo field.
void Table::PrepareDescriptors() {
  uint32_t offset = 1;
  memoField = 0;
  for (int i = 1; i <= fieldCount; ++i) {
    uint8_t* d = header + 32 * i;
    PutDword(d + 12, offset);
    offset += d[16];
    if (d[11] == 'N' && d[17] != 0) d[11] = 'F';
    if (d[11] == 'M') memoField = i;
  }
}

// The records the file holds: a count above that (another process cut the
// table) would bring back records that are not there.
uint32_t Table::CountThatFits(uint32_t wanted) {
  const uint16_t kept = GetError();
  const uint32_t size = Size();
  const BOOL known = GetError() == 0;
  SetError(kept);
  if (!known || recordLength == 0) return wanted;
  const uint32_t held = size > headerLength ? (size - headerLength) / recordLength : 0;
  return wanted < held ? wanted : held;
}

// The larger of the two counts and today's date go to the file with the
// end mark after the last record; nothing is written without the lock.
BOOL Table::WriteClosingHeader() {
  const BOOL lockHere = lockDepth == 0;
  if (lockHere && !LockRecord(0, TRUE)) return FALSE;
  uint8_t head[32];
  BOOL ok = Seek(0) == 0 && Read(head, sizeof head, 9) == sizeof head;
  if (ok) {
    const uint32_t fileCount = GetDword(head + 4);
    const uint32_t closing = CountThatFits(count > fileCount ? count : fileCount);
    StampToday(head);
    PutDword(head + 4, closing);
    uint32_t end = 0;
    ok = Seek(0) == 0 && Write(head, sizeof head) && EndOffset(closing, &end) && Seek(end) == end &&
         WriteChar(static_cast<char>(kEndOfRecords));
  }
  if (lockHere) LockRecord(0, FALSE);
  return ok;
}

void Table::Close() {
  if ((flags & kTableOpen) && (flags & kTableModified)) WriteClosingHeader();
  FileObject::Close();
  if (flags & kTableTemporary) {
    DeleteFileA(fileName);
    if (reservation) DeleteFileA(reservation);
  }
  FreeBuffers();
  RemoveOpenTable(this);
  flags = 0;
  lockDepth = 0;
}

BOOL Table::MemoFileName(char* out) {
  std::strcpy(out, fileName);
  return ForceExtension(out, MAX_PATH, "DBT");
}
