// korvex.exe as a user starts it: one script on the command line, the
// program's exit code, its message boxes and the frame rectangle it keeps
// in "KORVEX.INI".
#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"

using host_test::WriteScript;

namespace {

const DWORD kExitTimeout = 20000;
const DWORD kWindowTimeout = 15000;

std::string Korvex() { return host_test::KorvexCommand(); }
using host_test::ScriptWindowOf;

TEST(KorvexProgram, EndsWithCodeZeroWhenItsScriptEnds) {
  std::string path = WriteScript("myprog.bas", "A=1\r\nDELAY 1500\r\n");
  ASSERT_EQ(path.find(' '), std::string::npos) << "the scratch path must have no blanks";
  // Blanks within the path and quotes around it are dropped, .txt is .bas.
  std::string written = path.substr(0, path.size() - 10) + "my prog.txt";
  gui::Program korvex;
  ASSERT_TRUE(korvex.Start(Korvex() + " \"" + written + "\""));
  HWND frame = korvex.WaitForWindow("KORVEX", "KORVEX", kWindowTimeout);
  ASSERT_TRUE(frame);
  HWND script = nullptr;
  gui::WaitFor([&] { return (script = ScriptWindowOf(frame)) != nullptr; }, kWindowTimeout);
  ASSERT_TRUE(script);
  EXPECT_EQ(gui::WindowText(script), path);
  EXPECT_TRUE(IsIconic(frame)) << "the first script shows the frame minimized";
  EXPECT_EQ(korvex.WaitExit(kExitTimeout), 0u);
}

// Starts korvex on the command line's script, which fails to start: the
// message box text, after which korvex must end with code 0.
std::string FailedStartMessage(const std::string& script) {
  gui::Program korvex;
  if (!korvex.Start(Korvex() + " " + script)) return "<not started>";
  HWND box = korvex.WaitForWindow("#32770", nullptr, kWindowTimeout);
  if (!box || !gui::WaitUntilShown(box, kWindowTimeout)) return "<no box>";
  std::string text = gui::WindowText(box) + ": " + gui::WaitForMessageBoxText(box);
  gui::AnswerMessageBox(box, IDOK);
  DWORD code = korvex.WaitExit(kExitTimeout);
  return code == 0 ? text : text + " <exit code " + std::to_string(code) + ">";
}

TEST(KorvexProgram, ScriptThatCannotStartShowsWhyAndEndsWithZero) {
  std::string missing = host_test::ScratchDirectory() + "absent.txt";
  EXPECT_EQ(FailedStartMessage(missing),
            "ОШИБКА: файл " + missing.substr(0, missing.size() - 3) + "bas не найден");
  std::string broken = WriteScript("broken.bas", "A=1\r\nB=\"open\r\n");
  EXPECT_EQ(FailedStartMessage(broken), "ОШИБКА: не парные ковычки в строке 2");
}

TEST(KorvexProgram, HideScriptNeverShowsTheFrameNorSavesIt) {
  host_test::SetIniWindowSize("Main", nullptr);
  std::string path = WriteScript("hideme.bas", "REM HIDE\r\nDELAY 1500\r\n");
  gui::Program korvex;
  ASSERT_TRUE(korvex.Start(Korvex() + " " + path));
  HWND frame = korvex.WaitForWindow("KORVEX", "KORVEX", kWindowTimeout);
  ASSERT_TRUE(frame);
  bool shown = false;
  while (korvex.Running()) {
    shown |= IsWindowVisible(frame) != 0;
    Sleep(20);
  }
  EXPECT_FALSE(shown);
  EXPECT_EQ(korvex.WaitExit(kExitTimeout), 0u);
  EXPECT_EQ(host_test::IniWindowSize("Main"), "");
}

TEST(KorvexProgram, FrameRectangleIsReadAndSavedUnderMain) {
  host_test::SetIniWindowSize("Main", "30,40,500,400");
  std::string path = WriteScript("frame.bas", "REM WINDOW\r\nA=1\r\n");
  gui::Program korvex;
  ASSERT_TRUE(korvex.Start(Korvex() + " " + path));
  HWND frame = korvex.WaitForWindow("KORVEX", "KORVEX", kWindowTimeout);
  ASSERT_TRUE(frame);
  HWND script = nullptr;
  gui::WaitFor([&] { return (script = ScriptWindowOf(frame)) != nullptr; }, kWindowTimeout);
  ASSERT_TRUE(script);

  // Restored, the frame has the rectangle of the INI file.
  gui::Send(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(gui::WaitFor([&] { return !IsIconic(frame); }, 5000));
  RECT r = gui::ScreenRect(frame);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 400);

  // Closing the frame asks the scripts; a WINDOW script stays, so does the
  // frame.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  Sleep(500);
  EXPECT_TRUE(korvex.Running());

  SetWindowPos(frame, nullptr, 50, 60, 600, 450, SWP_NOZORDER | SWP_NOACTIVATE);
  gui::WaitFor([&] { return gui::ScreenRect(frame).left == 50; }, 5000);
  HWND client = gui::Children(frame, "MDIClient").at(0);
  PostMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(script), 0);
  EXPECT_EQ(korvex.WaitExit(kExitTimeout), 0u);
  EXPECT_EQ(host_test::IniWindowSize("Main"), "50,60,600,450");
}

}  // namespace
