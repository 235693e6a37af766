// OSTREL_Show benchmark (run by hand through bench/run.sh grid): how long a
// script waits for a record table to appear over the 1,000,000-row table B
// once its record set is open, against the same table over its first 100
// rows (Show does nothing per record: the two should match), and beside it
// Wine's list view (LVS_OWNERDATA, report view, the same size and texts)
// given the same record set and shown. Show runs with stored settings
// (KORVEX.INI section "BENCHSHOW": column modes and font), so reading them
// is in the figure; every figure includes the first paint.
//   ostrel_show [runs]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_support.h"
#include "export_call.h"
#include "record_set_object.h"

namespace {

using bench::Call;
using bench::Clock;
using bench::Ms;
using bench::W;

const int kWidth = 800;
const int kHeight = 600;
const char kTitles[] = "Номер|Наименование|Количество";

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms.empty() ? 0 : ms[ms.size() / 2];
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

RecordSetObject* listRecords = nullptr;  // what the list view shows

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOA && listRecords) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    if ((item.mask & LVIF_TEXT) && listRecords->GoToRecord(item.iItem + 1)) {
      long length = listRecords->GetFieldText(item.iSubItem + 1, item.pszText, item.cchTextMax) & 0xFFFF;
      item.pszText[std::min<long>(length, item.cchTextMax - 1)] = 0;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Opened {
  uint32_t handle = 0;
  double ms = 0;
};

Opened Open(HMODULE praxel, uint32_t base, const char* query) {
  Opened opened;
  auto start = Clock::now();
  opened.handle = Call(praxel, "PRAXEL_New", {base, W("B"), 60});
  if (!opened.handle || !Call(praxel, "PRAXEL_Open", {opened.handle, W(query), W("STATIC")})) {
    std::fprintf(stderr, "the record set over B did not open (bench/grid_scroll.sh makes B)\n");
    std::exit(1);
  }
  opened.ms = Ms(start);
  return opened;
}

// OSTREL_Load and OSTREL_Show until the table is painted; the Show part.
double ShowTable(HMODULE ostrel, HWND host, uint32_t records) {
  uint32_t table = Call(ostrel, "OSTREL_Load", {W(host), W("BENCHSHOW")});
  auto start = Clock::now();
  uint32_t shown = Call(ostrel, "OSTREL_Show", {table, records, W(kTitles), W("")});
  double ms = Ms(start);
  if (!shown) {
    std::fprintf(stderr, "OSTREL_Show failed\n");
    std::exit(1);
  }
  Pump();
  Call(ostrel, "OSTREL_Unload", {table});
  return ms;
}

double ShowListView(HWND host, RecordSetObject* records) {
  auto start = Clock::now();
  listRecords = records;
  HWND list = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_OWNERDATA, 0, 0, kWidth, kHeight,
                            host, nullptr, nullptr, nullptr);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), FALSE);
  const char* titles[] = {"Номер", "Наименование", "Количество"};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(titles[i]);
    column.cx = 200;
    ListView_InsertColumn(list, i, &column);
  }
  ListView_SetItemCountEx(list, records->RecordCount(), LVSICF_NOINVALIDATEALL);
  ShowWindow(list, SW_SHOW);
  UpdateWindow(list);
  double ms = Ms(start);
  Pump();
  DestroyWindow(list);
  listRecords = nullptr;
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HMODULE praxel = LoadLibraryA("PRAXEL");
  HMODULE ostrel = LoadLibraryA("OSTREL");
  if (!praxel || !ostrel) {
    std::fprintf(stderr, "PRAXEL.dll and OSTREL.dll must lie beside the benchmark\n");
    return 1;
  }
  WritePrivateProfileStringA("BENCHSHOW", nullptr, nullptr, "KORVEX.INI");
  WritePrivateProfileStringA("BENCHSHOW", "TableTune", "NFN", "KORVEX.INI");
  WritePrivateProfileStringA("BENCHSHOW", "TableFont", "Tahoma,10,0", "KORVEX.INI");

  WNDCLASSA type = {};
  type.lpfnWndProc = HostProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = "OSTRELSHOWBENCH";
  RegisterClassA(&type);
  RECT frame = {0, 0, kWidth, kHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND host = CreateWindowA("OSTRELSHOWBENCH", "OSTREL_Show", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  Pump();
  uint32_t base = Call(praxel, "PRAXEL_BaseOpen", {0, W("DSN=KTEST;"), 2});
  if (!base) {
    std::fprintf(stderr, "no connection to KTEST\n");
    return 1;
  }

  std::vector<double> openBig, showBig, openSmall, showSmall, listBig;
  long count = 0;
  for (int run = 0; run < runs; ++run) {
    Opened big = Open(praxel, base, "SELECT ID, NAME, QTY FROM B ORDER BY ID");
    count = reinterpret_cast<RecordSetObject*>(big.handle)->RecordCount();
    openBig.push_back(big.ms);
    showBig.push_back(ShowTable(ostrel, host, big.handle));
    listBig.push_back(ShowListView(host, reinterpret_cast<RecordSetObject*>(big.handle)));
    Call(praxel, "PRAXEL_Close", {big.handle, 0});

    Opened small = Open(praxel, base, "SELECT ID, NAME, QTY FROM B WHERE ID <= 100 ORDER BY ID");
    openSmall.push_back(small.ms);
    showSmall.push_back(ShowTable(ostrel, host, small.handle));
    Call(praxel, "PRAXEL_Close", {small.handle, 0});
  }
  Call(praxel, "PRAXEL_BaseClose", {base});
  WritePrivateProfileStringA("BENCHSHOW", nullptr, nullptr, "KORVEX.INI");

  std::printf("OSTREL_Show, the median of %d runs, each until the table is painted:\n", runs);
  std::printf("%-34s %9.1f ms\n", "record set open, 1,000,000 rows", Median(openBig));
  std::printf("%-34s %9.1f ms  (target <= 1000 ms; %ld records)\n", "OSTREL_Show, 1,000,000 rows",
              Median(showBig), count);
  std::printf("%-34s %9.1f ms\n", "OSTREL_Show, 100 rows", Median(showSmall));
  std::printf("%-34s %9.1f ms\n", "list view shown, 1,000,000 rows", Median(listBig));
  std::printf("%-34s %9.1f ms\n", "record set open, 100 rows", Median(openSmall));
  DestroyWindow(host);
  return 0;
}
