#include "table_host.h"

namespace ostrel_test {

namespace {

std::vector<std::pair<WPARAM, LPARAM>> notices;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    notices.emplace_back(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const LibraryCall& Ostrel() {
  static const LibraryCall ostrel("OSTREL");
  return ostrel;
}

TableHost::TableHost() {
  WNDCLASSA type = {};
  type.lpfnWndProc = HostProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = "OSTRELTESTHOST";
  RegisterClassA(&type);
  window_ = CreateWindowA("OSTRELTESTHOST", "ostrel test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          500, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  notices.clear();
}

TableHost::~TableHost() { DestroyWindow(window_); }

uint32_t TableHost::Load(const char* name) { return Ostrel()("OSTREL_Load", {word(), Word(name)}); }

std::vector<std::pair<WPARAM, LPARAM>> TableHost::Notices() const { return notices; }

void TableHost::ClearNotices() { notices.clear(); }

void Pump(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

}  // namespace ostrel_test
