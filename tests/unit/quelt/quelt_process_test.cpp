// Two processes on one table through Quelt.dll: the header lock held by the
// other (waited out for real, ten tries a second apart), appends in turn,
// and a file system without locks. The peer check reads the turns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dll_test_support.h"
#include "quelt_test_support.h"

namespace {

std::string Here() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  *std::strrchr(exe, '\\') = 0;
  return exe;
}

class Helper {
 public:
  explicit Helper(const std::string& arguments, const char* program = "quelt_holder.exe") {
    std::string command = "\"" + Here() + "\\" + program + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
  }
  ~Helper() {
    if (started_) {
      WaitForSingleObject(pi_.hProcess, 30000);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  HANDLE process() const { return pi_.hProcess; }
  DWORD Finish() {
    DWORD code = 99;
    WaitForSingleObject(pi_.hProcess, 60000);
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION pi_ = {};
  BOOL started_ = FALSE;
};

bool WaitReady(HANDLE ready, const Helper& helper) {
  HANDLE waits[2] = {ready, helper.process()};
  return WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
}

TEST(QueltProcesses, LocksAndTurnsBetweenTwoProcesses) {
  const std::string path = WorkDir("processes") + "turns";
  char name[MAX_PATH];
  std::strcpy(name, path.c_str());
  Bytes image = NumbersImage();
  Table* t = QUELT_Create(name, image.data(), nullptr);
  ASSERT_NE(nullptr, t) << QUELT_GetLastError(nullptr);

  HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, "QueltTurnsReady");
  HANDLE release = CreateEventA(nullptr, FALSE, FALSE, "QueltTurnsRelease");
  {
    Helper holder("\"" + path + "\" lock QueltTurnsReady QueltTurnsRelease");
    ASSERT_TRUE(WaitReady(ready, holder));
    const DWORD started = GetTickCount();
    EXPECT_EQ(0u, AppendNumber(t, 1));
    const DWORD waited = GetTickCount() - started;
    EXPECT_EQ(33u, QUELT_GetLastError(t));
    EXPECT_GE(waited, 9500u);
    EXPECT_LE(waited, 13000u);
    SetEvent(release);
    EXPECT_EQ(0u, holder.Finish());
  }

  // Without locking, another process's header lock is not waited for.
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "QueltRawReady");
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, "QueltRawRelease");
  {
    Helper locker("\"" + path + ".DBF\" 0 32 QueltRawReady QueltRawRelease", "lock_holder.exe");
    ASSERT_TRUE(WaitReady(held, locker));
    QUELT_Flush(t, FALSE);
    const DWORD started = GetTickCount();
    EXPECT_EQ(1u, AppendNumber(t, 3000));
    EXPECT_LT(GetTickCount() - started, 1000u);
    SetEvent(done);
    EXPECT_EQ(0u, locker.Finish());
  }
  QUELT_Flush(t, TRUE);
  ASSERT_TRUE(QUELT_Truncate(t, 0));

  // Both append in turn: 1001, 2001, 1002, 2002 ...
  HANDLE mine = CreateEventA(nullptr, FALSE, FALSE, "QueltTurnMine");
  HANDLE theirs = CreateEventA(nullptr, FALSE, FALSE, "QueltTurnTheirs");
  {
    Helper other("\"" + path + "\" append QueltTurnTheirs QueltTurnMine 100 2000");
    for (int i = 1; i <= 100; ++i) {
      ASSERT_EQ(static_cast<DWORD>(2 * i - 1), AppendNumber(t, 1000 + i)) << QUELT_GetLastError(t);
      SetEvent(theirs);
      ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mine, 30000));
    }
    EXPECT_EQ(0u, other.Finish());
  }

  EXPECT_EQ(0u, QUELT_Close(t, nullptr));
  for (HANDLE h : {ready, release, mine, theirs, held, done}) CloseHandle(h);
}

}  // namespace
