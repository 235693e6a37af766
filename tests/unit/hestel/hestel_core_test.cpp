// Hestel's static part: temporary file names, what only replaced LockFile,
// ReadFile and Sleep calls can show under Wine (a file system that cannot
// lock, reads that meet another process's lock), and the stop routine
// meeting a handle that was closed behind the registry's back; the dialogs'
// filter list and Install's choice of message.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "file_calls.h"
#include "file_dialogs.h"
#include "hestel_support.h"
#include "install_file.h"
#include "open_files.h"
#include "temp_file.h"

namespace {

using namespace hestel;

TEST(HestelTempFile, NamesFromSeedsAndTakenNamesSkipped) {
  EXPECT_EQ("C:\\t\\AAABPCKD0.tmp", TempFileName("C:\\t\\", 0x0001F2A3));
  EXPECT_EQ("PPPPPPPP0.tmp", TempFileName("", 0xFFFFFFFF));
  std::string dir = FreshDirectory("hestel_temp");
  WriteFileBytes(TempFileName(dir, 7), "");  // Windows answers 80 for these
  WriteFileBytes(TempFileName(dir, 8), "");
  std::string name;
  HANDLE file = CreateTempFileIn(dir, 7, &name);
  EXPECT_EQ(TempFileName(dir, 9), name);
  CloseHandle(file);
  EXPECT_EQ(INVALID_HANDLE_VALUE, CreateTempFileIn(dir + "missing\\", 7, &name));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
}

// Counts the waits, and fails the lock or read calls with a chosen error
// a chosen number of times.
struct Probe {
  static int sleeps, locks, reads, failures;
  static DWORD error;
  static VOID WINAPI Sleep(DWORD) { ++sleeps; }
  static BOOL WINAPI Lock(HANDLE, DWORD, DWORD, DWORD, DWORD) {
    ++locks;
    SetLastError(error);
    return FALSE;
  }
  static BOOL WINAPI Read(HANDLE h, LPVOID b, DWORD n, LPDWORD r, LPOVERLAPPED o) {
    ++reads;
    if (failures-- > 0) return SetLastError(error), FALSE;
    return ReadFile(h, b, n, r, o);
  }
};
int Probe::sleeps, Probe::locks, Probe::reads, Probe::failures;
DWORD Probe::error;

TEST(HestelRetries, LocksAndReadsThatMeetOtherProcesses) {
  static const FileRetryCalls calls = {Probe::Lock, Probe::Read, Probe::Sleep};
  SetRetryCalls(&calls);
  std::string path = FreshDirectory("hestel_retries") + "data.bin";
  WriteFileBytes(path, "0123456789");
  HANDLE file = OpenNamed(path.c_str(), "OREAD OWRITE");

  Probe::error = ERROR_INVALID_FUNCTION;  // a file system that cannot lock
  EXPECT_FALSE(LockRange(file, 0, 4, TRUE));
  EXPECT_EQ(0u, LastErrorOf(file));
  Probe::error = ERROR_ACCESS_DENIED;
  EXPECT_FALSE(LockRange(file, 0, 4, TRUE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), LastErrorOf(file));
  EXPECT_EQ(0, Probe::sleeps);
  Probe::error = ERROR_LOCK_VIOLATION;  // five attempts, each followed by a wait
  EXPECT_FALSE(LockRange(file, 0, 4, TRUE));
  EXPECT_EQ(static_cast<DWORD>(ERROR_LOCK_VIOLATION), LastErrorOf(file));
  EXPECT_EQ(7, Probe::locks);
  EXPECT_EQ(5, Probe::sleeps);

  Probe::sleeps = 0;
  Probe::failures = 4;  // read on the fifth try
  char buffer[] = "xxxx";
  EXPECT_EQ(4u, ReadBlock(file, buffer, 4));
  EXPECT_STREQ("0123", buffer);
  EXPECT_EQ(5, Probe::reads);
  EXPECT_EQ(4, Probe::sleeps);
  Probe::failures = 5;
  EXPECT_EQ(0u, ReadBlock(file, buffer, 4));
  EXPECT_EQ(10, Probe::reads);
  EXPECT_EQ(static_cast<DWORD>(ERROR_LOCK_VIOLATION), LastErrorOf(file));
  Probe::failures = 1;
  Probe::error = ERROR_HANDLE_EOF;  // not tried again
  EXPECT_EQ(0u, ReadBlock(file, buffer, 4));
  EXPECT_EQ(11, Probe::reads);
  CloseFile(file);
  SetRetryCalls(nullptr);
}

TEST(HestelRegistry, StopLeavesAHandleThatNamesAnotherFileOpen) {
  std::string dir = FreshDirectory("hestel_stop");
  WriteFileBytes(dir + "ours.txt", "ours");
  WriteFileBytes(dir + "theirs.txt", "theirs");
  HANDLE ours = OpenNamed((dir + "ours.txt").c_str(), "OREAD");
  HANDLE temporary = CreateNamed(nullptr);
  std::string temporaryName;
  ASSERT_TRUE(FileName(temporary, &temporaryName));
  CloseHandle(ours);
  HANDLE theirs = CreateFileA((dir + "theirs.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(ours, theirs) << "Wine hands a closed handle's value out again";

  KillAll();
  EXPECT_FALSE(HasFile(ours) || HasFile(temporary));
  EXPECT_FALSE(FileExists(temporaryName));
  char buffer[8] = {};
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(theirs, buffer, 6, &got, nullptr));
  EXPECT_STREQ("theirs", buffer);
  CloseHandle(theirs);
}


TEST(HestelDialogs, FilterBecomesAListEndedByTwoZeros) {
  DialogFilter f;
  PrepareFilter("Texts|*.txt|All|*.*|", &f);
  EXPECT_EQ(0, std::memcmp(f.list, "Texts\0*.txt\0All\0*.*\0\0", 22));
  EXPECT_STREQ("*.txt", f.defaultExtension);
  PrepareFilter("Texts|*.txt", &f);  // no closing "|"
  EXPECT_EQ(0, std::memcmp(f.list, "Texts\0*.txt\0\0", 13));
  std::string longFilter = std::string(120, 'd') + "|*.abcdefghij|";
  PrepareFilter(longFilter.c_str(), &f);  // cut to 126 characters
  EXPECT_STREQ("*.abc", f.defaultExtension);
  EXPECT_EQ(0, std::memcmp(f.list + 120, "\0*.abc\0\0", 8));
  PrepareFilter(nullptr, &f);
  EXPECT_EQ(nullptr, f.defaultExtension);
}

TEST(HestelInstall, FirstFlagInOrderChoosesTheMessage) {
  EXPECT_EQ(0, InstallMessage(0));
  EXPECT_EQ(0, InstallMessage(VIF_TEMPFILE | VIF_SRCOLD | VIF_DIFFLANG));
  EXPECT_EQ(101, InstallMessage(VIF_FILEINUSE | VIF_OUTOFMEMORY));
  EXPECT_EQ(102, InstallMessage(VIF_OUTOFSPACE | VIF_ACCESSVIOLATION));
  EXPECT_EQ(103, InstallMessage(VIF_SHARINGVIOLATION | VIF_CANNOTDELETE));  // a file held open
  EXPECT_EQ(103, InstallMessage(VIF_CANNOTREADSRC));
  EXPECT_EQ(103, InstallMessage(VIF_CANNOTREADDST | VIF_CANNOTCREATE));
  EXPECT_EQ(104, InstallMessage(VIF_CANNOTCREATE | VIF_CANNOTDELETECUR));
  EXPECT_EQ(105, InstallMessage(VIF_CANNOTDELETECUR | VIF_CANNOTRENAME));
  EXPECT_EQ(106, InstallMessage(VIF_CANNOTRENAME | VIF_OUTOFMEMORY));
  EXPECT_EQ(107, InstallMessage(VIF_OUTOFMEMORY));
}

}  // namespace
