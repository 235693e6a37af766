#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "program_runner.h"
#include "script_modules.h"

namespace {

HGLOBAL Text(const char* text) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(h)), text);
  GlobalUnlock(h);
  return h;
}

TEST(ScriptModules, KeysAreFileNamesCutToEight) {
  char key[8];
  SetModuleName(key, "C:\\A\\LIB.BAS");
  EXPECT_EQ(0, std::memcmp(key, "LIB     ", 8));
  SetModuleName(key, "D:LONGNAME1.BAS");
  EXPECT_EQ(0, std::memcmp(key, "LONGNAME", 8));
  SetModuleName(key, "lib.bas");
  EXPECT_EQ(0, std::memcmp(key, "lib     ", 8));
}

TEST(ScriptModules, SharedRecordCountedAndFreedAtLastRelease) {
  HGLOBAL first = Text("A:\nRETURN\n");
  ScriptModule* m = AddScriptModule("C:\\A\\LIB.BAS", first);
  ASSERT_NE(nullptr, m);
  HGLOBAL unused = Text("other");
  EXPECT_EQ(m, AddScriptModule("LIB.BAS", unused));  // same key: counted, handle not taken
  GlobalFree(unused);
  EXPECT_EQ(2, m->count);
  EXPECT_EQ(m, FindScriptModuleByText(m->start + 3));
  EXPECT_EQ(nullptr, FindScriptModule("lib.bas"));  // keys keep their case

  EXPECT_EQ(1, ReleaseScriptModule("LIB.BAS"));
  EXPECT_EQ(m, FindScriptModule("LIB.BAS"));
  EXPECT_EQ(1, ReleaseScriptModule("X:\\LIB.XYZ"));
  EXPECT_EQ(nullptr, FindScriptModule("LIB.BAS"));
  EXPECT_EQ(0, ReleaseScriptModule("LIB.BAS"));
}

TEST(ScriptModules, LongNamesShareOneModule) {
  ScriptModule* a = AddScriptModule("LONGNAME1.BAS", Text("1"));
  ScriptModule* b = AddScriptModule("LONGNAME2.BAS", Text("2"));
  EXPECT_EQ(a, b);
  EXPECT_EQ(1, ReleaseScriptModule("LONGNAME1.BAS"));
  EXPECT_EQ(1, ReleaseScriptModule("LONGNAME2.BAS"));
  EXPECT_EQ(0, ReleaseScriptModule("LONGNAME1.BAS"));
  EXPECT_EQ(nullptr, FindScriptModuleByText("x"));
}

TEST(ScriptModules, ConcurrentLoadsKeepTheCount) {
  const int kThreads = 4, kRounds = 200;
  HGLOBAL keep = Text("shared");
  ScriptModule* m = AddScriptModule("SHARED.BAS", keep);
  std::thread workers[kThreads];
  for (auto& w : workers)
    w = std::thread([] {
      for (int i = 0; i < kRounds; ++i) {
        AddScriptModule("SHARED.BAS", nullptr);
        ReleaseScriptModule("SHARED.BAS");
      }
    });
  for (auto& w : workers) w.join();
  EXPECT_EQ(1, m->count);
  EXPECT_EQ(1, ReleaseScriptModule("SHARED.BAS"));
}

std::string ExitTool() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  return dir.substr(0, dir.find_last_of('\\') + 1) + "exit_with.exe";
}

TEST(ProgramRunner, WaitGivesTheExitCode) {
  EXPECT_EQ(3u, RunProgram((ExitTool() + " 3").c_str(), SW_SHOWNORMAL, 1));
  // 259 is the value that means "still active" to a poll of the exit code.
  EXPECT_EQ(259u, RunProgram((ExitTool() + " 259").c_str(), SW_SHOWNORMAL, 1));
}

TEST(ProgramRunner, WithoutWaitReturnsAtOnce) {
  // Starting a process takes seconds on a loaded machine: the program runs
  // far longer than that, so a runner that waited for it could not pass.
  DWORD before = GetTickCount();
  EXPECT_EQ(0u, RunProgram((ExitTool() + " 7 12000").c_str(), SW_HIDE, 0));
  EXPECT_LT(GetTickCount() - before, 9000u);
}

// This process's own dialog: tests of other executables run alongside and
// show boxes of their own.
BOOL CALLBACK TakeOwnDialog(HWND w, LPARAM out) {
  DWORD pid = 0;
  char cls[16] = "";
  GetWindowThreadProcessId(w, &pid);
  GetClassNameA(w, cls, sizeof cls);
  if (pid != GetCurrentProcessId() || std::strcmp(cls, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

HWND OwnDialog() {
  HWND found = nullptr;
  EnumWindows(TakeOwnDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Finds the message box the runner shows, keeps its text and presses OK.
std::string DismissBox() {
  for (int i = 0; i < 600; ++i) {  // up to 30 s: slow under a loaded machine
    HWND box = OwnDialog();
    if (box) {
      std::string text;
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char buffer[512];
        GetWindowTextA(child, buffer, sizeof buffer);
        if (GetDlgCtrlID(child) == 0xFFFF) text = buffer;
      }
      // The box may be found while it is still being filled in.
      if (text.empty() || !IsWindowVisible(box)) {
        Sleep(50);
        continue;
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return text;
    }
    Sleep(50);
  }
  return "no box";
}

TEST(ProgramRunner, FailureShowsSystemTextAndCommandLine) {
  std::string shown;
  std::thread watcher([&] { shown = DismissBox(); });
  EXPECT_EQ(1u, RunProgram("C:\\no\\such\\program.exe /x", SW_SHOWNORMAL, 1));
  watcher.join();
  EXPECT_NE(std::string::npos, shown.find("\nC:\\no\\such\\program.exe /x")) << shown;
  EXPECT_GT(shown.find('\n'), 0u) << shown;  // the system's text comes first
}

}  // namespace
