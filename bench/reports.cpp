// Report benchmark (not a test), run by bench/reports.sh over the table
// BENCH_PEOPLE (ID, NAME, CITY) of the data source KTEST:
//   reports_bench compile <form file>   load and compile FORM 1 of the file
//   reports_bench file <records>        a form per record into a page file
//   reports_bench table <rows>          a TABLE part of the rows into a page file
//   reports_bench print <records>       a form per record on the printer "PDF"
// Prints one line: "<what> <count> <seconds> <count per second>". The
// print case times the job only; the script waits for the PDF.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Word = uint32_t;
using Call1 = Word(WINAPI*)(Word);
using Call2 = Word(WINAPI*)(Word, Word);
using Call3 = Word(WINAPI*)(Word, Word, Word);

template <typename F>
F Export(HMODULE module, const char* name) {
  F f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!f) {
    std::fprintf(stderr, "no export %s\n", name);
    std::exit(2);
  }
  return f;
}

template <typename T>
Word W(T* p) {
  return static_cast<Word>(reinterpret_cast<uintptr_t>(p));
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const char kRecordForm[] =
    "FONT Mono,10\r\nBOX 0,0,100,30,B\r\nTEXT L{[A!NAME] - [A!CITY]}\r\nEND";
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
  auto form = Export<Call3>(dorvin, "DORVIN_Form");
  auto close = Export<Call1>(dorvin, "DORVIN_Close");
  auto add = Export<Call2>(dorvin, "DORVIN_RsAdd");
  auto type = Export<Call3>(dorvin, "DORVIN_Type");

  if (what == "compile") {
    auto start = std::chrono::steady_clock::now();
    Word f = form(0, W(argv[2]), 1);
    double s = Seconds(start);
    if (!f) return 1;
    close(f);
    std::printf("compile 1 %.4f %.1f\n", s, 1 / s);
    return 0;
  }

  long count = std::atol(argv[2]);
  Word base = Export<Call3>(praxel, "PRAXEL_BaseOpen")(0, W("DSN=KTEST;"), 2);
  Word set = base ? Export<Call3>(praxel, "PRAXEL_New")(base, W("BENCH_PEOPLE"), 100) : 0;
  std::string query = "SELECT NAME, CITY FROM BENCH_PEOPLE WHERE ID <= " + std::to_string(count) + " ORDER BY ID";
  if (!set || !Export<Call3>(praxel, "PRAXEL_Open")(set, W(query.c_str()), W("STATIC"))) return 1;
  Word f = form(0, W(what == "table" ? kTableForm : kRecordForm), 0);
  if (!f || !add(f, set)) return 1;
  const char* options = what == "print" ? "TABLE|DEFAULT" : what == "table" ? "FILE|DEFAULT" : "FILE|TABLE|DEFAULT";
  auto start = std::chrono::steady_clock::now();
  Word result = type(f, W(("reports_" + what).c_str()), W(options));
  double s = Seconds(start);
  if (!result) return 1;
  if (what != "print") {
    DWORD size = GetFileSize(reinterpret_cast<HANDLE>(result), nullptr);
    Export<Call1>(hestel, "HESTEL_CLOSE")(result);
    std::fprintf(stderr, "page file: %lu bytes\n", static_cast<unsigned long>(size));
  }
  close(f);
  Export<Call1>(praxel, "PRAXEL_Close")(set);
  Export<Call1>(praxel, "PRAXEL_BaseClose")(base);
  std::printf("%s %ld %.4f %.1f\n", what.c_str(), count, s, count / s);
  return 0;
}
