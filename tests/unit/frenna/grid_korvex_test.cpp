// The grid control in korvex.exe's script dialogs over N25 of KTEST: keys
// posted to the control pass korvex's dialog handling as typed keys do;
// Enter and command 40001 reach the script as the UPDATED notice and never
// press OK; a binding with too many titles shows its message and leaves the
// control empty; and the dialog on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_driver.h"
#include "korvex_session.h"
#include "tree_test_support.h"
#include "window_test_support.h"

using host_test::KorvexSession;
using window_test::ReadWhenThere;
using window_test::ScratchFile;

namespace {

std::string Samples() { return std::string("\"") + KORVEX_FRENNA_SAMPLES + "\""; }

// N25 with its seventh record current, as R.
const char kOpenN25[] =
    "DEF PRAXEL\r\nDEF FRENNA\r\n"
    "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\r\n"
    "SET R = PRAXEL.New(B, \"N25\", 10)\r\n"
    "R.Open(\"SELECT ID, NAME FROM N25 ORDER BY ID\", \"STATIC\")\r\n"
    "R.RecGet(7)\r\n";

void Post(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// The file's bytes once they end with `tail`, or as they are after
// timeout ms.
std::string ReadWhenEndsWith(const std::string& path, const std::string& tail, DWORD timeout = 5000) {
  std::string bytes;
  gui::WaitFor([&] {
    bytes = window_test::ReadWhenThere(path, 0);
    return bytes.size() >= tail.size() && bytes.compare(bytes.size() - tail.size(), tail.size(), tail) == 0;
  }, timeout);
  return bytes;
}

TEST(GridKorvex, EmbeddedDialogEditsOnEnterAndCommandAndSurvivesABadBinding) {
  frenna_test::MakeN25();
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("griddlg.bas",
      std::string("REM WINDOW\r\nDONE = 0\r\nEVENT 3000, NOTE\r\nEVENT 40100, BAD\r\n") + kOpenN25 +
      "DIALOG " + Samples() + ", \"GRIDDLG\", 3000\r\n"
      "PUT 101, R, \"Номер|Имя\"\r\nWRITE GET(101, \"L\")\r\nWRITE TO FILE \"%OUT%\"\r\n"
      "DONE = 1\r\nEND 1\r\n"
      "NOTE:\r\nIF DONE = 0 THEN END\r\n"
      "WRITE PARAM, PARAM(\"UPDATED\", 101), GET(101, \"L\")\r\nWRITE ADD FILE \"%OUT%.2\"\r\nEND\r\n"
      "BAD:\r\nPUT 101, R, \"A|B|C\"\r\nWRITE GET(101, \"L\")\r\nWRITE TO FILE \"%OUT%.3\"\r\nEND\r\n"));
  const std::string notices = ScratchFile("griddlg.bas.result.2");
  DeleteFileA(notices.c_str());
  DeleteFileA(ScratchFile("griddlg.bas.result.3").c_str());
  EXPECT_EQ("7\r\n", korvex.Result());
  std::vector<HWND> dialogs = gui::Children(korvex.Script(), "#32770");
  ASSERT_EQ(1u, dialogs.size());
  HWND dialog = dialogs[0];
  HWND grid = GetDlgItem(dialog, 101);
  ASSERT_EQ("GRIDRS", gui::ClassOf(grid));
  EXPECT_TRUE(IsWindowVisible(grid));

  Post(grid, VK_DOWN);
  Post(grid, VK_DOWN);
  Post(grid, VK_RETURN);
  EXPECT_EQ("6619143\tTRUE\t9\r\n", ReadWhenThere(notices));
  gui::Send(grid, WM_COMMAND, 40001, 0);
  EXPECT_EQ("6619143\tTRUE\t9\r\n6619143\tTRUE\t9\r\n", ReadWhenThere(notices));
  EXPECT_TRUE(IsWindow(dialog)) << "Enter pressed no OK";

  // On the screen: the frame restored and the script window made larger.
  gui::Send(korvex.Frame(), WM_SYSCOMMAND, SC_RESTORE, 0);
  HWND script = korvex.Script();
  gui::Send(GetParent(script), WM_MDIRESTORE, reinterpret_cast<WPARAM>(script), 0);
  SetWindowPos(script, nullptr, 0, 0, 460, 300, SWP_NOZORDER);
  RedrawWindow(script, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  window_test::Screenshot("frenna_grid");

  // Too many titles: message 122, then an empty control that asks nothing.
  PostMessageA(korvex.Script(), WM_COMMAND, 40100, 0);
  HWND box = korvex.Program().WaitForWindow("#32770", "ОШИБКА", 15000);
  ASSERT_TRUE(box);
  ASSERT_TRUE(gui::WaitUntilShown(box, 5000));
  EXPECT_EQ("не верное количество параметров", gui::WaitForMessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);
  EXPECT_EQ("0\r\n", ReadWhenThere(ScratchFile("griddlg.bas.result.3")));
  Post(grid, VK_DOWN);
  Post(grid, VK_RETURN);
  gui::Send(grid, WM_COMMAND, 40001, 0);
  Sleep(500);
  EXPECT_EQ("6619143\tTRUE\t9\r\n6619143\tTRUE\t9\r\n", ReadWhenThere(notices)) << "no further notice";
  EXPECT_TRUE(korvex.Program().Running());

  // The dialog manager has the keys first: Esc at the grid cancels the
  // dialog (its CANCEL notice), as Enter would have pressed OK.
  Post(grid, VK_ESCAPE);
  EXPECT_EQ("6619143\tTRUE\t9\r\n6619143\tTRUE\t9\r\n5\tFALSE\t0\r\n",
            ReadWhenEndsWith(notices, "5\tFALSE\t0\r\n"));
  EXPECT_TRUE(IsWindow(dialog));
}

TEST(GridKorvex, ModalDialogEditsOnEnterAndIsCancelledByEsc) {
  frenna_test::MakeN25();
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("gridmodal.bas",
      std::string("REM WINDOW\r\nEVENT 3000, NOTE\r\n") + kOpenN25 +
      "INPUT " + Samples() + ", \"GRIDMODAL\", 3000\r\n"
      "WRITE \"R\", RESULT\r\nWRITE ADD FILE \"%OUT%\"\r\nEND 1\r\n"
      "NOTE:\r\nIF LOWORD(PARAM) = 1 THEN PUT 101, R, \"Номер|Имя\"\r\n"
      "IF LOWORD(PARAM) <> 7 THEN END\r\n"
      "WRITE HIWORD(PARAM), GET(101, \"L\")\r\nWRITE ADD FILE \"%OUT%\"\r\nEND\r\n"));
  HWND dialog = window_test::WaitForDialog(korvex.Program(), "Таблица");
  ASSERT_TRUE(dialog);
  HWND grid = GetDlgItem(dialog, 101);
  ASSERT_EQ("GRIDRS", gui::ClassOf(grid));
  Post(grid, VK_DOWN);
  Post(grid, VK_RETURN);
  EXPECT_EQ("101\t8\r\n", korvex.Result());
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter edits, it presses no OK";

  Post(grid, VK_ESCAPE);
  EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(dialog); }, 5000));
  std::string result;
  gui::WaitFor([&] { return (result = korvex.Result()) == "101\t8\r\nR\t2\r\n"; }, 5000);
  EXPECT_EQ("101\t8\r\nR\t2\r\n", result);
}

}  // namespace
