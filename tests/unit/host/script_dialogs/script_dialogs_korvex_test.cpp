// Script dialogs through korvex.exe: the notices a modal and an embedded
// dialog send while the driver types and clicks, what the owner-drawn
// controls show on the screen, and typed characters of a thread's dialog.
#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "window_test_support.h"

using host_test::KorvexSession;
using window_test::ReadWhenThere;
using window_test::ScratchFile;
using window_test::WaitForDialog;

namespace {

std::string Samples() { return "\"" + window_test::WindowSamples() + "\""; }

// Writes each notice but COLOR as kind and control id; a SAVE also writes
// the edit's text and answers 0 the first time, 1 after. Once DONE is set
// every notice is written to the second result file at once.
const char kNote[] =
    "NOTE:\r\nIF LOWORD(PARAM) = 4 THEN END\r\nWRITE LOWORD(PARAM), HIWORD(PARAM)\r\n"
    "IF DONE = 1 THEN WRITE TO FILE \"%OUT%.2\"\r\nIF LOWORD(PARAM) <> 2 THEN END\r\n"
    "WRITE \"T\", GET(1001), PARAM(\"SAVE\")\r\nN = N + 1\r\nEND N - 1\r\n";

std::string ModalScript() {
  return "REM WINDOW\r\nN = 0\r\nEVENT 7, NOTE\r\nEVENT 1005, BTN\r\nINPUT " + Samples() +
         ", \"DLG\", 7\r\nWRITE \"R\", RESULT, HDLG\r\nWRITE TO FILE \"%OUT%\"\r\nEND 1\r\n" + kNote +
         "BTN:\r\nWRITE \"B\"\r\nEND\r\n";
}

TEST(KorvexDialogs, ModalDialogNoticesAndTwoSaves) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("modal.bas", ModalScript()));
  HWND dialog = WaitForDialog(korvex.Program(), "Диалог");
  ASSERT_TRUE(dialog);
  gui::Send(GetDlgItem(dialog, 1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  ab   c "));
  gui::Send(GetDlgItem(dialog, 1005), BM_CLICK, 0, 0);
  gui::Send(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the first SAVE answered 0";
  gui::Send(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ("1\t0\r\n6\t1001\r\n7\t1001\r\nB\r\n2\t0\r\nT\tab c\tTRUE\r\n2\t0\r\nT\tab c\tTRUE\r\n"
            "R\t1\t0\r\n",
            korvex.Result());
}

TEST(KorvexDialogs, ModalDialogAsksForHelpAndIsCancelled) {
  KorvexSession korvex;
  // The help notice writes what came so far to a file of its own: the test
  // cancels once the key has gone through the display, however slow.
  std::string script = ModalScript();
  script.replace(script.find("IF DONE = 1 THEN"), 16, "IF LOWORD(PARAM) = 9 THEN");
  DeleteFileA(ScratchFile("cancel.bas.result.2").c_str());
  ASSERT_TRUE(korvex.Start("cancel.bas", script));
  HWND dialog = WaitForDialog(korvex.Program(), "Диалог");
  ASSERT_TRUE(dialog);
  // F1 on the focused OK button.
  window_test::RunUnixCommand("/usr/bin/xdotool windowfocus --sync " +
                              std::to_string(window_test::XWindowOf(dialog)) + " key F1");
  EXPECT_EQ("1\t0\r\n9\t1\r\n", ReadWhenThere(ScratchFile("cancel.bas.result.2"), 30000));
  gui::Send(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ("5\t0\r\nR\t2\t0\r\n", korvex.Result());
  DeleteFileA(ScratchFile("cancel.bas.result.2").c_str());
}

TEST(KorvexDialogs, EmbeddedDialogIsFilledAndReadAndStays) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("embedded.bas",
      "REM WINDOW\r\nEVENT 8, NOTE\r\nDIM STRING A(3, 1)\r\nA(0) = \"Анна\"\r\nA(1) = \"Борис\"\r\n"
      "A(2) = \"Вера\"\r\nDIALOG " + Samples() + ", \"FORM\", 8\r\nPUT 1003, \"Борис\", 3, A\r\n"
      "PUT 1010, 2\r\nPUT 1002, 1\r\nPUT 1001, \"Иванов\", 10\r\nTUNE 1005, TEXT, 12\r\n"
      "WRITE GET(1003), GET(1003, \"L\"), GET(1010), GET(1002), GET(1001), GET(1005), "
      "GET(1001, \"HWND\") <> 0\r\nWRITE TO FILE \"%OUT%\"\r\nDONE = 1\r\nEND 1\r\n" + kNote));
  EXPECT_EQ("1\t0\r\n6\t1001\r\n7\t1001\r\nБорис\t1\t2\tTRUE\tИванов\t12\tTRUE\r\n", korvex.Result());
  std::vector<HWND> dialogs = gui::Children(korvex.Script(), "#32770");
  ASSERT_EQ(1u, dialogs.size());
  HWND dialog = dialogs[0];
  EXPECT_EQ(10, gui::Send(GetDlgItem(dialog, 1001), EM_GETLIMITTEXT, 0, 0));
  gui::Send(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ("5\t0\r\n", ReadWhenThere(ScratchFile("embedded.bas.result.2")));
  EXPECT_TRUE(IsWindow(dialog)) << "Cancel leaves an embedded dialog";
  DeleteFileA(ScratchFile("embedded.bas.result.2").c_str());
  gui::Send(GetDlgItem(dialog, 1011), BM_CLICK, 0, 0);
  EXPECT_EQ("3\t1011\r\n", ReadWhenThere(ScratchFile("embedded.bas.result.2")));
}

// The colours of a window's rectangle as the screen shows them.
class ScreenArea {
 public:
  explicit ScreenArea(HWND window) {
    GetWindowRect(window, &area_);
    HDC screen = GetDC(nullptr);
    memory_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, Width(), Height());
    old_ = SelectObject(memory_, bitmap_);
    BitBlt(memory_, 0, 0, Width(), Height(), screen, area_.left, area_.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  ~ScreenArea() {
    SelectObject(memory_, old_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
  }
  int Width() const { return area_.right - area_.left; }
  int Height() const { return area_.bottom - area_.top; }
  COLORREF At(int x, int y) const { return GetPixel(memory_, x, y); }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  RECT area_;
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(KorvexDialogs, OwnerDrawingOnTheScreen) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("paintdlg.bas",
      "REM WINDOW\r\nEVENT 9, COLOR\r\nEVENT 50, ITEM\r\nEVENT 40100, SHOW\r\nDIALOG " + Samples() + ", \"PAINT\", 9\r\n"
      "PUT 1006, 2, 3, 50\r\nWRITE GET(1006)\r\nWRITE TO FILE \"%OUT%\"\r\nEND 1\r\n"
      "COLOR:\r\nIF LOWORD(PARAM) = 4 AND HIWORD(PARAM) = 1004 THEN RESULT = RGB(255, 0, 0)\r\nEND\r\n"
      "ITEM:\r\nRESULT = \"Пункт \" & LOWORD(PARAM)\r\nEND\r\n"
      "SHOW:\r\nINPUT " + Samples() + ", \"LISTS\", 9\r\nEND\r\n"));
  EXPECT_EQ("2\r\n", korvex.Result());
  gui::Send(korvex.Frame(), WM_SYSCOMMAND, SC_RESTORE, 0);
  HWND script = korvex.Script();
  gui::Send(GetParent(script), WM_MDIRESTORE, reinterpret_cast<WPARAM>(script), 0);
  SetWindowPos(script, nullptr, 0, 0, 420, 200, SWP_NOZORDER);
  RedrawWindow(script, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HWND dialog = gui::Children(script, "#32770").at(0);
  // The display shows the repaint some time after it is drawn: a busy
  // machine can take seconds.
  gui::WaitFor([&] { return ScreenArea(GetDlgItem(dialog, 1004)).Count(RGB(255, 0, 0)) > 10; }, 30000);
  window_test::Screenshot("dialog_paint");
  {
    ScreenArea text(GetDlgItem(dialog, 1004));
    EXPECT_GT(text.Count(RGB(255, 0, 0)), 10) << "red glyphs";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), text.At(text.Width() - 1, text.Height() - 1));
  }

  // A modal dialog with a record draws its bitmap button: LOGO stretched
  // over it.
  PostMessageA(script, WM_COMMAND, 40100, 0);
  HWND lists = WaitForDialog(korvex.Program(), "Списки");
  ASSERT_TRUE(lists);
  gui::WaitFor([&] {
    ScreenArea button(GetDlgItem(lists, 1007));
    return button.At(2, 2) == RGB(0, 0, 255) && button.At(button.Width() - 3, 2) == RGB(255, 0, 0) &&
           button.At(2, button.Height() - 3) == RGB(255, 0, 0);
  }, 30000);
  window_test::Screenshot("dialog_button");
  {
    ScreenArea button(GetDlgItem(lists, 1007));
    EXPECT_EQ(RGB(0, 0, 255), button.At(2, 2));
    EXPECT_EQ(RGB(255, 0, 0), button.At(button.Width() - 3, 2));
    EXPECT_EQ(RGB(255, 0, 0), button.At(2, button.Height() - 3));
  }
  gui::Send(lists, WM_COMMAND, IDOK, 0);
}

TEST(KorvexDialogs, CharactersOfAThreadsDialogReachTheGuiThread) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("chars.bas",
      "EVENT 1008, KEYS\r\nEVENT 40100, FILL\r\nINPUT " + Samples() + ", \"LISTS\", 0\r\n"
      "WRITE \"R\", RESULT\r\nWRITE TO FILE \"%OUT%.2\"\r\nEND\r\n"
      "KEYS:\r\nWRITE LOWORD(PARAM), HIWORD(PARAM)\r\nWRITE TO FILE \"%OUT%\"\r\nEND\r\n"
      "FILL:\r\nPUT 1006, 1, 3, 50\r\nPUT 1006, 1, 3, 50\r\nEND\r\n"));
  HWND dialog = WaitForDialog(korvex.Program(), "Списки");
  ASSERT_TRUE(dialog);
  // The list is filled twice from a handler: the forwarder goes in once.
  gui::Send(korvex.Script(), WM_COMMAND, 40100, 0);
  gui::Send(GetDlgItem(dialog, 1006), WM_CHAR, 'x', 0);
  EXPECT_EQ("120\t1006\r\n", korvex.Result());
  gui::Send(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ("R\t1\r\n", ReadWhenThere(ScratchFile("chars.bas.result.2")));
}

}  // namespace
