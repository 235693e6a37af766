#include "path_calls.h"

#include <cstring>

#include "open_files.h"
#include "text_results.h"

namespace hestel {

namespace {

// GetDir reads the folder into a buffer of this many characters.
const DWORD kDirectoryBuffer = 256;
const ULONGLONG kMostFreeBytes = 0x7FFFFFFF;

// The error word for a name the call cannot take, or 0.
DWORD NameError(const char* name) {
  if (!name) return ERROR_INVALID_PARAMETER;
  return UsableName(name) ? 0 : ERROR_FILENAME_EXCED_RANGE;
}

BOOL Outcome(BOOL done) {
  if (!done) SetErrorWord(GetLastError());
  return done;
}

}  // namespace

bool UsableName(const char* name) { return name && std::strlen(name) < MAX_PATH; }

BOOL FileCanBeOpened(const char* name) {
  if (!UsableName(name)) return FALSE;
  HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  CloseHandle(file);
  return TRUE;
}

VARIABLE* FirstMatch(const char* pattern) {
  WIN32_FIND_DATAA found;
  HANDLE search = UsableName(pattern) ? FindFirstFileA(pattern, &found) : INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) return NewText(nullptr, 0);
  FindClose(search);
  return NewText(found.cFileName);
}

BOOL EraseFile(const char* name) {
  SetErrorWord(NameError(name));
  return ErrorWord() ? FALSE : Outcome(DeleteFileA(name));
}

BOOL MoveFileTo(const char* oldName, const char* newName) {
  SetErrorWord(NameError(oldName) ? NameError(oldName) : NameError(newName));
  if (ErrorWord()) return FALSE;
  if (MoveFileA(oldName, newName)) return TRUE;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return Outcome(FALSE);
  DeleteFileA(newName);
  return Outcome(MoveFileA(oldName, newName));
}

BOOL CopyFileTo(const char* oldName, const char* newName) {
  SetErrorWord(NameError(oldName) ? NameError(oldName) : NameError(newName));
  return ErrorWord() ? FALSE : Outcome(CopyFileA(oldName, newName, FALSE));
}

VARIABLE* CurrentDirectory() {
  char directory[kDirectoryBuffer];
  DWORD length = GetCurrentDirectoryA(kDirectoryBuffer, directory);
  // Room is needed for the backslash too.
  if (length == 0 || length >= kDirectoryBuffer - 1) return NewNull();
  if (directory[length - 1] != '\\') directory[length++] = '\\';
  return NewText(directory, length);
}

BOOL MakeDirectory(const char* name) { return UsableName(name) && CreateDirectoryA(name, nullptr); }
BOOL ChangeDirectory(const char* name) { return UsableName(name) && SetCurrentDirectoryA(name); }
BOOL RemoveEmptyDirectory(const char* name) { return UsableName(name) && RemoveDirectoryA(name); }

LONG FreeDiskBytes(const char* path) {
  if (path && !UsableName(path)) return 0;
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExA(path, &available, &total, &free)) return 0;
  return static_cast<LONG>(free.QuadPart < kMostFreeBytes ? free.QuadPart : kMostFreeBytes);
}

}  // namespace hestel
