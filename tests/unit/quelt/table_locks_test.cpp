// Locks between processes: another process (lock_holder) holds the header,
// a record or the memo file's next free block; the retry delay is counted
// instead of waited. The nested header lock, and file systems without locks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "quelt_test_support.h"

namespace {

struct Probe {
  static int sleeps, lockCalls;
  static DWORD error;
  static VOID WINAPI Sleep(DWORD) { ++sleeps; }
  static BOOL WINAPI CountedLock(HANDLE h, DWORD lo, DWORD hi, DWORD len, DWORD lenHi) {
    ++lockCalls;
    return LockFile(h, lo, hi, len, lenHi);
  }
  static BOOL WINAPI FailingLock(HANDLE, DWORD, DWORD, DWORD, DWORD) {
    ++lockCalls;
    SetLastError(error);
    return FALSE;
  }
};
int Probe::sleeps, Probe::lockCalls;
DWORD Probe::error;

// Holds bytes of a file from another process while it lives.
class HeldRange {
 public:
  HeldRange(const std::string& path, uint32_t offset, uint32_t length) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    *std::strrchr(exe, '\\') = 0;
    std::string command = std::string("\"") + exe + "\\lock_holder.exe\" \"" + path + "\" " +
                          std::to_string(offset) + " " + std::to_string(length) +
                          " QueltHeldReady QueltHeldRelease";
    ready_ = CreateEventA(nullptr, TRUE, FALSE, "QueltHeldReady");
    release_ = CreateEventA(nullptr, TRUE, FALSE, "QueltHeldRelease");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) {
      HANDLE waits[2] = {ready_, process_.hProcess};
      held_ = WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
    }
  }
  ~HeldRange() {
    SetEvent(release_);
    if (process_.hProcess) {
      WaitForSingleObject(process_.hProcess, 30000);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    CloseHandle(ready_);
    CloseHandle(release_);
  }
  bool held() const { return held_; }

 private:
  HANDLE ready_, release_;
  PROCESS_INFORMATION process_ = {};
  bool held_ = false;
};

class TableLocks : public ::testing::Test {
 protected:
  void SetUp() override {
    Probe::sleeps = Probe::lockCalls = 0;
    calls = {Probe::CountedLock, ReadFile, Probe::Sleep};
    SetFileRetryCalls(&calls);
    Bytes image = NumbersImage();
    std::strcpy(name, (WorkDir("locks") + ::testing::UnitTest::GetInstance()->current_test_info()->name()).c_str());
    ASSERT_TRUE(t.CreateFiles(name, image.data()));
    ASSERT_EQ(&t, t.Open(name));
    char rec[32];
    t.NewRecord(rec);
    ASSERT_EQ(1u, t.AppendRecord(rec));
  }
  void TearDown() override {
    t.Close();
    SetFileRetryCalls(nullptr);
  }
  std::string Path(const char* extension) { return std::string(name) + extension; }
  FileRetryCalls calls;
  Table t;
  char name[MAX_PATH];
};

TEST_F(TableLocks, AnotherProcessHoldingTheHeader) {
  HeldRange held(Path(".DBF"), 0, 32);
  ASSERT_TRUE(held.held());
  char rec[32];
  t.NewRecord(rec);
  Probe::lockCalls = 0;
  EXPECT_EQ(0u, t.AppendRecord(rec));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, t.GetError());
  EXPECT_EQ(10, Probe::lockCalls);
  EXPECT_EQ(10, Probe::sleeps);
  EXPECT_FALSE(t.Truncate(0));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, t.GetError());
  EXPECT_FALSE(t.LockHeader(TRUE));
  EXPECT_EQ(0, t.LockDepth());
  // Records are written under their own locks.
  EXPECT_EQ(1u, t.ReadRecord(1, rec));
  EXPECT_EQ(1u, t.WriteRecord(1, rec));
  EXPECT_EQ(1u, t.Count());
}

TEST_F(TableLocks, AnotherProcessHoldingARecord) {
  const uint32_t second = 129 + 24;
  char rec[32];
  t.NewRecord(rec);
  ASSERT_EQ(2u, t.AppendRecord(rec));
  HeldRange held(Path(".DBF"), second, 24);
  ASSERT_TRUE(held.held());
  t.ReadRecord(2, rec);
  EXPECT_EQ(0u, t.WriteRecord(2, rec));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, t.GetError());
  EXPECT_EQ(0u, t.DeleteRecord(2));
  EXPECT_EQ(1u, t.WriteRecord(1, rec));
  EXPECT_EQ(2u, t.ReadRecord(2, rec));  // reads take no lock
}

TEST_F(TableLocks, AnotherProcessPlacingAMemo) {
  HeldRange held(Path(".DBT"), 0, 4);
  ASSERT_TRUE(held.held());
  EXPECT_EQ(0u, t.WriteMemo("text", 4));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, t.GetError());
  EXPECT_EQ(512u, ReadAll(Path(".DBT")).size());
}

TEST_F(TableLocks, NestedHeaderLockWritesTheHeaderOnce) {
  // Another handle appends; taking the lock reads its count.
  Table other;
  ASSERT_EQ(&other, other.Open(name));
  char rec[32];
  other.NewRecord(rec);
  ASSERT_EQ(2u, other.AppendRecord(rec));
  other.Close();
  EXPECT_EQ(1u, t.Count());
  ASSERT_TRUE(t.LockHeader(TRUE));
  EXPECT_EQ(2u, t.Count());
  ASSERT_TRUE(t.LockHeader(TRUE));
  EXPECT_EQ(2, t.LockDepth());
  t.NewRecord(rec);
  EXPECT_EQ(3u, t.AppendRecord(rec));
  EXPECT_EQ(2u, Dword(ReadAll(Path(".DBF")), 4));  // not written while held
  EXPECT_TRUE(t.LockHeader(FALSE));
  EXPECT_EQ(2u, Dword(ReadAll(Path(".DBF")), 4));
  EXPECT_TRUE(t.LockHeader(FALSE));
  EXPECT_EQ(3u, Dword(ReadAll(Path(".DBF")), 4));
  EXPECT_EQ(0, t.LockDepth());
  // Released: another handle can lock the header at once.
  ASSERT_EQ(&other, other.Open(name));
  Probe::sleeps = 0;
  EXPECT_TRUE(other.LockHeader(TRUE));
  EXPECT_TRUE(other.LockHeader(FALSE));
  EXPECT_EQ(0, Probe::sleeps);
  other.Close();

  // One release too many, and one lock too deep for 8 bits.
  EXPECT_FALSE(t.LockHeader(FALSE));
  EXPECT_EQ(kErrorBadArgument, t.GetError());
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(t.LockHeader(TRUE));
  EXPECT_FALSE(t.LockHeader(TRUE));
  EXPECT_EQ(kErrorBadArgument, t.GetError());
  EXPECT_EQ(255, t.LockDepth());
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(t.LockHeader(FALSE));
  EXPECT_EQ(0, t.LockDepth());
}

TEST_F(TableLocks, FileSystemsWithoutLocks) {
  calls.lockFile = Probe::FailingLock;
  Probe::error = ERROR_INVALID_FUNCTION;
  Probe::lockCalls = 0;
  char rec[32];
  t.NewRecord(rec);
  EXPECT_EQ(2u, t.AppendRecord(rec));
  EXPECT_TRUE(t.Flags() & kTableNoLock);
  EXPECT_EQ(1, Probe::lockCalls);
  EXPECT_EQ(2u, t.WriteRecord(2, rec));
  EXPECT_TRUE(t.LockHeader(TRUE));
  EXPECT_EQ(0, t.LockDepth());
  EXPECT_EQ(1u, t.WriteMemo("x", 1));
  EXPECT_EQ(1, Probe::lockCalls);

  // Any other lock failure fails the operation with its error.
  Table other;
  ASSERT_EQ(nullptr, (Probe::error = ERROR_ACCESS_DENIED, other.Open(name)));
  EXPECT_EQ(ERROR_ACCESS_DENIED, other.GetError());
}

}  // namespace
