// Scripts in korvex.exe that bind OSTREL and PRAXEL: a WINDOW script makes
// a table over a record set, turns its events on, shows it and moves in
// it; a handler of its MOVE event hears the keys typed into the table. A
// second script exports its table to a file and into a page file, the
// export dialog and the printer choice answered from here.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "export_ids.h"
#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "odbc_session.h"
#include "page_file.h"
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
// One SendInput call for the whole sequence: a window of another test
// that takes the focus between two keys cannot split a chord.
void Type(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (const auto& key : keys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.first;
    input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
    if (key.first == VK_END || key.first == VK_UP || key.first == VK_DOWN)
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(100);
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
  EXPECT_EQ("Не верный код события", gui::WaitForMessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);
  EXPECT_EQ("2008\t0\t2000\r\nTRUE\t1\tTRUE\tFALSE\r\n", korvex.Result());

  HWND table = FindWindowExA(korvex.Script(), nullptr, "OSTRELCLASS", nullptr);
  ASSERT_TRUE(table);
  EXPECT_TRUE(IsWindowVisible(table));
  DWORD thread = GetWindowThreadProcessId(table, nullptr);
  // Each key sequence first makes sure the table has the keyboard: the
  // frame (it starts minimized) restored and in front, the table focused by
  // a click on its titles (no record there, so no move). Other tests'
  // windows may take the foreground meanwhile, even right after it was
  // given here: it is asked for again every second until it holds.
  auto focusTable = [&] {
    auto focused = [&] {
      GUITHREADINFO focus = {};
      focus.cbSize = sizeof focus;
      return GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == table &&
             GetForegroundWindow() == korvex.Frame();
    };
    DWORD started = GetTickCount();
    while (!focused()) {
      if (GetTickCount() - started > 30000) return false;
      if (IsIconic(korvex.Frame())) ShowWindow(korvex.Frame(), SW_RESTORE);
      SetForegroundWindow(korvex.Frame());
      PostMessageA(table, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3));
      PostMessageA(table, WM_LBUTTONUP, 0, MAKELPARAM(10, 3));
      gui::WaitFor(focused, 1000);
    }
    return true;
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

// The first shown dialog of korvex other than `except`, polled.
HWND ShownDialogOf(gui::Program& korvex, HWND except, DWORD timeout) {
  HWND found = nullptr;
  gui::WaitFor([&] {
    for (HWND window : korvex.Windows())
      if (window != except && gui::ClassOf(window) == "#32770" && IsWindowVisible(window)) {
        found = window;
        return true;
      }
    return false;
  }, timeout);
  return found;
}

// A handle of korvex's, duplicated into this process (null when it fails).
HANDLE HandleOf(gui::Program& korvex, const std::string& value) {
  HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, korvex.Id());
  if (!process) return nullptr;
  HANDLE theirs = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::strtoul(value.c_str(), nullptr, 10)));
  HANDLE ours = nullptr;
  if (!DuplicateHandle(process, theirs, GetCurrentProcess(), &ours, GENERIC_READ, FALSE, 0)) ours = nullptr;
  CloseHandle(process);
  return ours;
}

struct PageItem {
  char type;
  int column;
  std::string text;
};

// The records of a whole page file as the walker gives them, and whether
// it ended at an 'E'.
std::vector<PageItem> WalkPageFile(HANDLE file, bool* ended) {
  std::vector<unsigned char> bytes(GetFileSize(file, nullptr));
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  std::vector<PageItem> items;
  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView view;
  while (walker.Next(&view)) {
    PageItem item = {static_cast<char>(view.type), -1, view.text ? std::string(view.text, view.text_length) : ""};
    if (view.type == kPageRecordHead) item.column = view.As<PageHeadRecord>()->column;
    if (view.type == kPageRecordCell) item.column = view.As<PageCellRecord>()->column;
    items.push_back(item);
  }
  EXPECT_EQ(0, walker.error()) << "damaged at " << walker.error_offset();
  *ended = walker.offset() + 3 <= bytes.size() && bytes[walker.offset() + 2] == kPageRecordEnd;
  return items;
}

TEST(OstrelKorvex, AWindowScriptExportsItsTableToAFileAndAPageFile) {
  MakeN25();
  std::string path = host_test::ScratchDirectory() + "ostrel_n25_export.txt";
  DeleteFileA(path.c_str());
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start(
      "ostrel_output.bas",
      "REM WINDOW\r\n"
      "DEF PRAXEL\r\nDEF OSTREL\r\n"
      "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\r\n"
      "SET R = PRAXEL.New(B, \"N25\", 10)\r\n"
      "R.Open(\"SELECT ID, NAME FROM N25 ORDER BY ID\", \"STATIC\")\r\n"
      "T = OSTREL!OSTREL_Load(HWND, \"GRIDT\")\r\n"
      "WRITE OSTREL!OSTREL_Show(T, R, \"Номер|Имя\", \"UNTUNE\")\r\n"
      "WRITE OSTREL!OSTREL_Export(T, 3000)\r\n"
      "WRITE OSTREL!OSTREL_ToFile(T, \"Список N25\")\r\n"
      "WRITE TO FILE \"%OUT%\"\r\n"
      "END 1\r\n"));

  // The export dialog: to the file, Windows text, tab, with the header.
  HWND dialog = korvex.Program().WaitForWindow("#32770", "Экспорт таблицы", 20000);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(gui::WaitUntilShown(dialog, 5000));
  auto click = [&](int id) { gui::Send(GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
  click(IDC_EXPORT_FILE);
  gui::Send(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  click(IDC_EXPORT_WINDOWS);
  click(IDC_EXPORT_TAB);
  if (gui::Send(GetDlgItem(dialog, IDC_EXPORT_HEADER), BM_GETCHECK, 0, 0) != BST_CHECKED) click(IDC_EXPORT_HEADER);
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);

  // Then the printer choice, taken as it opens (the printer "PDF").
  HWND printers = ShownDialogOf(korvex.Program(), dialog, 20000);
  ASSERT_TRUE(printers) << "no printer choice";
  gui::AnswerMessageBox(printers, IDOK);

  std::string result = korvex.Result(60000);
  ASSERT_EQ(0u, result.find("TRUE\r\nTRUE\r\n")) << result;
  std::string handle = result.substr(12);
  ASSERT_GE(handle.size(), 3u);
  ASSERT_EQ("\r\n", handle.substr(handle.size() - 2));
  handle.resize(handle.size() - 2);
  ASSERT_NE("0", handle) << "no page file";

  std::string expected = "Номер\tИмя\r\n";
  for (int i = 1; i <= 25; ++i) {
    char row[32];
    wsprintfA(row, "%d\tR%02d\r\n", i, i);
    expected += row;
  }
  EXPECT_EQ(expected, ReadFileText(path));

  // The page file the script holds: one page, the title, both heads, 25
  // rows of two cells in order, the grid and the end.
  HANDLE file = HandleOf(korvex.Program(), handle);
  ASSERT_TRUE(file) << "handle " << handle;
  bool ended = false;
  std::vector<PageItem> items = WalkPageFile(file, &ended);
  CloseHandle(file);
  EXPECT_TRUE(ended);
  std::string types;
  for (const PageItem& item : items) types += item.type;
  ASSERT_EQ("#FBTHH" + std::string(50, 'L') + "G", types);
  EXPECT_EQ("Список N25", items[3].text);
  EXPECT_EQ(0, items[4].column);
  EXPECT_EQ("Номер", items[4].text);
  EXPECT_EQ(1, items[5].column);
  EXPECT_EQ("Имя", items[5].text);
  for (int i = 0; i < 50; ++i) {
    char text[8];
    wsprintfA(text, i % 2 ? "R%02d" : "%d", i / 2 + 1);
    EXPECT_EQ(i % 2, items[6 + i].column) << i;
    EXPECT_EQ(text, items[6 + i].text) << i;
  }
}

}  // namespace
