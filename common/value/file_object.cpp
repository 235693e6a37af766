// FileObject over the Win32 file calls; offsets and lengths are 32-bit.
#include "file_object.h"

#include <cstring>

namespace {

const DWORD kLockViolation = ERROR_LOCK_VIOLATION;    // 33
const DWORD kCannotLock = ERROR_INVALID_FUNCTION;     // 1
const int kLockTries = 10;
const DWORD kRetryDelay = 1000;

const FileRetryCalls kWin32Calls = {LockFile, ReadFile, Sleep};
const FileRetryCalls* retryCalls = &kWin32Calls;

}  // namespace

void SetFileRetryCalls(const FileRetryCalls* calls) {
  retryCalls = calls ? calls : &kWin32Calls;
}

FileObject::FileObject() : lastError(0), handle(0) {}

FileObject::~FileObject() { FileObject::Close(); }

uint16_t FileObject::GetError() { return static_cast<uint16_t>(lastError); }

uint16_t FileObject::SetError(uint32_t code) {
  lastError = code & 0xFFFF;
  return static_cast<uint16_t>(lastError);
}

int FileObject::OpenWith(const char* name, DWORD access, DWORD share,
                         DWORD disposition) {
  // A handle still open would be lost: close it first.
  FileObject::Close();
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
  HANDLE h = CreateFileA(name, access, share, &security, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    StoreLastError();
    return 0;
  }
  handle = h;
  return 1;
}

int FileObject::Open(const char* name, unsigned flags) {
  DWORD access = 0;
  if (flags & kFileRead) access |= GENERIC_READ;
  if (flags & kFileWrite) access |= GENERIC_WRITE;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (flags & kFileDenyRead) share &= ~FILE_SHARE_READ;
  if (flags & kFileDenyWrite) share &= ~FILE_SHARE_WRITE;
  return OpenWith(name, access, share, OPEN_EXISTING);
}

int FileObject::Create(const char* name) {
  return OpenWith(name, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
}

void FileObject::Close() {
  if (handle) CloseHandle(handle);
  handle = 0;
}

int FileObject::Lock(uint32_t offset, uint32_t length, int lock) {
  lastError = 0;
  if (!lock) {
    if (UnlockFile(handle, offset, 0, length, 0)) return 1;
    StoreLastError();
    if (lastError == kCannotLock) lastError = 0;
    return 0;
  }
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    if (retryCalls->lockFile(handle, offset, 0, length, 0)) return 1;
    StoreLastError();
    if (lastError == kCannotLock) {
      lastError = 0;
      return 0;
    }
    if (lastError != kLockViolation) return 0;
    retryCalls->sleep(kRetryDelay);
  }
  return 0;
}

uint32_t FileObject::Size() {
  DWORD size = GetFileSize(handle, nullptr);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    StoreLastError();
    return 0;
  }
  return size;
}

uint32_t FileObject::Seek(uint32_t offset) {
  lastError = 0;
  DWORD position = SetFilePointer(handle, static_cast<LONG>(offset), nullptr, FILE_BEGIN);
  if (position == INVALID_SET_FILE_POINTER) {
    StoreLastError();
    return 0;
  }
  return position;
}

uint32_t FileObject::SeekEnd() {
  lastError = 0;
  DWORD position = SetFilePointer(handle, 0, nullptr, FILE_END);
  if (position == INVALID_SET_FILE_POINTER) {
    StoreLastError();
    return 0;
  }
  return position;
}

uint32_t FileObject::Position() {
  return SetFilePointer(handle, 0, nullptr, FILE_CURRENT);
}

uint32_t FileObject::Read(void* buffer, uint32_t count, uint16_t tries) {
  lastError = 0;
  for (;;) {
    DWORD read = 0;
    if (retryCalls->readFile(handle, buffer, count, &read, nullptr)) return read;
    StoreLastError();
    if (lastError != kLockViolation) return 0;
    // A 16-bit count: 0 wraps round and allows 65536 attempts.
    if (--tries == 0) return 0;
    retryCalls->sleep(kRetryDelay);
  }
}

int FileObject::Write(const void* buffer, uint32_t count) {
  lastError = 0;
  DWORD written = 0;
  if (!WriteFile(handle, buffer, count, &written, nullptr)) {
    StoreLastError();
    return 0;
  }
  if (written < count) {
    lastError = kShortWriteError;
    return 0;
  }
  return 1;
}

int FileObject::WriteText(const char* text) {
  return Write(text, static_cast<uint32_t>(std::strlen(text)));
}

int FileObject::WriteChar(char c) { return Write(&c, 1); }

BOOL FileObject::Flush() { return FlushFileBuffers(handle); }

BOOL FileObject::Truncate() { return SetEndOfFile(handle); }
