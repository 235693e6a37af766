// Script windows in this process: a frame and MDI client of the host's own
// classes, scripts started with StartScript, messages pumped here.
#include <gtest/gtest.h>

#include <string>

#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

using host_test::PumpUntil;
using host_test::WriteScript;

namespace {

class ScriptWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    hInst = GetModuleHandleA(nullptr);
    RegisterHostClasses();
  }

  void SetUp() override {
    ScriptWindowCount = 0;
    ActiveScriptWindow = nullptr;
    // Frames of these tests leave the program's own "Main" rectangle alone.
    LastScriptOptions = kRunHide;
    FrameWindow = CreateFrameWindow();
    ASSERT_TRUE(FrameWindow);
  }

  void TearDown() override {
    if (IsWindow(FrameWindow)) {
      for (HWND child : gui::Children(MdiClient, nullptr))
        SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
      WaitForFrameEnd(2000);
    }
  }

  // A script's start; the frame is minimized (hidden for HIDE scripts).
  HWND Start(const std::string& name, const std::string& text) {
    HWND window = StartScript(nullptr, WriteScript(name, text).c_str());
    LastScriptOptions |= kRunHide;
    return window;
  }

  bool WaitForFrameEnd(DWORD timeout) {
    LastScriptOptions |= kRunHide;  // also after a RUN inside a script
    bool quit = false;
    PumpUntil([&] { return quit; }, timeout, &quit);
    return quit && !IsWindow(FrameWindow);
  }

  static void Pump(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
  }

  // The window's variable once its body has made it (null after 2 s).
  static VARIABLE* WaitForVariable(HWND window, const char* name) {
    VARIABLE* v = nullptr;
    PumpUntil([&] { return (v = InterpreterOf(window)->Variables().Find(name)) != nullptr; }, 2000);
    return v;
  }
};

TEST_F(ScriptWindows, ThreadScriptsCloseTheirWindowsAndTheFrame) {
  HWND window = Start("thread.bas", "A=1\r\nDELAY 300\r\n");
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsIconic(FrameWindow));
  EXPECT_EQ(InterpreterOf(window)->RunFlags() & (kRunWindow | kRunHide), 0);
  std::vector<HWND> windows{window};
  for (int i = 0; i < 3; ++i) windows.push_back(Start("other.bas", "DELAY 200\r\n"));
  EXPECT_EQ(ScriptWindowCount, 4);
  std::vector<std::pair<HANDLE, DWORD>> threads;
  for (HWND w : windows) {
    HANDLE thread = reinterpret_cast<HANDLE>(GetWindowLongPtrA(w, kScriptWordThread));
    ASSERT_TRUE(thread);
    threads.emplace_back(thread, GetThreadId(thread));
  }
  EXPECT_TRUE(WaitForFrameEnd(5000));
  EXPECT_EQ(ScriptWindowCount, 0);
  // Each window's end closed its thread's handle: it reaches that thread no more.
  for (const auto& thread : threads) EXPECT_NE(GetThreadId(thread.first), thread.second);
}

TEST_F(ScriptWindows, BodyEndWaitsForRunningHandlers) {
  HWND window = Start("handler.bas", "DELAY 200\r\n");
  ASSERT_TRUE(window);
  WindowInterpreter* interpreter = InterpreterOf(window);
  ++interpreter->RunningHandlers();  // as an event handler does on this thread
  Pump(800);
  ASSERT_TRUE(IsWindow(window)) << "destroyed under a running handler";
  EXPECT_TRUE(interpreter->RunFlags() & kRunStop) << "a closing window takes no new events";
  --interpreter->RunningHandlers();
  EXPECT_TRUE(WaitForFrameEnd(3000));
}

TEST_F(ScriptWindows, WindowScriptRunsOnTheGuiThreadAndStaysOpen) {
  HWND window = Start("gui.bas", "rem window\r\nA=1\r\nB=2\r\n");
  ASSERT_TRUE(window);
  EXPECT_FALSE(GetWindowLongPtrA(window, kScriptWordThread));
  VARIABLE* b = WaitForVariable(window, "B");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->lng, 2);
  Pump(300);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_STREQ(InterpreterOf(window)->Variables().Find("PRGNAME")->text, "GUI");
  EXPECT_TRUE(InterpreterOf(window)->Labels().FindLabel("BEGIN"));
  EXPECT_EQ(RequestClose(window), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(WaitForFrameEnd(2000));
}

TEST_F(ScriptWindows, WindowScriptEndingWithZeroClosesAfterItsHandlers) {
  HWND window = Start("endzero.bas", "REM WINDOW\r\nEND 0\r\n");
  ASSERT_TRUE(window);
  WindowInterpreter* interpreter = InterpreterOf(window);
  ++interpreter->RunningHandlers();
  Pump(300);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_TRUE(interpreter->RunFlags() & kRunStop);
  --interpreter->RunningHandlers();
  EXPECT_EQ(RequestClose(window), 1);  // what the last handler does
  EXPECT_TRUE(WaitForFrameEnd(2000));

  // Without a handler it goes at once; so does a script whose labels clash.
  SetUp();
  ASSERT_TRUE(Start("endnow.bas", "REM WINDOW\r\nEND 0\r\n"));
  EXPECT_TRUE(WaitForFrameEnd(2000));
  // The clash ends the script before it takes its parent as HPARENT; the
  // parent's window must survive that.
  SetUp();
  HWND parent = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  std::string twice = WriteScript("twice.bas", "REM WINDOW\r\nX:\r\nA=1\r\nX:\r\n");
  ASSERT_TRUE(StartScript(parent, twice.c_str()));
  EXPECT_TRUE(WaitForFrameEnd(2000));
  EXPECT_TRUE(IsWindow(parent));
  DestroyWindow(parent);
}

TEST_F(ScriptWindows, RunStartsAnotherScriptWindow) {
  std::string second = WriteScript("second.bas", "REM WINDOW\r\nA=1\r\n");
  std::string named = second.substr(0, second.size() - 4) + ".txt";
  HWND first = Start("first.bas", "REM WINDOW\r\nRUN \"" + named + "\"\r\nA=1\r\n");
  ASSERT_TRUE(first);
  ASSERT_TRUE(PumpUntil([] { return ScriptWindowCount == 2; }, 2000));
  HWND other = nullptr;
  for (HWND child : gui::Children(MdiClient, kScriptWindowClass))
    if (child != first) other = child;
  EXPECT_EQ(gui::WindowText(other), second);
  VARIABLE* parent = WaitForVariable(other, "HPARENT");
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->lng, 0);

  // The frame stays while one is open, and ends with the last one.
  RequestClose(first);
  Pump(100);
  EXPECT_TRUE(IsWindow(FrameWindow));
  RequestClose(other);
  EXPECT_TRUE(WaitForFrameEnd(2000));
}

TEST_F(ScriptWindows, ScriptWindowSizeInTheIni) {
  host_test::SetIniWindowSize("PLACED", "5,6,300,200");
  HWND window = Start("placed.bas", "REM WINDOW\r\nA=1\r\n");
  ASSERT_TRUE(WaitForVariable(window, "A"));
  RECT r = gui::ClientRectInParent(window);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  MoveWindow(window, 7, 8, 310, 210, TRUE);
  RequestClose(window);
  EXPECT_EQ(host_test::IniWindowSize("PLACED"), "7,8,310,210");
  EXPECT_TRUE(WaitForFrameEnd(2000));

  // A maximized window keeps the stored rectangle; a HIDE script neither
  // reads nor writes one.
  SetUp();
  window = Start("placed.bas", "REM WINDOW\r\nA=1\r\n");
  ASSERT_TRUE(WaitForVariable(window, "A"));
  ShowWindow(window, SW_MAXIMIZE);
  RequestClose(window);
  EXPECT_EQ(host_test::IniWindowSize("PLACED"), "7,8,310,210");
  EXPECT_TRUE(WaitForFrameEnd(2000));

  SetUp();
  window = Start("placed.bas", "REM HIDE,WINDOW\r\nA=1\r\n");
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
  ASSERT_TRUE(WaitForVariable(window, "A"));
  EXPECT_NE(gui::ClientRectInParent(window).left, 7);
  MoveWindow(window, 9, 9, 100, 100, TRUE);
  RequestClose(window);
  EXPECT_EQ(host_test::IniWindowSize("PLACED"), "7,8,310,210");
  EXPECT_TRUE(WaitForFrameEnd(2000));
}

}  // namespace
