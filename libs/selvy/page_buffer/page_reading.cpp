#include "page_reading.h"

#include "buffer_records.h"

namespace selvy {

namespace {

typedef int(WINAPI* CloseExport)(HANDLE);

// The largest file taken: data lengths are 32-bit signed.
const DWORD kMostFileSize = 0x7FFFFFF0;

}  // namespace

void ClosePageFile(HANDLE file) {
  if (!file || file == INVALID_HANDLE_VALUE) return;
  HMODULE hestel = GetModuleHandleA("Hestel.dll");
  CloseExport close = hestel ? reinterpret_cast<CloseExport>(reinterpret_cast<void*>(GetProcAddress(hestel, "HESTEL_CLOSE"))) : nullptr;
  if (close)
    close(file);
  else
    CloseHandle(file);
}

BYTE* NewPageBlock(size_t size) {
  return static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size ? size : 1));
}

bool GrowPageBlock(BYTE** buffer, size_t size) {
  if (!*buffer) return false;
  SIZE_T held = HeapSize(GetProcessHeap(), 0, *buffer);
  if (held != static_cast<SIZE_T>(-1) && held >= size) return true;
  void* grown = HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, *buffer, size);
  if (!grown) return false;
  *buffer = static_cast<BYTE*>(grown);
  return true;
}

void FreePageBlock(BYTE* buffer) {
  if (buffer) HeapFree(GetProcessHeap(), 0, buffer);
}

bool ReadPageFile(HANDLE file, const PageBufferRef& view) {
  BYTE* block = nullptr;
  DWORD size = 0;
  bool read = false;
  // The form library hands its file over positioned at the end.
  if (file && file != INVALID_HANDLE_VALUE && SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0) {
    DWORD high = 0;
    size = GetFileSize(file, &high);
    if (size != INVALID_FILE_SIZE && high == 0 && size <= kMostFileSize && (block = NewPageBlock(size))) {
      DWORD got = 0;
      read = ReadFile(file, block, size, &got, nullptr) && got == size;
    }
  }
  ClosePageFile(file);
  if (!read || !StartsWithPage(block, static_cast<int32_t>(size))) {
    FreePageBlock(block);
    return false;
  }
  FreePageBlock(*view.buffer);
  *view.buffer = block;
  *view.length = static_cast<int32_t>(size);
  *view.highestPage = static_cast<uint8_t>(HighestPage(block, static_cast<int32_t>(size)));
  return true;
}

}  // namespace selvy
