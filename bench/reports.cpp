// Report benchmark (not a test), run by bench/reports.sh over the table
// BENCH_PEOPLE (ID, NAME, CITY) of the data source KTEST:
//   reports_bench compile <form file>   load and compile FORM 1 of the file
//   reports_bench file <records>        a form per record into a page file
//   reports_bench table <rows>          a TABLE part of the rows into a page file
//   reports_bench print <records>       a form per record on the printer "PDF"
//   reports_bench lines <records>       the same texts by TextOutA alone, 55 a
//                                       page: what Wine's printer driver costs
// Prints one line: "<what> <count> <seconds> <count per second>". The
// print case times the job only; the script waits for the PDF.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_support.h"

namespace {

using bench::Call1;
using bench::Call2;
using bench::Call3;
using bench::NeededExport;
using bench::W;
using bench::Word;

// 30 mm a record: 9 a page, 2,000 records make 223 pages.
const char kRecordForm[] =
    "FONT Mono,10\r\nBOX 0,0,100,30,B\r\nTEXT L{[A!NAME] - [A!CITY]}\r\nEND";
// 5 mm a record on the printer: a line a record, about as groff's table.
const char kLineForm[] =
    "FONT Mono,10\r\nBOX 0,0,100,5,LRB\r\nTEXT L{[A!NAME] - [A!CITY]}\r\nEND";
const char kTableForm[] =
    "FONT Mono,10\r\nTITLE NAME,60{Имя}\r\nTITLE CITY,40{Город}\r\nTABLE\r\nBOX 0,0,190,15,T\r\nEND";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "reports_bench compile|file|table|print <argument>\n");
    return 2;
  }
  std::string what = argv[1];
  HMODULE dorvin = LoadLibraryA("DORVIN");
  HMODULE praxel = LoadLibraryA("PRAXEL");
  HMODULE hestel = LoadLibraryA("HESTEL");
  if (!dorvin || !praxel || !hestel) return 2;
  auto form = NeededExport<Call3>(dorvin, "DORVIN_Form");
  auto close = NeededExport<Call1>(dorvin, "DORVIN_Close");
  auto add = NeededExport<Call2>(dorvin, "DORVIN_RsAdd");
  auto type = NeededExport<Call3>(dorvin, "DORVIN_Type");

  if (what == "compile") {
    auto start = std::chrono::steady_clock::now();
    Word f = form(0, W(argv[2]), 1);
    double s = bench::SecondsSince(start);
    if (!f) return 1;
    close(f);
    std::printf("compile 1 %.4f %.1f\n", s, 1 / s);
    return 0;
  }

  long count = std::atol(argv[2]);
  if (what == "lines") {
    HMODULE grusk = LoadLibraryA("GRUSK");
    if (!grusk) return 2;
    NeededExport<Call1>(grusk, "SELPRINTER")(0);
    HDC dc = reinterpret_cast<HDC>(NeededExport<Word(WINAPI*)()>(grusk, "PRNCREATE")());
    if (!dc) return 1;
    HFONT font = CreateFontA(-42, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Mono");
    DOCINFOA doc = {sizeof doc, "reports_lines", nullptr, nullptr, 0};
    auto start = std::chrono::steady_clock::now();
    StartDocA(dc, &doc);
    for (long i = 0; i < count; ++i) {
      if (i % 55 == 0) {
        if (i) EndPage(dc);
        StartPage(dc);
        SelectObject(dc, font);
      }
      char line[40];
      int n = std::snprintf(line, sizeof line, "Абонент %05ld - %s", i + 1, i % 2 ? "Тула" : "Омск");
      TextOutA(dc, 150, static_cast<int>(150 + (i % 55) * 59), line, n);
    }
    EndPage(dc);
    EndDoc(dc);
    double s = bench::SecondsSince(start);
    DeleteDC(dc);
    DeleteObject(font);
    std::printf("lines %ld %.4f %.1f\n", count, s, count / s);
    return 0;
  }
  Word base = NeededExport<Call3>(praxel, "PRAXEL_BaseOpen")(0, W("DSN=KTEST;"), 2);
  Word set = base ? NeededExport<Call3>(praxel, "PRAXEL_New")(base, W("BENCH_PEOPLE"), 100) : 0;
  std::string query = "SELECT NAME, CITY FROM BENCH_PEOPLE WHERE ID <= " + std::to_string(count) + " ORDER BY ID";
  if (!set || !NeededExport<Call3>(praxel, "PRAXEL_Open")(set, W(query.c_str()), W("STATIC"))) return 1;
  Word f = form(0, W(what == "table" ? kTableForm : what == "print" ? kLineForm : kRecordForm), 0);
  if (!f || !add(f, set)) return 1;
  const char* options = what == "print" ? "TABLE|DEFAULT" : what == "table" ? "FILE|DEFAULT" : "FILE|TABLE|DEFAULT";
  auto start = std::chrono::steady_clock::now();
  Word result = type(f, W(("reports_" + what).c_str()), W(options));
  double s = bench::SecondsSince(start);
  if (!result) return 1;
  if (what != "print") {
    DWORD size = GetFileSize(reinterpret_cast<HANDLE>(result), nullptr);
    NeededExport<Call1>(hestel, "HESTEL_CLOSE")(result);
    std::fprintf(stderr, "page file: %lu bytes\n", static_cast<unsigned long>(size));
  }
  close(f);
  NeededExport<Call1>(praxel, "PRAXEL_Close")(set);
  NeededExport<Call1>(praxel, "PRAXEL_BaseClose")(base);
  std::printf("%s %ld %.4f %.1f\n", what.c_str(), count, s, count / s);
  return 0;
}
