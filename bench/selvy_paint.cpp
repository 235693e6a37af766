// Page view paint benchmark (not a test), run by bench/selvy_paint.sh: the
// form library writes a form per record of BENCH_PEOPLE (KTEST) into a
// 255-page file, the page view shows it and PgDn turns it to its last page.
// Each paint walks the buffer from its start, so the last pages' paints
// are timed beside the first pages' ones. Prints
//   "pages <n> median <ms> first <ms> last <ms> slowest <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

using bench::Call1;
using bench::Call2;
using bench::Call3;
using bench::NeededExport;
using bench::W;
using bench::Word;

const char kRecordForm[] = "FONT Mono,10\r\nBOX 0,0,100,30,B\r\nTEXT L{[A!NAME] - [A!CITY]}\r\nEND";

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  HMODULE dorvin = LoadLibraryA("DORVIN"), praxel = LoadLibraryA("PRAXEL"), selvy = LoadLibraryA("SELVY");
  if (!dorvin || !praxel || !selvy || !LoadLibraryA("HESTEL")) return 2;
  // 9 forms a page: 2,295 records fill the 255 pages a page file can hold.
  const int kRecords = 255 * 9;
  Word base = NeededExport<Call3>(praxel, "PRAXEL_BaseOpen")(0, W("DSN=KTEST;"), 2);
  Word set = base ? NeededExport<Call3>(praxel, "PRAXEL_New")(base, W("BENCH_PEOPLE"), 100) : 0;
  std::string query = "SELECT NAME, CITY FROM BENCH_PEOPLE WHERE ID <= " + std::to_string(kRecords) + " ORDER BY ID";
  if (!set || !NeededExport<Call3>(praxel, "PRAXEL_Open")(set, W(query.c_str()), W("STATIC"))) return 1;
  Word form = NeededExport<Call3>(dorvin, "DORVIN_Form")(0, W(kRecordForm), 0);
  if (!form || !NeededExport<Call2>(dorvin, "DORVIN_RsAdd")(form, set)) return 1;
  Word file = NeededExport<Call3>(dorvin, "DORVIN_Type")(form, W("selvy_paint"), W("FILE|TABLE|DEFAULT"));
  if (!file) return 1;

  HWND owner = CreateWindowExA(0, "STATIC", "KvxView", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                               nullptr, nullptr);
  Word view = NeededExport<Call2>(selvy, "SELVY_Load")(W(owner), file);
  Word pages = view ? NeededExport<Call1>(selvy, "SELVY_PageCount")(view) : 0;
  if (!pages) return 1;
  NeededExport<Call1>(selvy, "SELVY_Show")(view);
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(view));
  UpdateWindow(window);

  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> paints;
  while (NeededExport<Call1>(selvy, "SELVY_PageNumber")(view) < pages) {
    QueryPerformanceCounter(&before);
    SendMessageA(window, WM_KEYDOWN, VK_NEXT, 1);
    UpdateWindow(window);
    QueryPerformanceCounter(&after);
    paints.push_back(1000.0 * (after.QuadPart - before.QuadPart) / frequency.QuadPart);
  }
  size_t ten = std::min<size_t>(10, paints.size());
  std::vector<double> first(paints.begin(), paints.begin() + ten), last(paints.end() - ten, paints.end());
  std::printf("pages %lu median %.2f first %.2f last %.2f slowest %.2f\n", static_cast<unsigned long>(pages),
              Median(paints), Median(first), Median(last), *std::max_element(paints.begin(), paints.end()));
  NeededExport<Call1>(selvy, "SELVY_Unload")(view);
  DestroyWindow(owner);
  NeededExport<Call1>(dorvin, "DORVIN_Close")(form);
  NeededExport<Call1>(praxel, "PRAXEL_Close")(set);
  NeededExport<Call1>(praxel, "PRAXEL_BaseClose")(base);
  return 0;
}
