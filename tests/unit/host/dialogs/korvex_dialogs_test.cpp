// korvex.exe meets failing and stopped scripts: its error and STOP dialogs
// read through their windows and answered as a user does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"

using host_test::KorvexSession;
using Lines = std::vector<std::string>;

namespace {

const DWORD kTimeout = 15000;

// What a dialog of korvex showed.
struct Seen {
  HWND window = nullptr;
  std::string caption, message, loopDepth, ifDepth;
  Lines lines;
  int selection = -1;
};

// The next shown dialog of korvex other than previous.
Seen NextDialog(gui::Program& korvex, HWND previous = nullptr) {
  Seen seen;
  gui::WaitFor([&] {
    for (HWND w : korvex.Windows())
      if (w != previous && IsWindowVisible(w) && gui::ClassOf(w) == "#32770") seen.window = w;
    return seen.window != nullptr;
  }, kTimeout);
  if (!seen.window) return seen;
  HWND d = seen.window;
  seen.caption = gui::WindowText(d);
  seen.message = gui::WindowText(GetDlgItem(d, 1001));
  seen.lines = gui::ListBoxItems(GetDlgItem(d, 1003));
  seen.selection = static_cast<int>(gui::Send(GetDlgItem(d, 1003), LB_GETCURSEL, 0, 0));
  if (GetDlgItem(d, 1010)) {
    seen.loopDepth = gui::WindowText(GetDlgItem(d, 1010));
    seen.ifDepth = gui::WindowText(GetDlgItem(d, 1011));
  }
  return seen;
}

TEST(KorvexDialogs, FailingScriptShowsItsLinesAndEndsWithTheDialog) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("e.bas", "DIM A(2,3)\r\nX = 1\r\nY = X / 0\r\n"));
  Seen seen = NextDialog(korvex.Program());
  ASSERT_TRUE(seen.window);
  EXPECT_EQ(host_test::ScratchDirectory() + "e.bas", seen.caption);
  EXPECT_EQ("деление на нуль", seen.message);
  EXPECT_EQ((Lines{"DIM A(2,3)", "X=1", "Y=X/0"}), seen.lines);
  EXPECT_EQ(2, seen.selection);
  gui::AnswerMessageBox(seen.window, IDOK);
  EXPECT_EQ(0u, korvex.Program().WaitExit(kTimeout));
}

TEST(KorvexDialogs, ChainedLinesAreListedWhereTheyStand) {
  host_test::WriteScript("inc.bas", "C = 3\r\nD = C / 0\r\n");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("chained.bas", "A = 1\r\nCHAIN \"inc.bas\"\r\nB = 2\r\n"));
  Seen seen = NextDialog(korvex.Program());
  EXPECT_EQ((Lines{"A=1", "C=3", "D=C/0", "B=2"}), seen.lines);
  EXPECT_EQ(2, seen.selection);
  gui::AnswerMessageBox(seen.window, IDOK);
  EXPECT_EQ(0u, korvex.Program().WaitExit(kTimeout));
}

const char kStopInLoop[] =
    "FOR I = 1 TO 2\r\nIF I = 2 THEN\r\nSTOP\r\nENDIF\r\nNEXT\r\nWRITE I\r\nWRITE TO FILE \"%OUT%\"\r\n";

TEST(KorvexDialogs, StopShowsTheDepthsAndContinuesOrEnds) {
  {
    KorvexSession korvex;
    ASSERT_TRUE(korvex.Start("stop.bas", kStopInLoop));
    Seen seen = NextDialog(korvex.Program());
    ASSERT_TRUE(seen.window);
    EXPECT_EQ("1", seen.loopDepth);
    EXPECT_EQ("1", seen.ifDepth);
    EXPECT_EQ(2, seen.selection);
    EXPECT_EQ("", seen.message) << "STOP has no message";
    gui::AnswerMessageBox(seen.window, IDCANCEL);  // "Continue"
    EXPECT_EQ("3\r\n", korvex.Result());
    EXPECT_EQ(0u, korvex.Program().WaitExit(kTimeout));
  }
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("stop.bas", kStopInLoop));
  Seen seen = NextDialog(korvex.Program());
  gui::AnswerMessageBox(seen.window, IDOK);  // "End"
  EXPECT_EQ(0u, korvex.Program().WaitExit(kTimeout));
  EXPECT_FALSE(korvex.ResultExists());
}

TEST(KorvexDialogs, TracingStopsAfterEveryStatementUntilTroff) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("trace.bas",
                           "TRON\r\nA = 1\r\nB = 2\r\nTROFF\r\nWRITE A + B\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  std::vector<int> selections;
  HWND previous = nullptr;
  for (int i = 0; i < 3; ++i) {
    Seen seen = NextDialog(korvex.Program(), previous);
    if (!seen.window) break;
    selections.push_back(seen.selection);
    gui::AnswerMessageBox(seen.window, IDCANCEL);
    gui::WaitFor([&] { return !IsWindow(seen.window); }, kTimeout);
    previous = seen.window;
  }
  EXPECT_EQ((std::vector<int>{0, 1, 2}), selections);
  EXPECT_EQ("3\r\n", korvex.Result());
  EXPECT_EQ(0u, korvex.Program().WaitExit(kTimeout));
}

}  // namespace
