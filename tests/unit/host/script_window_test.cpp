// Script windows in this process: a frame and MDI client of the host's own
// classes, scripts started with StartScript, messages pumped here.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "dialog_probe.h"
#include "event_dispatch.h"
#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "start_script.h"
#include "window_buffer.h"
#include "window_interpreter.h"

using host_test::PumpUntil;
using host_test::WaitForFrameEnd;
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

  void TearDown() override { host_test::CloseTestFrame(); }

  // A script's start; the frame is minimized (hidden for HIDE scripts).
  HWND Start(const std::string& name, const std::string& text) {
    HWND window = StartScript(nullptr, WriteScript(name, text).c_str());
    LastScriptOptions |= kRunHide;
    return window;
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
  // parent's window must survive that. The error dialog shows the clash.
  SetUp();
  HWND parent = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  std::string twice = WriteScript("twice.bas", "REM WINDOW\r\nX:\r\nA=1\r\nX:\r\n");
  auto answered = std::async(std::launch::async,
                             [&] { return host_test::AnswerDialog(twice.c_str(), IDOK); });
  ASSERT_TRUE(StartScript(parent, twice.c_str()));
  EXPECT_TRUE(WaitForFrameEnd(5000));
  host_test::DialogView clash = answered.get();
  EXPECT_EQ("дублирование метки", clash.message);
  EXPECT_EQ(3, clash.selection);
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


// Event dispatch on a WINDOW script of this process: the requests answered
// without handlers, and bound handlers found by the low 16 bits.
class Events : public ScriptWindows {
 protected:
  HWND window = nullptr;
  WindowInterpreter* owner = nullptr;

  void StartEvents(const std::string& text) {
    window = Start("events.bas", text);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitForVariable(window, "READY"));
    owner = InterpreterOf(window);
  }
  LRESULT Dispatch(uint32_t code, LPARAM parameter, int handled = 1) {
    LRESULT result = -1;
    EXPECT_EQ(handled, DispatchEvent(window, code, parameter, &result)) << code;
    return result;
  }
  LRESULT Request(uint32_t code, const char* text) {
    return Dispatch(code, reinterpret_cast<LPARAM>(text));
  }
  int32_t Long(const char* name) {
    VARIABLE* v = owner->Variables().Find(name);
    return v && v->type == VAL_LONG ? v->lng : -999;
  }
};

TEST_F(Events, RequestsAreAnsweredWithoutHandlersAndNullPointersRefused) {
  StartEvents(
      "REM WINDOW\r\nA = 5\r\nDIM T(3, 2)\r\nT(2, 1) = 7\r\nI = 2\r\n"
      "EVENT 1012, NEVER\r\nREADY = 1\r\nEND 1\r\nNEVER:\r\nB = 1\r\nEND\r\n");
  EXPECT_EQ(reinterpret_cast<LRESULT>(owner->Variables().Find("A")), Request(1012, "A"));
  EXPECT_EQ(0, Request(1012, "MISSING"));
  EXPECT_EQ(0, Request(1012, nullptr));
  EXPECT_EQ(nullptr, owner->Variables().Find("B")) << "a 1012 binding never runs";

  auto element = reinterpret_cast<VARIABLE*>(Request(1013, "T(I,1)"));
  ASSERT_TRUE(element);
  EXPECT_EQ(7, element->lng);
  EXPECT_EQ(0, Request(1013, "T"));
  EXPECT_EQ(0, Request(1013, "T(9,9)"));
  EXPECT_EQ(0, Request(1013, "T(1,"));
  EXPECT_EQ(0, Request(1013, nullptr));

  EXPECT_EQ(0, Request(1018, nullptr));
  EXPECT_EQ(0, Request(1019, nullptr));
  EXPECT_EQ(1, Request(1019, "x"));
  EXPECT_EQ(2, Request(1019, "y"));
  HGLOBAL block = reinterpret_cast<HGLOBAL>(Request(1018, nullptr));
  ASSERT_TRUE(block);
  EXPECT_STREQ("x\ty", static_cast<const char*>(GlobalLock(block)));
  GlobalUnlock(block);
  EXPECT_EQ(1, Request(1020, nullptr));
  EXPECT_EQ(0, Request(1020, nullptr));
}

TEST_F(Events, HandlersFoundByTheLowBitsSetTheirVariablesAndStopWithTheWindow) {
  StartEvents(
      "REM WINDOW\r\nN = 0\r\nPARAM = 77\r\nEVENT 40100, MENU\r\nEVENT 1006, PAINT\r\n"
      "EVENT 1009, CLICK\r\nCOMMAND 1014, \"N = N + 1\"\r\n"
      "COMMAND 1016, \"EVENT 1016\" & CHR(10) & \"Z = 1\"\r\n"
      "READY = 1\r\nEND 1\r\n"
      "MENU:\r\nM = PARAM\r\nEND 3\r\nPAINT:\r\nH = HDC\r\nEND\r\n"
      "CLICK:\r\nX = XPOS\r\nY = YPOS\r\nEND\r\n");
  // An accelerator's command (high word 1) finds the binding of its id.
  EXPECT_EQ(3, Dispatch(MAKEWPARAM(40100, 1), 9));
  EXPECT_EQ(9, Long("M"));
  Dispatch(1006, 1234);
  EXPECT_EQ(1234, Long("HDC"));
  EXPECT_EQ(9, Long("PARAM")) << "paint leaves PARAM alone";
  Dispatch(1009, MAKELPARAM(30, 40));
  EXPECT_EQ(30, Long("X"));
  EXPECT_EQ(40, Long("Y"));
  EXPECT_EQ(MAKELPARAM(30, 40), Long("PARAM"));
  Dispatch(1014, 0);
  Dispatch(0x50000 | 1014, 0);
  EXPECT_EQ(2, Long("N"));
  // A command text that unbinds its own code goes on from its copy.
  Dispatch(1016, 0);
  EXPECT_EQ(1, Long("Z"));
  Dispatch(1016, 0, 0);
  Dispatch(1000, 0, 0);  // nothing bound, nothing attached
  // WM_CLOSE without a 1005 handler: the window stays.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));

  // A window marked to stop takes no events.
  owner->RunFlags() |= kRunStop;
  Dispatch(1014, 0, 0);
  Dispatch(1012, reinterpret_cast<LPARAM>("N"), 0);
  EXPECT_EQ(2, Long("N"));
  owner->RunFlags() &= static_cast<uint16_t>(~kRunStop);
}

TEST_F(Events, HandlerThatBreaksClosesItsWindowAndADestroyedWindowRunsNothing) {
  StartEvents("REM WINDOW\r\nCOMMAND 1014, \"BREAK\"\r\nREADY = 1\r\nEND 1\r\n");
  Dispatch(1014, 0);
  EXPECT_FALSE(IsWindow(window)) << "the stop of a handler ends a WINDOW script";
  EXPECT_TRUE(WaitForFrameEnd(2000));

  // Destroyed while a handler is in flight: the handler keeps the tables
  // until it lets go, and no event reaches the window any more.
  SetUp();
  StartEvents("REM WINDOW\r\nCOMMAND 1014, \"N = 1\"\r\nREADY = 1\r\nEND 1\r\n");
  HoldInterpreter(owner);
  ++owner->RunningHandlers();
  SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  ASSERT_FALSE(IsWindow(window));
  EXPECT_EQ(1, Long("READY"));
  EXPECT_TRUE(owner->RunFlags() & kRunStop);
  EXPECT_EQ(0, DispatchEvent(window, 1014, 0, nullptr));
  --owner->RunningHandlers();
  ReleaseInterpreter(owner);
  EXPECT_TRUE(WaitForFrameEnd(2000));
}

}  // namespace
