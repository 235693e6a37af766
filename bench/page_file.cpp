// Page-file benchmark (bench/page_file.sh, run by hand, not a test):
//   page_file [records]
// (a) `records` 'L' records (1,000,000 by default) through WritePageRow
//     beside a loop of one WriteFile per record of the same bytes;
// (b) WriteTableFile of the largest table of B(ID, NAME, QTY) on KTEST that
//     fits 255 pages (repeated), and the file export of all of B, through a
//     Praxel record set on a grid window; rows/s of each.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "export_call.h"
#include "grid_window.h"
#include "grusk.h"
#include "hestel.h"
#include "page_breaks.h"
#include "page_file.h"
#include "print_layout.h"
#include "table_output.h"

namespace {

using bench::Clock;
using bench::SecondsSince;
using bench::W;

HANDLE ScratchFile(std::string* name) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "pfb", 0, path);
  *name = path;
  return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// (a) the writer against the raw loop, best of three turns each.
void RowRecords(long count) {
  static const char* texts[] = {"1", "name 12345", "-20,2500", "a longer cell text of thirty ch"};
  RECT cell = {0, 100, 0, 150};
  std::vector<std::vector<unsigned char>> raw;
  for (const char* text : texts) {
    std::string name;
    HANDLE probe = ScratchFile(&name);
    CloseHandle(probe);
    probe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    WritePageRow(probe, 'L', 1, &cell, DT_RIGHT, static_cast<int>(std::strlen(text)), text);
    std::vector<unsigned char> bytes(GetFileSize(probe, nullptr));
    SetFilePointer(probe, 0, nullptr, FILE_BEGIN);
    DWORD read = 0;
    ReadFile(probe, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    raw.push_back(bytes);
    CloseHandle(probe);
  }
  double best[2] = {1e30, 1e30};
  double bytesWritten = 0;
  for (int round = 0; round < 3; ++round) {
    std::string name;
    HANDLE file = ScratchFile(&name);
    auto start = Clock::now();
    for (long i = 0; i < count; ++i) {
      const char* text = texts[i & 3];
      WritePageRow(file, 'L', static_cast<int>(i & 7), &cell, DT_RIGHT, static_cast<int>(std::strlen(text)), text);
    }
    double s = SecondsSince(start);
    if (s < best[0]) best[0] = s;
    bytesWritten = GetFileSize(file, nullptr);
    CloseHandle(file);

    file = ScratchFile(&name);
    start = Clock::now();
    for (long i = 0; i < count; ++i) {
      const std::vector<unsigned char>& bytes = raw[i & 3];
      DWORD written = 0;
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    s = SecondsSince(start);
    if (s < best[1]) best[1] = s;
    CloseHandle(file);
  }
  const double mb = bytesWritten / 1048576.0;
  std::printf("'L' records         %10ld  WritePageRow %8.3f s %10.0f rec/s %7.1f MB/s\n", count, best[0],
              count / best[0], mb / best[0]);
  std::printf("raw WriteFile loop  %10ld  one a record %8.3f s %10.0f rec/s %7.1f MB/s\n", count, best[1],
              count / best[1], mb / best[1]);
  std::printf("writer / loop       %.2f (target >= 0.80)\n", best[1] / best[0]);
}

// Praxel's exports by name.
class Praxel {
 public:
  Praxel() : library_(LoadLibraryA("PRAXEL")) {}
  uint32_t operator()(const char* name, std::initializer_list<uint32_t> args) const {
    return bench::Call(library_, name, args);
  }
  bool loaded() const { return library_ != nullptr; }

 private:
  HMODULE library_;
};

// The most records of the table that a page file of 255 pages holds with
// this printer, font and margins and no title.
long LargestWithin255Pages(RecordSetTable* table) {
  TablePrintContext c;
  c.dc = PRNCREATE();
  c.font = PRNFONT(c.dc);
  RECT m = {};
  PRNMARGIN(c.dc, &m);
  c.marginLeft = m.left;
  c.marginTop = m.top;
  c.marginRight = m.right;
  c.marginBottom = m.bottom;
  c.BorrowTitles(table->context);
  LayoutPrintTable(&c, table->records);
  const int d = c.height - c.marginTop - c.titleHeight;
  long count = 1;
  while (PlanPages(count * 2, c.RowHeight(), d, 0, 0, c.footerHeight).pages <= kPageMaxNumber) count *= 2;
  for (long step = count / 2; step > 0; step /= 2)
    if (PlanPages(count + step, c.RowHeight(), d, 0, 0, c.footerHeight).pages <= kPageMaxNumber) count += step;
  DeleteObject(c.font);
  DeleteDC(c.dc);
  return count;
}

struct Opened {
  uint32_t base = 0, set = 0;
  long count = 0;
};

Opened Open(const Praxel& praxel, const std::string& query) {
  Opened o;
  o.base = praxel("PRAXEL_BaseOpen", {0, W("DSN=KTEST;"), 2});
  o.set = praxel("PRAXEL_New", {o.base, W("B"), 500});
  praxel("PRAXEL_Open", {o.set, W(query.c_str()), W("STATIC")});
  o.count = static_cast<long>(praxel("PRAXEL_RecCnt", {o.set}));
  return o;
}

void Close(const Praxel& praxel, const Opened& o) {
  praxel("PRAXEL_Close", {o.set});
  praxel("PRAXEL_BaseClose", {o.base});
}

// Presses "Выполнить" of the export dialog as soon as it shows.
void AnswerExportDialog() {
  for (int i = 0; i < 500; ++i) {
    HWND dialog = FindWindowA("#32770", "Экспорт таблицы");
    if (dialog && IsWindowVisible(dialog)) {
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      return;
    }
    Sleep(10);
  }
}

void Tables() {
  Praxel praxel;
  if (!praxel.loaded() || !SELPRINTER(nullptr)) {
    std::printf("no Praxel or no printer: table cases left out\n");
    return;
  }
  RegisterGridClass(GetModuleHandleA(nullptr));
  HWND window = CreateWindowA(kGridClass, "page_file_bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  RecordSetTable* table = GridTableOf(window);

  Opened all = Open(praxel, "SELECT ID, NAME, QTY FROM B ORDER BY ID");
  SetGridRecordSet(table, reinterpret_cast<RecordSetObject*>(all.set), "ID|NAME|QTY");
  const long largest = LargestWithin255Pages(table);
  Close(praxel, all);

  Opened part = Open(praxel, "SELECT ID, NAME, QTY FROM B WHERE ID <= " + std::to_string(largest) + " ORDER BY ID");
  SetGridRecordSet(table, reinterpret_cast<RecordSetObject*>(part.set), "ID|NAME|QTY");
  // Where the time goes: the record reads alone, then with the column
  // option calls each cell makes.
  RecordSetObject* set = reinterpret_cast<RecordSetObject*>(part.set);
  char text[80];
  auto start = Clock::now();
  for (long n = 1; n <= part.count; ++n) {
    set->GoToRecord(n);
    for (unsigned long c = 1; c <= 3; ++c) set->GetFieldText(c, text, sizeof text);
  }
  const double reads = SecondsSince(start);
  start = Clock::now();
  for (long n = 1; n <= part.count; ++n) {
    set->GoToRecord(n);
    for (unsigned long c = 1; c <= 3; ++c) {
      set->FieldOption(c, 14);
      set->FieldOption(c, 16);
      set->GetFieldText(c, text, sizeof text);
      set->FieldOption(c, 15);
    }
  }
  const double withOptions = SecondsSince(start);
  std::printf("records alone       %10ld rows %8.3f s %10.0f rows/s (with option calls %.3f s)\n", part.count, reads,
              part.count / reads, withOptions);
  double best = 1e30;
  DWORD size = 0;
  for (int round = 0; round < 3; ++round) {
    start = Clock::now();
    HANDLE file = WriteTableFile(table, "");
    const double s = SecondsSince(start);
    if (!file) {
      std::printf("WriteTableFile failed\n");
      break;
    }
    size = GetFileSize(file, nullptr);
    HESTEL_CLOSE(file);
    if (s < best) best = s;
  }
  std::printf("WriteTableFile      %10ld rows %8.3f s %10.0f rows/s (%lu bytes, best of 3)\n", part.count, best,
              part.count / best, static_cast<unsigned long>(size));
  Close(praxel, part);

  all = Open(praxel, "SELECT ID, NAME, QTY FROM B ORDER BY ID");
  SetGridRecordSet(table, reinterpret_cast<RecordSetObject*>(all.set), "ID|NAME|QTY");
  CreateExportSettings();
  ExportSettings* s = TheExportSettings();
  s->destination = kExportFile | kExportHeader;
  s->separator = '\t';
  std::string name;
  CloseHandle(ScratchFile(&name));
  lstrcpynA(s->fileName, name.c_str(), sizeof s->fileName);
  std::thread answer(AnswerExportDialog);
  const auto exportStart = Clock::now();
  const BOOL exported = ExportTable(table, 3000);
  const double seconds = SecondsSince(exportStart);
  answer.join();
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data);
  std::printf("ExportTable file    %10ld rows %8.3f s %10.0f rows/s (%lu bytes%s)\n", all.count, seconds,
              all.count / seconds, static_cast<unsigned long>(data.nFileSizeLow), exported ? "" : ", FAILED");
  DeleteFileA(name.c_str());
  FreeExportSettings();
  Close(praxel, all);
  DestroyWindow(window);
  std::printf("largest within 255 pages: %ld rows\n", largest);
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  RowRecords(records);
  if (argc <= 2 || std::strcmp(argv[2], "--no-tables") != 0) Tables();
  return 0;
}
