#include "printer_names.h"

#include <cstring>

namespace {

// Copies the zero-terminated name at offset (in characters) of the block;
// false when it does not start inside the block. A name running to the
// block's end without a zero is taken up to there.
bool CopyName(const DEVNAMES* block, size_t blockSize, WORD offset, char* name, size_t size) {
  name[0] = '\0';
  if (offset < sizeof(DEVNAMES) || offset >= blockSize) return false;
  const char* start = reinterpret_cast<const char*>(block) + offset;
  size_t n = 0;
  while (offset + n < blockSize && start[n] && n + 1 < size) ++n;
  std::memcpy(name, start, n);
  name[n] = '\0';
  return true;
}

// The next piece of line at *at up to one of the separators (leading
// separators skipped) copied to name; false when there is none.
bool NextPiece(const char* line, size_t* at, const char* separators, char* name, size_t size) {
  size_t i = *at;
  while (line[i] && std::strchr(separators, line[i])) ++i;
  size_t start = i;
  while (line[i] && !std::strchr(separators, line[i])) ++i;
  if (i == start) return false;
  size_t n = i - start < size - 1 ? i - start : size - 1;
  std::memcpy(name, line + start, n);
  name[n] = '\0';
  *at = line[i] ? i + 1 : i;
  return true;
}

}  // namespace

bool NamesFromDevNames(const DEVNAMES* block, size_t blockSize, const PrinterNames& names) {
  if (blockSize >= sizeof(DEVNAMES) && CopyName(block, blockSize, block->wDeviceOffset, names.device, names.size) &&
      CopyName(block, blockSize, block->wDriverOffset, names.driver, names.size) &&
      CopyName(block, blockSize, block->wOutputOffset, names.port, names.size))
    return true;
  names.device[0] = names.driver[0] = names.port[0] = '\0';
  return false;
}

bool NamesFromDeviceLine(const char* line, const PrinterNames& names) {
  size_t at = 0;
  names.device[0] = names.driver[0] = names.port[0] = '\0';
  return NextPiece(line, &at, ",", names.device, names.size) &&
         NextPiece(line, &at, ", ", names.driver, names.size) &&
         NextPiece(line, &at, ", ", names.port, names.size);
}
