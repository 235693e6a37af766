// Grid scrolling benchmark (run by hand through bench/run.sh grid): the grid
// window (an 800x600 "OSTRELCLASS" table over a Praxel record set of
// B(ID, NAME, QTY), 1,000,000 rows, 60 rows a page, STATIC cursor) paging
// and moving line by line; beside it, in the same run, reading the same
// pages without painting, and Wine's list view (LVS_OWNERDATA, report view,
// same size, font and texts from the same record set) paging the same way
// under a time cap. Every figure is the time until the message returned
// with the window painted.
//   grid_scroll [pages]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_support.h"
#include "export_call.h"
#include "grid_window.h"
#include "record_set_object.h"

namespace {

using bench::Call;
using bench::Clock;
using bench::Ms;
using bench::W;

const char kQuery[] = "SELECT ID, NAME, QTY FROM B ORDER BY ID";
const int kWidth = 800;
const int kHeight = 600;
const double kPeerCapSeconds = 60;

struct Stats {
  double median = 0;
  double p95 = 0;
  double total = 0;
  size_t count = 0;
};

Stats Summary(std::vector<double> ms) {
  Stats s;
  s.count = ms.size();
  if (ms.empty()) return s;
  for (double v : ms) s.total += v;
  std::sort(ms.begin(), ms.end());
  s.median = ms[ms.size() / 2];
  s.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
  return s;
}

void PrintPages(const char* what, const Stats& s, const char* target) {
  std::printf("%-30s %5zu  median %7.2f ms  p95 %7.2f ms  %7.1f pages/s  %s\n", what, s.count, s.median, s.p95,
              s.total > 0 ? 1000.0 * s.count / s.total : 0.0, target);
}

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return counters.PrivateUsage;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Times each message to the window (sent, then the window painted).
std::vector<double> Repeat(HWND window, UINT message, WPARAM wParam, int times, double capSeconds = 1e9) {
  std::vector<double> ms;
  auto started = Clock::now();
  for (int i = 0; i < times; ++i) {
    auto t = Clock::now();
    SendMessageA(window, message, wParam, 0);
    UpdateWindow(window);
    ms.push_back(Ms(t));
    if (Ms(started) > capSeconds * 1000) break;
  }
  return ms;
}

void CtrlKey(HWND window, WPARAM key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(window, WM_KEYDOWN, key, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// The list view's texts: the record of the item, from the record set.
RecordSetObject* listRecords;
char listText[80];

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOA) {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
      if ((item.mask & LVIF_TEXT) && listRecords->GoToRecord(item.iItem + 1)) {
        long n = listRecords->GetFieldText(item.iSubItem + 1, listText, sizeof listText) & 0xFFFF;
        listText[n < 79 ? n : 79] = '\0';
        item.pszText = listText;
      }
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const int pages = argc > 1 ? std::atoi(argv[1]) : 2000;
  HMODULE praxel = LoadLibraryA("PRAXEL");
  if (!praxel) {
    std::printf("PRAXEL.DLL not found\n");
    return 1;
  }
  uint32_t base = Call(praxel, "PRAXEL_BaseOpen", {0, W("DSN=KTEST;"), 2});
  uint32_t handle = Call(praxel, "PRAXEL_New", {base, W("B"), 60});
  auto t = Clock::now();
  if (!Call(praxel, "PRAXEL_Open", {handle, W(kQuery), W("STATIC")})) {
    std::printf("B not opened\n");
    return 1;
  }
  RecordSetObject* records = reinterpret_cast<RecordSetObject*>(handle);
  long count = records->RecordCount();
  std::printf("record set open+count %.0f ms, %ld records\n", Ms(t), count);

  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterGridClass(instance);
  WNDCLASSA kind = {};
  kind.lpfnWndProc = FrameProc;
  kind.hInstance = instance;
  kind.lpszClassName = "GRID_BENCH";
  RegisterClassA(&kind);
  HWND frame = CreateWindowExA(0, "GRID_BENCH", "grid", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, instance, nullptr);
  HWND grid = CreateWindowExA(0, kGridClass, "", WS_CHILD | WS_VSCROLL, 0, 0, kWidth, kHeight, frame, nullptr,
                              instance, nullptr);
  RecordSetTable* table = GridTableOf(grid);
  SetGridOwner(table, frame);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
  SendMessageA(grid, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SetGridRecordSet(table, records, "ID|NAME|QTY");
  SetGridEvent(table, kEventMove, 1);
  ShowWindow(grid, SW_SHOW);
  UpdateWindow(grid);
  SetFocus(grid);
  Pump();
  const int rows = table->context.rowsPerPage;
  std::printf("grid: %d rows of %d columns a page\n\n", rows, table->context.columnCount);

  // Paging from the start; private bytes around it.
  size_t before = PrivateBytes();
  Stats start = Summary(Repeat(grid, WM_KEYDOWN, VK_NEXT, pages));
  size_t after = PrivateBytes();
  PrintPages("grid PgDn from record 1", start, "(target median <= 10 ms)");
  // Near the end: only the pages that moved count (the last page is
  // reached before all of them are done).
  long endAt = count - 10000 > 1 ? count - 10000 : 1;
  SendMessageA(grid, kGridGoTo, 0, endAt);
  std::vector<double> endMs;
  for (int i = 0; i < pages / 4; ++i) {
    long before = table->selected;
    t = Clock::now();
    SendMessageA(grid, WM_KEYDOWN, VK_NEXT, 0);
    UpdateWindow(grid);
    if (table->selected != before) endMs.push_back(Ms(t));
  }
  Stats end = Summary(endMs);
  char what[64], note[64];
  std::snprintf(what, sizeof what, "grid PgDn from record %ld", endAt);
  std::snprintf(note, sizeof note, "(%zu of %d moved, then the last record)", end.count, pages / 4);
  PrintPages(what, end, note);
  std::printf("%-30s %.2f (target <= 1.20)\n", "grid end / start median", start.median > 0 ? end.median / start.median : 0);
  std::printf("%-30s %+.0f KB after %d pages (target <= +1024 KB)\n", "grid private bytes",
              (static_cast<double>(after) - static_cast<double>(before)) / 1024, pages);

  // Line moves: from the last line, so that each one scrolls.
  SendMessageA(grid, kGridGoTo, 0, count / 2);
  for (int i = 0; i < rows; ++i) SendMessageA(grid, WM_KEYDOWN, VK_DOWN, 0);
  Stats down = Summary(Repeat(grid, WM_KEYDOWN, VK_DOWN, 1000));
  std::printf("%-30s %5zu  median %7.2f ms  p95 %7.2f ms  (target median <= 3 ms)\n", "grid Down (scrolls)", down.count,
              down.median, down.p95);

  SendMessageA(grid, kGridFirst, 0, 0);
  UpdateWindow(grid);
  t = Clock::now();
  CtrlKey(grid, VK_END);
  UpdateWindow(grid);
  std::printf("%-30s %7.2f ms  (target <= 50 ms)\n", "grid Ctrl+End", Ms(t));
  std::vector<double> thumbs;
  std::srand(1);
  for (int i = 0; i < 20; ++i) {
    long position = 1 + (std::rand() * 32768L + std::rand()) % count;
    t = Clock::now();
    SetScrollPos(grid, SB_VERT, position, FALSE);
    SendMessageA(grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position & 0xFFFF), 0);
    SendMessageA(grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position & 0xFFFF), 0);
    UpdateWindow(grid);
    thumbs.push_back(Ms(t));
  }
  Stats thumb = Summary(thumbs);
  std::printf("%-30s %5zu  median %7.2f ms  p95 %7.2f ms  (target <= 50 ms)\n", "grid thumb drag to a record",
              thumb.count, thumb.median, thumb.p95);

  // The same pages read alone: GoToRecord and each field's text.
  std::vector<double> reads;
  char text[80];
  long bytes = 0;
  for (int p = 0; p < pages; ++p) {
    t = Clock::now();
    long first = 1L + static_cast<long>(p) * rows;
    for (long r = first; r < first + rows && r <= count; ++r) {
      records->GoToRecord(r);
      for (unsigned long c = 1; c <= 3; ++c) bytes += records->GetFieldText(c, text, sizeof text) & 0xFFFF;
    }
    reads.push_back(Ms(t));
  }
  PrintPages("read the same pages, no paint", Summary(reads), "");
  ShowWindow(grid, SW_HIDE);

  // Wine's list view over the same texts, under a time cap.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  listRecords = records;
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                              kWidth, kHeight, frame, nullptr, instance, nullptr);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  const char* titles[] = {"ID", "NAME", "QTY"};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = c == 1 ? 400 : 180;
    column.pszText = const_cast<char*>(titles[c]);
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
  t = Clock::now();
  SendMessageA(list, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL);
  ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  UpdateWindow(list);
  SetFocus(list);
  std::printf("\nlist view: item count set and first page %.0f ms, %d rows a page\n", Ms(t),
              static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)));
  Stats listStart = Summary(Repeat(list, WM_KEYDOWN, VK_NEXT, pages, kPeerCapSeconds));
  PrintPages("list PgDn from item 1", listStart, listStart.count < static_cast<size_t>(pages) ? "(time cap)" : "");
  t = Clock::now();
  ListView_SetItemState(list, endAt - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, endAt - 1, FALSE);
  UpdateWindow(list);
  std::printf("%-30s %7.2f ms\n", "list go to the item", Ms(t));
  Stats listEnd = Summary(Repeat(list, WM_KEYDOWN, VK_NEXT, pages / 4, kPeerCapSeconds / 2));
  std::snprintf(what, sizeof what, "list PgDn from item %ld", endAt);
  PrintPages(what, listEnd, listEnd.count < static_cast<size_t>(pages / 4) ? "(time cap)" : "");
  Stats listDown = Summary(Repeat(list, WM_KEYDOWN, VK_DOWN, 1000, kPeerCapSeconds / 2));
  std::printf("%-30s %5zu  median %7.2f ms  p95 %7.2f ms\n", "list Down", listDown.count, listDown.median,
              listDown.p95);
  std::printf("\nlist / grid median: PgDn %.0fx, Down %.0fx\n", start.median > 0 ? listStart.median / start.median : 0,
              down.median > 0 ? listDown.median / down.median : 0);

  DestroyWindow(frame);
  DeleteObject(font);
  Call(praxel, "PRAXEL_Close", {handle, 0});
  Call(praxel, "PRAXEL_BaseClose", {base});
  return bytes > 0 ? 0 : 1;
}
