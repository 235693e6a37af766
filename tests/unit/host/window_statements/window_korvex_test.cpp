// The window statements and built-ins through korvex.exe: scripts of two
// windows reading each other, events between threads, keys, popups,
// message boxes and dialogs answered by the driver, programs run, and the
// pixels a paint handler draws.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "window_test_support.h"

using host_test::KorvexSession;
using host_test::WriteScript;
using window_test::ReadWhenThere;
using window_test::ScratchFile;
using window_test::WaitForDialog;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ProgramDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string directory(path);
  return directory.erase(directory.find_last_of('\\') + 1);
}

// Restores the frame and the script window (made while the frame was
// minimized), so that the script window's client area is on the screen.
void RestoreFrame(KorvexSession& korvex) {
  gui::Send(korvex.Frame(), WM_SYSCOMMAND, SC_RESTORE, 0);
  gui::WaitFor([&] { return !IsIconic(korvex.Frame()); }, 5000);
  HWND client = GetParent(korvex.Script());
  gui::Send(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(korvex.Script()), 0);
  SetWindowPos(korvex.Script(), nullptr, 0, 0, 300, 200, SWP_NOZORDER);
}

TEST(KorvexWindows, ScriptsReadEachOthersVariablesAndFindEachOther) {
  std::string b = WriteScript("varb.bas",
      "H = HPARENT\r\nV = VARGET(H, \"X\")\r\nQ = VARGET(H, \"NOPE\")\r\n"
      "F = WNDFIND(\"" + ScratchFile("vara.bas") + "\")\r\nG = VARWND(\"ALPHA\", \"TAG\")\r\n"
      "N = EVENT(0, 40100)\r\nP = ACTIVE(H)\r\nA = ACTIVE(0) = H\r\n"
      "WRITE V, TYPE(Q), F = H, G = H, N, A\r\nWRITE TO FILE \"" + ScratchFile("varb.out") + "\"\r\n");
  DeleteFileA(ScratchFile("varb.out").c_str());
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("vara.bas", "REM WINDOW\r\nX = 5\r\nTAG = \"ALPHA\"\r\n"
                                       "W = RUN(" + Quoted(b) + ", 0)\r\n"));
  EXPECT_EQ("5\tNULL\tTRUE\tTRUE\t2\tTRUE\r\n", ReadWhenThere(ScratchFile("varb.out")));
}

TEST(KorvexWindows, ScriptsSignalAndWaitForOneAnother) {
  std::string b = WriteScript("sendb.bas", "T = SEND($E)\r\n");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("senda.bas",
      "E1 = SIGNAL(0)\r\nE2 = SIGNAL(0)\r\n$E = E2\r\nRUN " + Quoted(b) + "\r\n"
      "R = WAIT(E1, E2)\r\nC1 = CHECK(E2)\r\nS = SEND(E1)\r\nC2 = CHECK(E1, E2)\r\nC3 = CHECK(E1)\r\n"
      "WRITE R, C1, S, C2, C3\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  EXPECT_EQ("2\t0\tTRUE\t1\t0\r\n", korvex.Result());
}

TEST(KorvexWindows, AcceleratorKeyAndPopupItemReachTheirHandlers) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("keys.bas",
      "REM WINDOW\r\nKEY " + Quoted(window_test::WindowSamples()) + ", \"KEYS\"\r\n"
      "EVENT 40100, HIT\r\nEVENT 40501, PICK\r\nEVENT 1009, SHOW\r\nEND 1\r\n"
      "HIT:\r\nWRITE \"key\"\r\nWRITE TO FILE \"%OUT%\"\r\nEND\r\n"
      "SHOW:\r\nP = MENU(0, 0, 0)\r\nR = MENU(P, \"Первый\", 40500)\r\nR = MENU(P, \"-\", 0)\r\n"
      "R = MENU(P, \"Второй\", 40501)\r\nR = MENU(P, XPOS, YPOS)\r\nEND\r\n"
      "PICK:\r\nWRITE \"picked\", PARAM\r\nWRITE TO FILE \"%OUT%.2\"\r\nEND\r\n"));
  RestoreFrame(korvex);
  window_test::RunUnixCommand("/usr/bin/xdotool windowfocus --sync " +
                              std::to_string(window_test::XWindowOf(korvex.Frame())) +
                              " key ctrl+a");
  EXPECT_EQ("key\r\n", korvex.Result());

  // A click opens the popup; the second item is chosen with the keyboard.
  PostMessageA(korvex.Script(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  HWND popup = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] { return (popup = korvex.Program().WaitForWindow("#32768", nullptr, 0)) &&
                                        IsWindowVisible(popup); }, 10000));
  window_test::Screenshot("window_popup");
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(popup, WM_KEYDOWN, key, 0);
  EXPECT_EQ("picked\t0\r\n", ReadWhenThere(ScratchFile("keys.bas.result.2")));
}

TEST(KorvexWindows, CalcBoxProfileAndTheInputDialog) {
  host_test::SetIniWindowSize("Main", "5,6,700,500");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("inputs.bas",
      "REM HIDE\r\nX = 3\r\nA = CALC(\"X*2+1\")\r\nB = CALC(\"X > 1 AND X < 5\")\r\n"
      "C = TYPE(CALC(\"\"))\r\nD = TYPE(CALC(\"1/0\"))\r\nE = ERROR(114)\r\n"
      "F = PROFILE(\"Main\", \"WindowSize\")\r\nG = PROFILE(\"KVTEST\", \"Count\", 12)\r\n"
      "H = PROFILE(\"KVTEST\", \"Count\")\r\nI = INPUT(\"Заголовок\", \"Введите\", 42)\r\n"
      "J = TYPE(INPUT(\"Ещё\", \"\", \"\"))\r\n"
      "WRITE A, B, C, D, E, F, G, H, I, J\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  HWND box = WaitForDialog(korvex.Program(), "ОШИБКА");
  ASSERT_TRUE(box);
  EXPECT_EQ("деление на нуль", gui::WaitForMessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);

  HWND input = WaitForDialog(korvex.Program(), "Заголовок");
  ASSERT_TRUE(input);
  EXPECT_EQ("Введите", gui::WindowText(GetDlgItem(input, 1008)));
  EXPECT_EQ("42", gui::WindowText(GetDlgItem(input, 1007)));
  window_test::Screenshot("window_input");
  gui::Send(GetDlgItem(input, 1007), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  a   b  "));
  gui::AnswerMessageBox(input, IDOK);
  HWND again = WaitForDialog(korvex.Program(), "Ещё");
  ASSERT_TRUE(again);
  gui::AnswerMessageBox(again, IDCANCEL);
  EXPECT_EQ("7\tTRUE\tNULL\tNULL\tделение на нуль\t5,6,700,500\t12\t12\ta b\tNULL\r\n",
            korvex.Result());
}

TEST(KorvexWindows, ProgramsRunAndTheSystemAnswers) {
  // ".kvx" opens with notepad in this prefix.
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, ".kvx", &key));
  RegSetValueA(key, nullptr, REG_SZ, "kvxfile", 7);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "kvxfile\\shell\\open\\command", &key));
  const char command[] = "C:\\windows\\system32\\notepad.exe \"%1\"";
  RegSetValueA(key, nullptr, REG_SZ, command, sizeof command - 1);
  RegCloseKey(key);
  std::string kvx = WriteScript("x.kvx", "text");
  std::string exitWith = ProgramDirectory() + "exit_with.exe";

  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("programs.bas",
      "REM HIDE\r\nA = RUN(\"" + exitWith + " 3\", 1, 1)\r\nB = RUN(\"" + exitWith + " 4 2000\", 1)\r\n"
      "C = EXEFIND(" + Quoted(kvx) + ")\r\nPLAY \"bogus command\", ANS\r\nD = RESULT\r\n"
      "E = RUN(\"" + ProgramDirectory() + "absent_program.exe\", 1, 1)\r\n"
      "WRITE A, B, C, D, ANS, E\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  HWND box = WaitForDialog(korvex.Program(), nullptr);
  ASSERT_TRUE(box) << "the runner reports a program it cannot start";
  // The box can show before its text is set.
  EXPECT_TRUE(gui::WaitFor([&] { return gui::MessageBoxText(box).find("absent_program.exe") != std::string::npos; },
                           15000))
      << gui::MessageBoxText(box);
  gui::AnswerMessageBox(box, IDOK);
  EXPECT_EQ("3\t0\tC:\\windows\\system32\\notepad.exe\t261\t"
            "Драйвер не может определить указанную команду.\t1\r\n",
            korvex.Result());
}

// A shown dialog of any program whose texts hold the text.
BOOL CALLBACK FindBoxWith(HWND window, LPARAM found) {
  auto wanted = reinterpret_cast<std::pair<const char*, HWND>*>(found);
  if (IsWindowVisible(window) && gui::ClassOf(window) == "#32770" &&
      gui::MessageBoxText(window).find(wanted->first) != std::string::npos) {
    wanted->second = window;
    return FALSE;
  }
  return TRUE;
}

TEST(KorvexWindows, HelpGoesToTheViewerAndQuitsIt) {
  std::string help = ScratchFile("absent.hlp");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("help.bas", "REM HIDE\r\nHELP " + Quoted(help) + ", 0\r\n"
                                       "WRITE \"asked\"\r\nHELP " + Quoted(help) + "\r\n"
                                       "WRITE TO FILE \"%OUT%\"\r\n"));
  // The viewer, a program of its own, says it cannot find the file.
  std::pair<const char*, HWND> box("absent.hlp", nullptr);
  ASSERT_TRUE(gui::WaitFor([&] { return !EnumWindows(FindBoxWith, reinterpret_cast<LPARAM>(&box)); },
                           15000));
  gui::AnswerMessageBox(box.second, IDNO);
  EXPECT_EQ("asked\r\n", korvex.Result());
  EXPECT_TRUE(gui::WaitFor([] { return !FindWindowA("MS_WINHELP", nullptr); }, 10000))
      << "HELP without a topic ends the viewer";
}

TEST(KorvexWindows, PaintHandlerDrawsTheBitmapUntilItIsFreed) {
  host_test::SetIniWindowSize("Main", "0,0,500,400");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("paint.bas",
      "REM WINDOW\r\nB = BITMAP(" + Quoted(window_test::HostSamples()) + ", \"LOGO\")\r\n"
      "N = BITMAP(" + Quoted(window_test::HostSamples()) + ", \"NOPE\")\r\n"
      "EVENT 1006, PAINT\r\nEVENT 1009, CLICK\r\n"
      "WRITE LEN(B), LEN(N), TYPE(N)\r\nWRITE TO FILE \"%OUT%\"\r\nEND 1\r\n"
      "PAINT:\r\nDRAW B, HDC, 10, 10\r\nEND\r\n"
      "CLICK:\r\nT = FREE(B)\r\nWRITE T, LEN(B)\r\nWRITE TO FILE \"%OUT%.2\"\r\nEND\r\n"));
  EXPECT_EQ("56\t0\tIMAGE\r\n", korvex.Result());
  RestoreFrame(korvex);
  HWND script = korvex.Script();
  RedrawWindow(script, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
  window_test::Screenshot("window_paint");
  ASSERT_TRUE(gui::WaitFor([&] { return window_test::ScreenPixel(script, 10, 10) == blue; }, 30000))
      << std::hex << window_test::ScreenPixel(script, 10, 10);
  EXPECT_EQ(red, window_test::ScreenPixel(script, 11, 10));
  EXPECT_EQ(red, window_test::ScreenPixel(script, 10, 11));
  EXPECT_EQ(blue, window_test::ScreenPixel(script, 11, 11));

  PostMessageA(script, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  EXPECT_EQ("TRUE\t0\r\n", ReadWhenThere(ScratchFile("paint.bas.result.2")));
  RedrawWindow(script, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_TRUE(gui::WaitFor([&] { return window_test::ScreenPixel(script, 10, 10) == face; }, 30000));
  EXPECT_EQ(face, window_test::ScreenPixel(script, 11, 11));
}

}  // namespace
