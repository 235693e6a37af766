// Test tool: the GUI driver from a shell, for manual checks and scripted
// tests that are no GoogleTest.
//
//   gui_driver find CLASS [TITLE] [TIMEOUT_MS]   prints the first top-level window (0x...)
//   gui_driver children HWND [CLASS]             prints its direct children
//   gui_driver text HWND                         prints its text (UTF-8)
//   gui_driver send|post HWND MSG [WPARAM [LPARAM]]
//   gui_driver show HWND SW                      ShowWindow (9 restores)
//   gui_driver answer BUTTON [TIMEOUT_MS]        presses a button of the first
//                                                message box and prints its text
// Numbers are decimal or 0x hexadecimal. Exit code 0 on success, 1 when the
// window was not found, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui_driver.h"

namespace {

uintptr_t Number(const char* text) { return std::strtoul(text, nullptr, 0); }
HWND Window(const char* text) { return reinterpret_cast<HWND>(Number(text)); }

std::string Utf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], m, nullptr, nullptr);
  return out;
}

HWND FindTopLevel(const char* className, const char* title, DWORD timeout) {
  HWND found = nullptr;
  gui::WaitFor([&] { return (found = FindWindowA(className, title)) != nullptr; }, timeout);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string command = argv[1];
  if (command == "find") {
    const char* title = argc > 3 && argv[3][0] ? argv[3] : nullptr;
    HWND window = FindTopLevel(argv[2], title, argc > 4 ? static_cast<DWORD>(Number(argv[4])) : 5000);
    if (!window) return 1;
    std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    return 0;
  }
  if (command == "children") {
    for (HWND child : gui::Children(Window(argv[2]), argc > 3 ? argv[3] : nullptr))
      std::printf("0x%lx %s %s\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(child)), gui::ClassOf(child).c_str(),
                  Utf8(gui::WindowText(child)).c_str());
    return 0;
  }
  if (command == "text") {
    if (!IsWindow(Window(argv[2]))) return 1;
    std::printf("%s\n", Utf8(gui::WindowText(Window(argv[2]))).c_str());
    return 0;
  }
  if ((command == "send" || command == "post") && argc > 3) {
    UINT message = static_cast<UINT>(Number(argv[3]));
    WPARAM wParam = argc > 4 ? Number(argv[4]) : 0;
    LPARAM lParam = argc > 5 ? static_cast<LPARAM>(Number(argv[5])) : 0;
    if (command == "post") return PostMessageA(Window(argv[2]), message, wParam, lParam) ? 0 : 1;
    std::printf("%ld\n", static_cast<long>(gui::Send(Window(argv[2]), message, wParam, lParam)));
    return 0;
  }
  if (command == "show" && argc > 3) {
    ShowWindow(Window(argv[2]), static_cast<int>(Number(argv[3])));
    return 0;
  }
  if (command == "answer") {
    HWND box = FindTopLevel("#32770", nullptr, argc > 3 ? static_cast<DWORD>(Number(argv[3])) : 5000);
    if (!box || !gui::WaitUntilShown(box, 5000)) return 1;
    std::printf("%s\n", Utf8(gui::MessageBoxText(box)).c_str());
    gui::AnswerMessageBox(box, static_cast<int>(Number(argv[2])));
    return 0;
  }
  return 2;
}
