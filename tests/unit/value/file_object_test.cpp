// FileObject: opening, sharing, reading and writing, and the lock and read
// retries. The retry delay is replaced so that no test sleeps; the lock
// contention test holds the range in a second process (lock_holder.exe).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "file_object.h"

namespace {

std::string TempName(const char* leaf) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + leaf;
}

// Counts the retries instead of waiting, and can stand in for the lock and
// read calls with a fixed failure.
struct RetryProbe {
  static int sleeps, lockCalls, readCalls, failuresLeft;
  static DWORD lastDelay, error;

  static VOID WINAPI Sleep(DWORD ms) {
    ++sleeps;
    lastDelay = ms;
  }
  static BOOL WINAPI CountedLock(HANDLE h, DWORD lo, DWORD hi, DWORD len, DWORD lenHi) {
    ++lockCalls;
    return LockFile(h, lo, hi, len, lenHi);
  }
  static BOOL WINAPI FailingLock(HANDLE, DWORD, DWORD, DWORD, DWORD) {
    ++lockCalls;
    SetLastError(error);
    return FALSE;
  }
  // Fails with error while failuresLeft lasts (negative: always), then reads.
  static BOOL WINAPI FailingRead(HANDLE h, LPVOID b, DWORD n, LPDWORD r, LPOVERLAPPED o) {
    ++readCalls;
    if (failuresLeft != 0) {
      if (failuresLeft > 0) --failuresLeft;
      SetLastError(error);
      return FALSE;
    }
    return ReadFile(h, b, n, r, o);
  }
};
int RetryProbe::sleeps, RetryProbe::lockCalls, RetryProbe::readCalls,
    RetryProbe::failuresLeft;
DWORD RetryProbe::lastDelay, RetryProbe::error;

class FileObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = TempName("korvex_file_object.tmp");
    RetryProbe::sleeps = RetryProbe::lockCalls = RetryProbe::readCalls = 0;
    RetryProbe::failuresLeft = -1;
    RetryProbe::lastDelay = 0;
    RetryProbe::error = ERROR_LOCK_VIOLATION;
  }
  void TearDown() override {
    SetFileRetryCalls(nullptr);
    DeleteFileA(path.c_str());
  }
  void Use(BOOL(WINAPI* lock)(HANDLE, DWORD, DWORD, DWORD, DWORD),
           BOOL(WINAPI* read)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED)) {
    calls = {lock, read, RetryProbe::Sleep};
    SetFileRetryCalls(&calls);
  }
  void MakeFile(const char* text) {
    FileObject f;
    ASSERT_EQ(1, f.Create(path.c_str()));
    ASSERT_EQ(1, f.WriteText(text));
  }
  std::string path;
  FileRetryCalls calls;
};

TEST_F(FileObjectTest, MissingFileAndErrorNumbers) {
  FileObject f;
  EXPECT_EQ(0, f.GetError());
  EXPECT_EQ(0, f.Open(TempName("korvex_no_such_file.tmp").c_str(), kFileRead));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, f.GetError());
  EXPECT_EQ(nullptr, f.Handle());
  f.Close();
  EXPECT_EQ(nullptr, f.Handle());
  EXPECT_EQ(0, f.Create(TempName("korvex_no_dir\\x.tmp").c_str()));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, f.GetError());
  EXPECT_EQ(5, f.SetError(65536 + 5));
  EXPECT_EQ(5, f.GetError());
  // A successful open keeps the error that was there.
  MakeFile("x");
  EXPECT_EQ(1, f.Open(path.c_str(), kFileRead));
  EXPECT_EQ(5, f.GetError());
}

TEST_F(FileObjectTest, WriteSeekReadAndTruncate) {
  FileObject f;
  ASSERT_EQ(1, f.Create(path.c_str()));
  EXPECT_EQ(1, f.WriteText("HELLO, "));
  EXPECT_EQ(1, f.Write("WORLD", 5));
  EXPECT_EQ(1, f.WriteChar('!'));
  EXPECT_EQ(1, f.WriteText(""));
  EXPECT_EQ(0, f.GetError());
  EXPECT_EQ(1, f.Flush());
  EXPECT_EQ(13u, f.Size());
  EXPECT_EQ(13u, f.Position());
  EXPECT_EQ(7u, f.Seek(7));
  char buffer[16] = {};
  EXPECT_EQ(6u, f.Read(buffer, 10, 1));
  EXPECT_STREQ("WORLD!", buffer);
  EXPECT_EQ(0u, f.Read(buffer, 10, 1));  // end of file: no error
  EXPECT_EQ(0, f.GetError());
  EXPECT_EQ(13u, f.SeekEnd());
  f.Seek(5);
  EXPECT_EQ(1, f.Truncate());
  EXPECT_EQ(5u, f.Size());
  f.Close();
  EXPECT_EQ(nullptr, f.Handle());
  // Writing through a handle opened for reading fails with the system's error.
  ASSERT_EQ(1, f.Open(path.c_str(), kFileRead));
  EXPECT_EQ(0, f.Write("X", 1));
  EXPECT_EQ(ERROR_ACCESS_DENIED, f.GetError());
  // No file: Seek reports the handle error and gives 0.
  f.Close();
  EXPECT_EQ(0u, f.Seek(3));
  EXPECT_EQ(ERROR_INVALID_HANDLE, f.GetError());
}

TEST_F(FileObjectTest, ShortWriteIsError3) {
  // A non-blocking pipe takes fewer bytes than asked and reports success.
  const char* name = "\\\\.\\pipe\\korvex_short_write";
  HANDLE server = CreateNamedPipeA(name, PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT,
                                   1, 16, 16, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, server);
  FileObject f;
  ASSERT_EQ(1, f.Open(name, kFileWrite));
  DWORD mode = PIPE_NOWAIT;
  ASSERT_TRUE(SetNamedPipeHandleState(f.Handle(), &mode, nullptr, nullptr));
  static char block[65536];
  EXPECT_EQ(0, f.Write(block, sizeof block));
  EXPECT_EQ(kShortWriteError, f.GetError());
  f.Close();
  CloseHandle(server);
}

TEST_F(FileObjectTest, SharingFlags) {
  MakeFile("DATA");
  FileObject owner, other;
  ASSERT_EQ(1, owner.Open(path.c_str(), kFileRead | kFileDenyWrite));
  EXPECT_EQ(1, other.Open(path.c_str(), kFileRead));
  other.Close();
  EXPECT_EQ(0, other.Open(path.c_str(), kFileRead | kFileWrite));
  EXPECT_EQ(ERROR_SHARING_VIOLATION, other.GetError());
  owner.Close();
  ASSERT_EQ(1, owner.Open(path.c_str(), kFileRead | kFileWrite | kFileDenyRead | kFileDenyWrite));
  EXPECT_EQ(0, other.Open(path.c_str(), kFileRead));
  EXPECT_EQ(ERROR_SHARING_VIOLATION, other.GetError());
  // Create shares with nobody.
  ASSERT_EQ(1, owner.Create(path.c_str()));
  EXPECT_EQ(0, other.Open(path.c_str(), kFileRead));
}

TEST_F(FileObjectTest, OpeningAgainReleasesTheHeldHandle) {
  MakeFile("DATA");
  std::string second = TempName("korvex_file_object2.tmp");
  FileObject f, other;
  ASSERT_EQ(1, f.Create(second.c_str()));
  ASSERT_EQ(1, f.Open(path.c_str(), kFileRead));
  // The first file is no longer held: it opens without sharing trouble.
  EXPECT_EQ(1, other.Create(second.c_str()));
  other.Close();
  ASSERT_EQ(1, f.Create(second.c_str()));
  EXPECT_EQ(1, other.Create(path.c_str()));
  f.Close();
  DeleteFileA(second.c_str());
}

TEST_F(FileObjectTest, LockRetriesOnlyOnViolation) {
  MakeFile("0123456789");
  FileObject f;
  ASSERT_EQ(1, f.Open(path.c_str(), kFileRead | kFileWrite));
  EXPECT_EQ(1, f.Lock(2, 4, 1));
  EXPECT_EQ(1, f.Lock(2, 4, 0));
  EXPECT_EQ(0, f.Lock(2, 4, 0));  // not locked: the system's error is kept
  EXPECT_NE(0, f.GetError());

  Use(RetryProbe::FailingLock, ReadFile);
  EXPECT_EQ(0, f.Lock(0, 1, 1));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, f.GetError());
  EXPECT_EQ(10, RetryProbe::lockCalls);
  EXPECT_EQ(10, RetryProbe::sleeps);
  EXPECT_EQ(1000u, RetryProbe::lastDelay);

  // A file system that cannot lock: at once, and no error left.
  RetryProbe::lockCalls = RetryProbe::sleeps = 0;
  RetryProbe::error = ERROR_INVALID_FUNCTION;
  EXPECT_EQ(0, f.Lock(0, 1, 1));
  EXPECT_EQ(0, f.GetError());
  EXPECT_EQ(1, RetryProbe::lockCalls);
  EXPECT_EQ(0, RetryProbe::sleeps);

  RetryProbe::lockCalls = 0;
  RetryProbe::error = ERROR_ACCESS_DENIED;
  EXPECT_EQ(0, f.Lock(0, 1, 1));
  EXPECT_EQ(ERROR_ACCESS_DENIED, f.GetError());
  EXPECT_EQ(1, RetryProbe::lockCalls);
  EXPECT_EQ(0, RetryProbe::sleeps);
}

TEST_F(FileObjectTest, ReadRetriesCountTheTries) {
  MakeFile("0123456789");
  FileObject f;
  ASSERT_EQ(1, f.Open(path.c_str(), kFileRead));
  Use(LockFile, RetryProbe::FailingRead);
  char buffer[16] = {};
  EXPECT_EQ(0u, f.Read(buffer, 4, 3));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, f.GetError());
  EXPECT_EQ(3, RetryProbe::readCalls);
  EXPECT_EQ(2, RetryProbe::sleeps);

  RetryProbe::readCalls = RetryProbe::sleeps = 0;
  EXPECT_EQ(0u, f.Read(buffer, 4, 1));
  EXPECT_EQ(1, RetryProbe::readCalls);
  EXPECT_EQ(0, RetryProbe::sleeps);

  RetryProbe::readCalls = 0;
  EXPECT_EQ(0u, f.Read(buffer, 4, 0));  // a 16-bit count: 0 is 65536 tries
  EXPECT_EQ(65536, RetryProbe::readCalls);

  // The lock goes away after two attempts: the third reads.
  RetryProbe::readCalls = RetryProbe::sleeps = 0;
  RetryProbe::failuresLeft = 2;
  EXPECT_EQ(4u, f.Read(buffer, 4, 3));
  EXPECT_EQ(0, std::memcmp(buffer, "0123", 4));
  EXPECT_EQ(3, RetryProbe::readCalls);

  // Other errors are not retried.
  RetryProbe::readCalls = 0;
  RetryProbe::failuresLeft = -1;
  RetryProbe::error = ERROR_HANDLE_EOF;
  EXPECT_EQ(0u, f.Read(buffer, 4, 5));
  EXPECT_EQ(ERROR_HANDLE_EOF, f.GetError());
  EXPECT_EQ(1, RetryProbe::readCalls);
}

TEST_F(FileObjectTest, LockHeldByAnotherProcess) {
  MakeFile("0123456789ABCDEFGHIJ");
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  *std::strrchr(exe, '\\') = 0;
  std::string command = std::string("\"") + exe + "\\lock_holder.exe\" \"" + path +
                        "\" 4 8 KorvexLockReady KorvexLockRelease";
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "KorvexLockReady");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "KorvexLockRelease");
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &si, &pi));
  HANDLE waits[2] = {ready, pi.hProcess};
  ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, waits, FALSE, 30000));

  FileObject f;
  ASSERT_EQ(1, f.Open(path.c_str(), kFileRead | kFileWrite));
  Use(RetryProbe::CountedLock, ReadFile);
  EXPECT_EQ(0, f.Lock(6, 2, 1));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, f.GetError());
  EXPECT_EQ(10, RetryProbe::lockCalls);
  EXPECT_EQ(10, RetryProbe::sleeps);
  RetryProbe::lockCalls = 0;
  EXPECT_EQ(1, f.Lock(12, 4, 1));  // outside the held range
  EXPECT_EQ(1, RetryProbe::lockCalls);

  SetEvent(release);
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(0u, code);
  // Released: the range locks at the first try.
  EXPECT_EQ(1, f.Lock(6, 2, 1));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(ready);
  CloseHandle(release);
}

}  // namespace
