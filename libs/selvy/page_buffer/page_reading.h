// Reading a page file into the view's buffer, and closing the handle that
// was handed in.
#pragma once
#include <windows.h>

#include <cstdint>

namespace selvy {

// What the view keeps of its buffer (fields of PageView).
struct PageBufferRef {
  BYTE** buffer;        // a block of the process heap, or null
  int32_t* length;      // data length
  uint8_t* highestPage;
};

// Reads the whole file from its start into a new zeroed block. When the
// block begins with a '#' record it replaces the old buffer (freed) and
// the highest page number is found: TRUE. Otherwise the old buffer stays.
// The handle is closed in either case (ClosePageFile).
bool ReadPageFile(HANDLE file, const PageBufferRef& view);

// Closes a page file's handle. A temporary file of the file library is
// deleted only when the library closes it, so its HESTEL_CLOSE is used
// when Hestel.dll is loaded in this process; CloseHandle otherwise.
void ClosePageFile(HANDLE file);

// The buffer's block: allocation, growth and release on the process heap.
BYTE* NewPageBlock(size_t size);
// Makes room for `size` bytes; false (the block unchanged) when it cannot.
bool GrowPageBlock(BYTE** buffer, size_t size);
void FreePageBlock(BYTE* buffer);

}  // namespace selvy
