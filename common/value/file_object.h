// FileObject: one Win32 file handle and the last error of the operations on
// it. Byte-range locks and reads that meet another process's lock (error 33)
// wait a second and try again. The table engine derives from it and
// overrides the virtual operations, whose order is fixed.
#pragma once
#include <windows.h>

#include <cstdint>

// Open flags.
const unsigned kFileRead = 1;
const unsigned kFileWrite = 2;
const unsigned kFileDenyWrite = 16;
const unsigned kFileDenyRead = 32;

// The program's own error number for a write that wrote fewer bytes.
const uint16_t kShortWriteError = 3;

class FileObject {
 public:
  FileObject();
  virtual ~FileObject();
  // One owner per handle.
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  virtual uint16_t GetError();
  // Stores the code's low 16 bits as the last error and returns them.
  virtual uint16_t SetError(uint32_t code);
  // Opens an existing file (flags above); 1, or 0 with the error kept.
  virtual int Open(const char* name, unsigned flags);
  // Creates or truncates a file for reading and writing, shared with nobody.
  virtual int Create(const char* name);
  virtual void Close();

  HANDLE Handle() const { return handle; }

  // lock != 0: up to 10 tries one second apart while another process holds
  // the range; lock 0 unlocks. Error 1 (no locking on this file system) is
  // stored as 0.
  int Lock(uint32_t offset, uint32_t length, int lock);
  uint32_t Size();
  uint32_t Seek(uint32_t offset);
  uint32_t SeekEnd();
  uint32_t Position();
  // Retries a read that meets a lock, one second apart, until tries
  // attempts are made (0 allows 65536). Returns the bytes read.
  uint32_t Read(void* buffer, uint32_t count, uint16_t tries);
  int Write(const void* buffer, uint32_t count);
  int WriteText(const char* text);
  int WriteChar(char c);
  BOOL Flush();
  BOOL Truncate();

 protected:
  uint32_t lastError;
  HANDLE handle;  // 0 when closed, never INVALID_HANDLE_VALUE

 private:
  int OpenWith(const char* name, DWORD access, DWORD share, DWORD disposition);
  void StoreLastError() { lastError = GetLastError(); }
};

// The Win32 calls behind the retries, replaceable so that tests can meet a
// lock violation and need not wait out the seconds.
struct FileRetryCalls {
  BOOL(WINAPI* lockFile)(HANDLE, DWORD, DWORD, DWORD, DWORD);
  BOOL(WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
  VOID(WINAPI* sleep)(DWORD);
};
// Null restores LockFile, ReadFile and Sleep. Process-wide.
void SetFileRetryCalls(const FileRetryCalls* calls);
