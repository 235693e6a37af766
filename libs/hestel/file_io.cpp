// Locking, positioning, reading and writing registered files.
#include <cstring>

#include "file_calls.h"
#include "line_reader.h"
#include "open_files.h"
#include "text_results.h"

namespace hestel {

namespace {

const int kTries = 5;
const DWORD kRetryDelay = 1000;
// The program's own error for a write that wrote fewer bytes.
const DWORD kShortWrite = 3;

const FileRetryCalls kWin32Calls = {LockFile, ReadFile, Sleep};
const FileRetryCalls* retryCalls = &kWin32Calls;

// The bytes of a caller's buffer that may be used: at most count, and no
// more than its text holds (the binder hands over a text, whose size is
// not known here). 0 for a null buffer or a count below 1.
DWORD Usable(const char* buffer, LONG count) {
  if (!buffer || count <= 0) return 0;
  const void* end = std::memchr(buffer, 0, static_cast<size_t>(count));
  return end ? static_cast<DWORD>(static_cast<const char*>(end) - buffer) : static_cast<DWORD>(count);
}

// Error 1: the file system cannot lock; not an error the script can act on.
BOOL LockFailed(HANDLE file, DWORD error) {
  if (error != ERROR_INVALID_FUNCTION) StoreFileError(file, error);
  return FALSE;
}

}  // namespace

void SetRetryCalls(const FileRetryCalls* calls) { retryCalls = calls ? calls : &kWin32Calls; }

BOOL LockRange(HANDLE file, DWORD position, DWORD length, BOOL on) {
  if (!HasFile(file)) return FALSE;
  StoreFileError(file, 0);
  if (!on) {
    if (UnlockFile(file, position, 0, length, 0)) return TRUE;
    return LockFailed(file, GetLastError());
  }
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (retryCalls->lockFile(file, position, 0, length, 0)) return TRUE;
    DWORD error = GetLastError();
    if (error != ERROR_LOCK_VIOLATION) return LockFailed(file, error);
    retryCalls->sleep(kRetryDelay);
  }
  return LockFailed(file, ERROR_LOCK_VIOLATION);
}

DWORD FileSize(HANDLE file) {
  if (!HasFile(file)) return 0;
  StoreFileError(file, 0);
  DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE) {
    DWORD error = GetLastError();
    if (error != NO_ERROR) {
      StoreFileError(file, error);
      return 0;
    }
  }
  return size;
}

DWORD SeekFromStart(HANDLE file, LONG position) {
  if (!HasFile(file)) return 0;
  StoreFileError(file, 0);
  DWORD moved = SetFilePointer(file, position, nullptr, FILE_BEGIN);
  if (moved == INVALID_SET_FILE_POINTER) {
    StoreFileError(file, GetLastError());
    return 0;
  }
  return moved;
}

DWORD CurrentPosition(HANDLE file) { return SetFilePointer(file, 0, nullptr, FILE_CURRENT); }

DWORD ReadBlock(HANDLE file, char* buffer, LONG count) {
  FileView view;
  if (!ViewFile(file, &view)) return 0;
  DWORD usable = Usable(buffer, count);
  if (!usable) return 0;
  for (int attempt = 1;; ++attempt) {
    DWORD got = 0;
    if (retryCalls->readFile(file, buffer, usable, &got, nullptr)) {
      if (view.mode & kReadDos) OemToCharBuffA(buffer, buffer, got);
      return got;
    }
    DWORD error = GetLastError();
    if (error != ERROR_LOCK_VIOLATION || attempt == kTries) {
      StoreFileError(file, error);
      return 0;
    }
    retryCalls->sleep(kRetryDelay);
  }
}

VARIABLE* ReadLine(HANDLE file) {
  FileView view = {0, 0, false};
  bool registered = ViewFile(file, &view);
  bool seekable = registered ? view.seekable : GetFileType(file) == FILE_TYPE_DISK;
  TextLine line;
  ReadTextLine(file, seekable, &line);
  if (line.endOfFile) MarkFileEnd(file);
  return NewText(line.text, static_cast<size_t>(line.length), (view.mode & kReadDos) != 0);
}

BOOL EndSeen(HANDLE file) {
  FileView view;
  return ViewFile(file, &view) && (view.state & kEndSeen) ? TRUE : FALSE;
}

BOOL WriteBlock(HANDLE file, char* buffer, LONG count) {
  FileView view;
  if (!ViewFile(file, &view)) return FALSE;
  DWORD usable = Usable(buffer, count);
  if (!usable) return FALSE;
  if (view.mode & kWriteDos) CharToOemBuffA(buffer, buffer, usable);
  DWORD written = 0;
  if (!WriteFile(file, buffer, usable, &written, nullptr)) {
    StoreFileError(file, GetLastError());
    return FALSE;
  }
  if (written < usable) {
    StoreFileError(file, kShortWrite);
    return FALSE;
  }
  return TRUE;
}

BOOL WriteText(HANDLE file, char* text) {
  if (!text) return FALSE;
  size_t length = std::strlen(text);
  // An empty text writes nothing, which is no failure.
  if (length == 0) return HasFile(file);
  return WriteBlock(file, text, static_cast<LONG>(length));
}

}  // namespace hestel
