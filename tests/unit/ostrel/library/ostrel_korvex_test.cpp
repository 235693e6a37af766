// Scripts in korvex.exe that bind OSTREL and PRAXEL: a WINDOW script makes
// a table over a record set, turns its events on, shows it and moves in
// it; a handler of its MOVE event hears the keys typed into the table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "record_sets.h"

namespace {

void MakeN25() {
  std::string insert = "INSERT INTO N25 VALUES";
  for (int i = 1; i <= 25; ++i) {
    char row[32];
    wsprintfA(row, "%s(%d, 'R%02d')", i > 1 ? "," : "", i, i);
    insert += row;
  }
  ostrel_test::MakeTable("N25", {"CREATE TABLE N25(ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
                                 insert.c_str()});
}

// The whole file once it holds `expected` (or what it holds after timeout).
std::string ReadUntil(const std::string& path, const std::string& expected, DWORD timeout = 10000) {
  std::string text;
  gui::WaitFor([&] {
    text.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) text.append(buffer, read);
    CloseHandle(file);
    return text == expected;
  }, timeout);
  return text;
}

// Keys typed on the keyboard (the focus window of the foreground gets them).
void Type(std::initializer_list<std::pair<WORD, bool>> keys) {
  for (const auto& key : keys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.first;
    input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
    if (key.first == VK_END || key.first == VK_UP || key.first == VK_DOWN)
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
    Sleep(30);
  }
}

TEST(OstrelKorvex, AWindowScriptShowsATableAndHearsItsMoves) {
  MakeN25();
  std::string moves = host_test::ScratchDirectory() + "ostrel_moves.txt";
  DeleteFileA(moves.c_str());
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start(
      "ostrel_grid.bas",
      "REM WINDOW\r\n"
      "DEF PRAXEL\r\nDEF OSTREL\r\n"
      "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\r\n"
      "SET R = PRAXEL.New(B, \"N25\", 10)\r\n"
      "R.Open(\"SELECT ID, NAME FROM N25 ORDER BY ID\", \"STATIC\")\r\n"
      "T = OSTREL!OSTREL_Load(HWND, \"GRIDT\")\r\n"
      "WRITE OSTREL!OSTREL_Event(T, \"move\", 1), OSTREL!OSTREL_Event(T, \"EDIT\", 2), "
      "OSTREL!OSTREL_Event(T, \"FOO\", 1)\r\n"
      "WRITE OSTREL!OSTREL_Show(T, R, \"Номер|Имя\", \"UNTUNE\"), OSTREL!OSTREL_Selected(T), "
      "OSTREL!OSTREL_LineGoto(T, 5), OSTREL!OSTREL_LineGoto(T, 26)\r\n"
      "WRITE TO FILE \"%OUT%\"\r\n"
      "EVENT 2008, MOVED\r\n"
      "END 1\r\n"
      "MOVED:\r\n"
      "WRITE PARAM, OSTREL!OSTREL_Selected(T)\r\n"
      "WRITE ADD FILE \"" + moves + "\"\r\n"
      "END\r\n"));

  HWND box = korvex.Program().WaitForWindow("#32770", "ОШИБКА", 15000);
  ASSERT_TRUE(box);
  ASSERT_TRUE(gui::WaitUntilShown(box, 5000));
  EXPECT_EQ("Не верный код события", gui::MessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);
  EXPECT_EQ("2008\t0\t2000\r\nTRUE\t1\tTRUE\tFALSE\r\n", korvex.Result());

  HWND table = FindWindowExA(korvex.Script(), nullptr, "OSTRELCLASS", nullptr);
  ASSERT_TRUE(table);
  EXPECT_TRUE(IsWindowVisible(table));
  // The frame starts minimized: restored and in front, the table focused
  // by a click on its titles (no record there, so no move).
  ShowWindow(korvex.Frame(), SW_RESTORE);
  DWORD thread = GetWindowThreadProcessId(table, nullptr);
  // Other tests' windows may take the foreground meanwhile: each key
  // sequence first makes sure the table has the keyboard.
  auto focusTable = [&] {
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    if (GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == table && GetForegroundWindow() == korvex.Frame())
      return true;
    SetForegroundWindow(korvex.Frame());
    PostMessageA(table, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3));
    PostMessageA(table, WM_LBUTTONUP, 0, MAKELPARAM(10, 3));
    return gui::WaitFor([&] {
      return GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == table &&
             GetForegroundWindow() == korvex.Frame();
    }, 5000);
  };

  ASSERT_TRUE(focusTable());
  Type({{VK_DOWN, true}, {VK_DOWN, false}});
  EXPECT_EQ("6\t6\r\n", ReadUntil(moves, "6\t6\r\n"));
  ASSERT_TRUE(focusTable());
  Type({{VK_CONTROL, true}, {VK_END, true}, {VK_END, false}, {VK_CONTROL, false}});
  ASSERT_TRUE(focusTable());
  Type({{VK_UP, true}, {VK_UP, false}});
  EXPECT_EQ("6\t6\r\n24\t24\r\n", ReadUntil(moves, "6\t6\r\n24\t24\r\n"));
}

}  // namespace
