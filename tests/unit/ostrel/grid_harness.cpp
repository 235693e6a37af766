#include "grid_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gui_driver.h"
#include "odbc_session.h"

namespace grid_test {

namespace {

const bool unmanaged = (gui::UseUnmanagedWindows(), true);
const UINT kRunOnGui = WM_APP + 1;
const char kOwnerClass[] = "OSTREL_TEST_OWNER";

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(RegisterGridClass(instance));
  done = true;
}

}  // namespace

void MakeTables() {
  static bool made = false;
  if (made) return;
  OdbcSession s("KTEST");
  s.Try("DROP TABLE N25");
  s.Run({"CREATE TABLE N25 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
         "INSERT INTO N25 WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 25) "
         "SELECT I, 'R' || substr('0' || I, -2, 2) FROM N"});
  s.Try("DROP TABLE OSTREL_FIND");
  s.Run({"CREATE TABLE OSTREL_FIND (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))",
         "INSERT INTO OSTREL_FIND (NAME) VALUES ('ANNA'), ('BORIS'), ('BORISLAV'), ('BORISLAVOVICHXYA'), "
         "('BORISLAVOVICHXYZ'), ('BORISLAVOVICHXYZW'), ('IVAN'), ('OLGA')"});
  std::string wide = "CREATE TABLE OSTREL_WIDE (";
  std::string values = "INSERT INTO OSTREL_WIDE VALUES (";
  for (int i = 1; i <= 300; ++i) {
    wide += (i > 1 ? ", C" : "C") + std::to_string(i) + " INTEGER";
    values += (i > 1 ? ", " : "") + std::to_string(i);
  }
  s.Try("DROP TABLE OSTREL_WIDE");
  s.Run({(wide + ")").c_str(), (values + ")").c_str()});
  s.Try("DROP TABLE OSTREL_BIG");
  s.Run({"CREATE TABLE OSTREL_BIG (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))",
         "INSERT INTO OSTREL_BIG WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
         "WHERE I < 70000) SELECT I, 'B' || I FROM N"});
  made = true;
}

Records::Records(const char* query, long cache) {
  base_ = praxel_("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
  if (!base_) return;
  set_ = praxel_("PRAXEL_New", {base_, Word("OSTREL"), static_cast<uint32_t>(cache)});
  if (!set_) return;
  open_ = praxel_("PRAXEL_Open", {set_, Word(query), Word("STATIC")}) != 0;
}

Records::~Records() {
  if (set_) praxel_("PRAXEL_Close", {set_, 0});
  if (base_) praxel_("PRAXEL_BaseClose", {base_});
}

long Records::Option(const char* name, const char* option) {
  return static_cast<long>(praxel_("PRAXEL_FldOption", {set_, Word(name), Word(option)}));
}

long Records::Refresh() { return static_cast<long>(praxel_("PRAXEL_Refresh", {set_, 1})); }

uint32_t Rgb(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }

bool Pixels::Save(const std::string& path) const {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::fwrite(&file, sizeof file, 1, f);
  std::fwrite(&info, sizeof info, 1, f);
  std::vector<unsigned char> row(stride);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t p = at(x, y);
      row[3 * x] = p & 0xFF;
      row[3 * x + 1] = (p >> 8) & 0xFF;
      row[3 * x + 2] = (p >> 16) & 0xFF;
    }
    std::fwrite(row.data(), 1, stride, f);
  }
  return std::fclose(f) == 0;
}

namespace {

// The DC's pixels of a rectangle through a 32-bit top-down DIB section.
Pixels Grab(HDC source, int x, int y, int width, int height) {
  Pixels out;
  out.width = width;
  out.height = height;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  out.rgb.assign(p, p + static_cast<size_t>(width) * height);
  for (uint32_t& v : out.rgb) v &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return out;
}

}  // namespace

Pixels DrawnCell(RecordSetTable* table, const RECT& cell, const char* text, int length, UINT flags) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  int width = cell.right - cell.left, height = cell.bottom - cell.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  RECT all = {0, 0, width, height};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldFont = SelectObject(memory, table->context.font);
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
  int half = table->context.charWidth / 2;
  RECT text_rect = {half, 0, width - half, height};
  DrawTextA(memory, text, length, &text_rect, flags | DT_NOPREFIX);
  Pixels out = Grab(memory, 0, 0, width, height);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return out;
}

#ifndef KORVEX_SHOTS_UNIX_DIR
void Screenshot(const std::string&) {}  // a program built without a folder for shots
#else
void Screenshot(const std::string& name) {
  // A program of the machine gives Wine no handle to wait on: it leaves a
  // marker file when it is done.
  static int count = 0;
  std::string marker = "/tmp/ostrel_shot_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++count);
  std::string line = "/bin/sh -c \"/usr/bin/import -window root " KORVEX_SHOTS_UNIX_DIR "/" + name + ".png; touch " +
                     marker + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string windowsMarker = "Z:" + marker;
  for (char& c : windowsMarker)
    if (c == '/') c = '\\';
  gui::WaitFor([&] { return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
  DeleteFileA(windowsMarker.c_str());
}
#endif

namespace {

BOOL CALLBACK FindSearchPopup(HWND window, LPARAM out) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != kSearchClass) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

}  // namespace

HWND WaitSearchPopup(DWORD thread) {
  HWND found = nullptr;
  gui::WaitFor(
      [&] {
        EnumThreadWindows(thread, FindSearchPopup, reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
      },
      30000);
  return found;
}

GridHarness::GridHarness(int width, int height) {
  MakeTables();
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, width, height] { Run(width, height); });
  WaitForSingleObject(ready_, 20000);
}

GridHarness::~GridHarness() {
  if (threadId_) {
    if (IsWindow(owner_)) OnGui([this] { DestroyWindow(owner_); });
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  }
  if (thread_.joinable()) thread_.join();
  CloseHandle(ready_);
}

void GridHarness::Run(int width, int height) {
  RegisterClasses();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA kind = {};
  kind.lpfnWndProc = OwnerProc;
  kind.hInstance = instance;
  kind.lpszClassName = kOwnerClass;
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&kind);  // again per harness: fails harmlessly once made
  owner_ = CreateWindowExA(0, kOwnerClass, "Таблица", WS_POPUP | WS_VISIBLE, 20, 20, width, height, nullptr,
                           nullptr, instance, nullptr);
  SetWindowLongPtrA(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  table_ = CreateWindowExA(0, kGridClass, "", WS_CHILD, 0, 0, width, height, owner_, nullptr, instance, nullptr);
  SetGridOwner(GridTableOf(table_), owner_);
  threadId_ = GetCurrentThreadId();
  SetEvent(ready_);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

LRESULT CALLBACK GridHarness::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GridHarness* self = reinterpret_cast<GridHarness*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case kRunOnGui:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    case WM_COMMAND: {
      std::function<LRESULT(WPARAM, LPARAM)> answer;
      if (self) {
        std::lock_guard<std::mutex> hold(self->lock_);
        self->log_.push_back({LOWORD(wParam), static_cast<long>(lParam)});
        answer = self->answer_;
      }
      return answer ? answer(wParam, lParam) : 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (self) {
        std::lock_guard<std::mutex> hold(self->lock_);
        self->others_.push_back(message);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void GridHarness::OnGui(const std::function<void()>& f) {
  SendMessageA(owner_, kRunOnGui, 0, reinterpret_cast<LPARAM>(&f));
}

LRESULT GridHarness::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(table_, message, wParam, lParam);
}

bool GridHarness::Show(RecordSetObject* records, const char* titles, unsigned style) {
  bool shown = false;
  OnGui([&] {
    RecordSetTable* t = object();
    SetGridStyle(t, style);
    SetGridEvent(t, kEventMove, 1);
    shown = SetGridRecordSet(t, records, titles);
    if (!shown) return;
    ShowWindow(table_, SW_SHOW);
    UpdateWindow(table_);
  });
  return shown;
}

void GridHarness::FitRows(int rows) {
  OnGui([&] {
    RecordSetTable* t = object();
    int height = t->context.titleHeight + t->context.footerHeight + rows * t->context.RowHeight() +
                 t->context.RowHeight() / 2;
    RECT client;
    GetClientRect(table_, &client);
    SetWindowPos(owner_, nullptr, 0, 0, client.right, height, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(table_, nullptr, 0, 0, client.right, height, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(table_);
  });
}

void GridHarness::CtrlKey(WPARAM key) {
  OnGui([&] {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE control = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(table_, WM_KEYDOWN, key, 0);
    keys[VK_CONTROL] = control;
    SetKeyboardState(keys);
  });
}

long GridHarness::Selected() {
  long selected = 0;
  OnGui([&] { selected = GridSelected(object()); });
  return selected;
}

std::vector<std::pair<unsigned, long>> GridHarness::Log() {
  std::lock_guard<std::mutex> hold(lock_);
  return log_;
}

void GridHarness::ClearLog() {
  std::lock_guard<std::mutex> hold(lock_);
  log_.clear();
  others_.clear();
}

std::vector<UINT> GridHarness::OtherMessages() {
  std::lock_guard<std::mutex> hold(lock_);
  return others_;
}

void GridHarness::AnswerCommands(std::function<LRESULT(WPARAM, LPARAM)> answer) {
  std::lock_guard<std::mutex> hold(lock_);
  answer_ = std::move(answer);
}

Pixels GridHarness::Capture() {
  Pixels out;
  OnGui([&] {
    RECT client;
    GetClientRect(table_, &client);
    HDC dc = GetDC(table_);
    out = Grab(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(table_, dc);
  });
  return out;
}

}  // namespace grid_test
