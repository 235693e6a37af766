#include "file_bytes.h"

#include <windows.h>

#include <new>

bool ReadFileBytes(const char* path, std::vector<unsigned char>& bytes, unsigned short* error) {
  unsigned short dummy;
  if (!error) error = &dummy;
  *error = 0;
  bytes.clear();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = static_cast<unsigned short>(GetLastError());
    return false;
  }
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    *error = static_cast<unsigned short>(GetLastError());
    CloseHandle(file);
    return false;
  }
  if (high != 0) {  // beyond 4 GB: no resource or bitmap file is that large
    *error = 115;
    CloseHandle(file);
    return false;
  }
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    *error = 115;
    CloseHandle(file);
    return false;
  }
  DWORD done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + done, size - done, &got, nullptr)) {
      *error = static_cast<unsigned short>(GetLastError());
      break;
    }
    if (got == 0) {  // the file shrank under us
      *error = 30;
      break;
    }
    done += got;
  }
  CloseHandle(file);
  if (*error) {
    bytes.clear();
    return false;
  }
  return true;
}
