// An EDITDATE in a dialog made from an in-memory template with the test's
// own instance, run on a second thread, so that keys pass the real dialog
// manager: posted keys and keys that xdotool types. Then the last
// FreeLibrary of Nimbet takes the class away.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "gui_driver.h"

namespace {

const WORD kEditId = 101;
const WORD kButtonId = 102;
std::atomic<int> changes{0};

void PutText(std::vector<WORD>& t, const char* text) {
  for (const char* p = text; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
}

void PutItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id) {
  if (t.size() % 2) t.push_back(0);  // items start on a DWORD
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);
  t.push_back(0);
  for (short v : {x, y, cx, cy}) t.push_back(static_cast<WORD>(v));
  t.push_back(id);
}

std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t;
  DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);
  t.push_back(0);
  t.push_back(2);  // items
  for (short v : {10, 10, 160, 60}) t.push_back(static_cast<WORD>(v));
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard class
  PutText(t, "date");
  t.push_back(8);
  PutText(t, "MS Shell Dlg");
  PutItem(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 90, 14, kEditId);
  PutText(t, "EDITDATE");
  PutText(t, "");
  t.push_back(0);
  PutItem(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 34, 50, 14, kButtonId);
  t.push_back(0xFFFF);
  t.push_back(0x0080);  // button
  PutText(t, "OK");
  t.push_back(0);
  return t;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;  // the focus goes to the date
  if (message == WM_COMMAND && wParam == MAKEWPARAM(kEditId, EN_CHANGE)) {
    ++changes;
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// xdotool is a program of the host system; Wine starts it as it is.
// The dialog's X window takes the X focus first: Wine's windows are
// unmanaged on the test display, and no window manager hands it over.
bool Type(HWND window, const std::string& keys) {
  auto x_window = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
  std::string command = "/usr/bin/xdotool ";
  if (x_window) command += "windowfocus --sync " + std::to_string(x_window) + " ";
  command += "key --delay 30 " + keys;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::string TodayText() {
  std::time_t now = std::time(nullptr);
  char text[16];
  std::strftime(text, sizeof text, "%d.%m.%Y", std::localtime(&now));
  return text;
}

TEST(EditDateDialog, KeysPassTheDialogManager) {
  HMODULE nimbet = LoadLibraryA("NIMBET");
  ASSERT_TRUE(nimbet);
  std::vector<WORD> layout = DialogTemplate();
  std::atomic<HWND> dialog{nullptr};
  std::atomic<DWORD> thread{0};
  std::thread owner([&] {
    thread = GetCurrentThreadId();
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()), nullptr,
                            DialogProc, 0);
  });
  HWND found = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] { return (found = FindWindowA("#32770", "date")) != nullptr; }, 10000));
  dialog = found;
  ASSERT_TRUE(gui::WaitUntilShown(found, 5000));
  HWND edit = GetDlgItem(found, kEditId);
  HWND button = GetDlgItem(found, kButtonId);
  EXPECT_EQ("EDITDATE", gui::ClassOf(edit));
  ASSERT_TRUE(gui::WaitFor([&] { return FocusOf(thread) != nullptr; }, 5000)) << "the dialog takes a focus";

  // Another test's window that takes the activation meanwhile leaves this
  // thread without any focus (not the button): take it back and try again.
  auto focus_edit = [&] {
    SetForegroundWindow(found);
    gui::Send(found, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    return FocusOf(thread) == edit;
  };
  HWND after_arrow = nullptr;
  for (int attempt = 0; attempt < 3 && after_arrow != edit; ++attempt) {
    if (!focus_edit()) continue;
    gui::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PostMessageA(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_TRUE(gui::WaitFor([&] { return gui::WindowText(edit) == "10.00.0000"; }, 5000)) << gui::WindowText(edit);
    after_arrow = FocusOf(thread);
    if (after_arrow != nullptr) break;
  }
  EXPECT_EQ(edit, after_arrow) << "the arrows stay with the control";
  bool tabbed = false;
  for (int attempt = 0; attempt < 3 && !tabbed; ++attempt) {
    if (!focus_edit()) continue;
    PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
    tabbed = gui::WaitFor([&] { return FocusOf(thread) == button; }, 3000);
  }
  EXPECT_TRUE(tabbed) << "Tab goes to the button";

  // Real keys from the X server to the dialog's window. Another program's
  // window that takes the X focus meanwhile gets them instead: one more try.
  bool typed = false;
  std::string before, today;
  for (int attempt = 0; attempt < 4 && !typed; ++attempt) {
    gui::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    gui::Send(found, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SetForegroundWindow(found);
    ASSERT_EQ(edit, FocusOf(thread));
    changes = 0;
    before = TodayText();
    ASSERT_TRUE(Type(found, "3 1 1 2 space"));
    typed = gui::WaitFor([&] { return (today = TodayText()) == gui::WindowText(edit) && changes == 4; }, 5000);
  }
  EXPECT_TRUE(typed) << gui::WindowText(edit) << " " << changes;
  if (today != before) ADD_FAILURE() << "the date changed during the test: run it again";
  EXPECT_EQ(4, changes) << "digits notify the dialog, Space does not";

  PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
  owner.join();
  EXPECT_FALSE(IsWindow(found));

  FreeLibrary(nimbet);
}

// After every test: the class goes with the library's last detach.
class ClassGoesWithTheLibrary : public ::testing::Environment {
 public:
  void TearDown() override {
    for (HMODULE nimbet; (nimbet = GetModuleHandleA("NIMBET")) != nullptr;) FreeLibrary(nimbet);
    HWND late = CreateWindowExA(0, "EDITDATE", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    DWORD error = GetLastError();
    EXPECT_EQ(nullptr, late);
    // As for a class that never was: 1407 on Windows, 1411 under Wine.
    HWND never = CreateWindowExA(0, "EDITDATE_NEVER", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(nullptr, never);
    EXPECT_EQ(GetLastError(), error);
    EXPECT_TRUE(error == ERROR_CANNOT_FIND_WND_CLASS || error == ERROR_CLASS_DOES_NOT_EXIST) << error;
  }
};

const auto* const classCheck = ::testing::AddGlobalTestEnvironment(new ClassGoesWithTheLibrary);

}  // namespace
