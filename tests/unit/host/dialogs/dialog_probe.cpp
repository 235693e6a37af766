#include "dialog_probe.h"

#include <commctrl.h>

#include <thread>

#include "gui_driver.h"
#include "host_test_support.h"

namespace host_test {

namespace {

struct Search {
  const char* title;
  HWND except;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  Search& search = *reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || window == search.except) return TRUE;
  if (gui::ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (search.title && gui::WindowText(window) != search.title) return TRUE;
  search.found = window;
  return FALSE;
}

std::string ItemText(HWND list, int row, int column) {
  char text[1024] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace

HWND WaitForDialog(const char* title, DWORD timeout, HWND except) {
  Search search{title, except, nullptr};
  gui::WaitFor([&] {
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, timeout);
  return search.found;
}

DialogView ReadDialog(HWND dialog, int listId) {
  DialogView view;
  view.window = dialog;
  view.caption = gui::WindowText(dialog);
  if (HWND message = GetDlgItem(dialog, 1001)) view.message = gui::WindowText(message);
  if (HWND lines = GetDlgItem(dialog, 1003)) {
    view.lines = gui::ListBoxItems(lines);
    view.selection = static_cast<int>(SendMessageA(lines, LB_GETCURSEL, 0, 0));
    view.top = static_cast<int>(SendMessageA(lines, LB_GETTOPINDEX, 0, 0));
  }
  if (HWND edit = GetDlgItem(dialog, 1010)) view.loopDepth = gui::WindowText(edit);
  if (HWND edit = GetDlgItem(dialog, 1011)) view.ifDepth = gui::WindowText(edit);
  HWND list = GetDlgItem(dialog, listId);
  if (!list) return view;
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int c = 0; c < columns; ++c) {
    char title[64] = "";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    view.columns.push_back(title);
  }
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < count; ++r) {
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c) cells.push_back(ItemText(list, r, c));
    view.rows.push_back(cells);
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = r;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    view.rowData.push_back(item.lParam);
  }
  return view;
}

DialogView AnswerDialog(const char* title, int button, int listId) {
  HWND dialog = WaitForDialog(title, 15000);
  if (!dialog) return DialogView();
  DialogView view = ReadDialog(dialog, listId);
  Press(dialog, button);
  return view;
}

void Press(HWND dialog, int button) { gui::AnswerMessageBox(dialog, button); }

void DoubleClickRow(HWND listView, int row) {
  LVITEMA state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageA(listView, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2);
  PostMessageA(listView, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(listView, WM_LBUTTONUP, 0, at);
}

bool WhilePumping(const std::function<void()>& work, DWORD timeout) {
  volatile bool done = false;
  std::thread worker([&] {
    work();
    done = true;
  });
  bool ended = PumpUntil([&] { return done; }, timeout);
  worker.join();
  return ended;
}

}  // namespace host_test
