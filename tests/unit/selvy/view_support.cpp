#include "view_support.h"

#include <atomic>
#include <cstdio>
#include <thread>

#include "gui_driver.h"

namespace selvy_test {

namespace {

template <typename F>
void Bind(HMODULE module, const char* name, F* f) {
  *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// The first shown window of this process of the class and title.
HWND FindShown(const char* className, const char* title) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(w) || gui::ClassOf(w) != className) continue;
    if (!title || gui::WindowText(w) == title) return w;
  }
  return nullptr;
}

}  // namespace

Selvy::Selvy() : module_(LoadLibraryA("Selvy.dll")) {
  Bind(module_, "SELVY_Load", &load);
  Bind(module_, "SELVY_Show", &show);
  Bind(module_, "SELVY_Unload", &unload);
  Bind(module_, "SELVY_hWnd", &hWnd);
  Bind(module_, "SELVY_PageCount", &pageCount);
  Bind(module_, "SELVY_PageNumber", &pageNumber);
  Bind(module_, "SELVY_Event", &event);
}

Selvy::~Selvy() {
  if (module_) FreeLibrary(module_);
}

Owner::Owner(bool shown, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA c{};
    c.lpfnWndProc = OwnerProcedure;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = "SelvyTestOwner";
    registered = RegisterClassA(&c) != 0;
  }
  hwnd_ = CreateWindowExA(0, "SelvyTestOwner", "KvxView", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (shown) {
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
}

Owner::~Owner() { DestroyWindow(hwnd_); }

LONG LoadP(Selvy& selvy, const Owner& owner, bool shown) {
  HANDLE file = OpenBytes("selvy_view_p.bin", SampleP());
  LONG view = selvy.load(owner.handle(), Handle(file));
  if (view && shown) {
    selvy.show(view);
    UpdateWindow(ViewWindow(view));
  }
  return view;
}

void Pump(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

void Key(LONG view, WPARAM key) {
  SendMessageA(ViewWindow(view), WM_KEYDOWN, key, 1);
  UpdateWindow(ViewWindow(view));
}

bool WithWindow(const char* className, const char* title, std::function<void(HWND)> act,
                std::function<void()> call) {
  std::atomic<bool> done(false), acted(false);
  std::thread driver([&] {
    HWND found = nullptr;
    if (!gui::WaitFor([&] { return done || (found = FindShown(className, title)) != nullptr; }, 15000) || done)
      return;
    act(found);
    acted = true;
  });
  call();
  done = true;
  driver.join();
  return acted;
}

void AnswerFileDialog(HWND dialog, const std::string& path) {
  const int kNameField = 1148;  // the file name box of Wine's dialog
  gui::Send(GetDlgItem(dialog, kNameField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  gui::AnswerMessageBox(dialog, IDOK);
}

std::vector<std::string> MenuItems(HWND popup) {
  std::vector<std::string> items;
  HMENU menu = reinterpret_cast<HMENU>(gui::Send(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)
      items.push_back("-");
    else
      items.push_back(GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION) ? text : "?");
  }
  return items;
}

void ChooseMenuItem(HWND popup, const std::string& text) {
  std::vector<std::string> items = MenuItems(popup);
  int downs = 0;
  bool found = false;
  for (const std::string& item : items) {
    if (item == "-") continue;
    ++downs;
    if (item == text) {
      found = true;
      break;
    }
  }
  if (!found) {
    PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  for (int i = 0; i < downs; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}

std::string ScratchPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

std::string ReadText(const std::string& path) {
  Bytes bytes = ReadWhole(path);
  return std::string(bytes.begin(), bytes.end());
}

bool SaveScreenshot(HWND window, const std::string& name) {
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD stride = (width * 3 + 3) & ~3u, size = stride * height;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  CreateDirectoryA(KORVEX_SHOTS_DIR, nullptr);
  std::string path = std::string(KORVEX_SHOTS_DIR) + "\\" + name + ".bmp";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  bool saved = file != INVALID_HANDLE_VALUE && WriteFile(file, &header, sizeof header, &written, nullptr) &&
               WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
               WriteFile(file, bits, size, &written, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

ScaleRule ScreenScaleOf(const char* face, int points, bool bold, int charWidth, int lineHeight) {
  HDC screen = GetDC(nullptr);
  LOGFONTA font{};
  font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  HFONT made = CreateFontIndirectA(&font);
  HGDIOBJ old = SelectObject(screen, made);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  DeleteObject(made);
  ReleaseDC(nullptr, screen);
  return ScaleRule{static_cast<double>(metrics.tmAveCharWidth) / charWidth + 0.02,
                   static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading) / lineHeight + 0.02};
}

}  // namespace selvy_test
