// Opening, creating and closing registered files, and what is kept of them.
#include <cstring>
#include <new>
#include <string>

#include "file_calls.h"
#include "open_files.h"
#include "temp_file.h"
#include "text_results.h"

namespace hestel {

namespace {

struct OpenMode {
  DWORD access;
  DWORD share;
  uint8_t flags;
};

// Words are matched as written (upper case) anywhere in the text.
OpenMode ParseMode(const char* mode) {
  OpenMode m = {0, FILE_SHARE_READ | FILE_SHARE_WRITE, 0};
  if (!mode) return m;
  if (std::strstr(mode, "OREAD")) m.access |= GENERIC_READ;
  if (std::strstr(mode, "OWRITE")) m.access |= GENERIC_WRITE;
  if (std::strstr(mode, "DREAD")) m.share &= ~FILE_SHARE_READ;
  if (std::strstr(mode, "DWRITE")) m.share &= ~FILE_SHARE_WRITE;
  if (std::strstr(mode, "RDDOS")) m.flags |= kReadDos;
  if (std::strstr(mode, "WRDOS")) m.flags |= kWriteDos;
  return m;
}

// Create copies a name into a buffer of this many characters.
const size_t kNameBuffer = MAX_PATH;

HANDLE Failed(DWORD error) {
  SetErrorWord(error);
  return nullptr;
}

HANDLE CreateTemporary() {
  char directory[MAX_PATH + 1];
  DWORD length = GetTempPathA(MAX_PATH, directory);
  if (length == 0) return Failed(GetLastError());
  if (length >= MAX_PATH) return Failed(ERROR_FILENAME_EXCED_RANGE);
  std::string name;
  HANDLE file;
  try {
    file = CreateTempFileIn(directory, GetTickCount(), &name);
  } catch (const std::bad_alloc&) {
    return Failed(ERROR_NOT_ENOUGH_MEMORY);
  }
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  AddFile(file, name.c_str(), 0, kDeleteOnClose);
  return file;
}

}  // namespace

HANDLE OpenNamed(const char* name, const char* mode) {
  SetErrorWord(0);
  if (!name) return Failed(ERROR_INVALID_PARAMETER);
  OpenMode m = ParseMode(mode);
  HANDLE file = CreateFileA(name, m.access, m.share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  AddFile(file, name, m.flags, 0);  // without an entry the handle still serves
  return file;
}

HANDLE CreateNamed(const char* name) {
  SetErrorWord(0);
  if (!name) return CreateTemporary();
  if (std::strlen(name) >= kNameBuffer) return Failed(ERROR_FILENAME_EXCED_RANGE);
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  AddFile(file, name, 0, 0);
  return file;
}

int CloseFile(HANDLE file) {
  if (!file) return 0;
  if (KillFile(file)) return 1;
  return CloseHandle(file);
}

DWORD LastErrorOf(HANDLE file) {
  DWORD threadError = GetLastError();
  if (!file) return ErrorWord();
  uint16_t error;
  return FileError(file, &error) ? error : threadError;
}

VARIABLE* NameOf(HANDLE file) {
  std::string name;
  if (!file || !FileName(file, &name)) return NewNull();
  return NewText(name.data(), name.size());
}

}  // namespace hestel
