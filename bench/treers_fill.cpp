// Tree control fill benchmark (run by hand through bench/run.sh frenna):
// the tree control "TREERS" filled from a Praxel record set over TRB
// (K, ID, OWN, NAME: 200 top nodes, 20 children each, 4 grandchildren
// each; parents first), its captions answered by a window of this program
// with the record's NAME; beside it, in the same run, (a) reading the same
// records alone (ID, OWN, NAME) and (b) a bare tree view given the same
// nodes under parents already known. Each is the best of several rounds.
// All of it at two sizes, the first 10,100 rows (parents first, so every
// parent is in) and all 20,200: the times, fill / (a + b), and the cost per
// node after the first 1,000 (the 200 top nodes, in the visible part of
// the tree, cost most of a fill: they are left out) of the fill, timed
// from its caption requests, and of the bare tree view; their ratio
// between the sizes shows whether a node costs more in a larger tree.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "export_call.h"
#include "record_set_object.h"

namespace {

using bench::Call;
using bench::Clock;
using bench::Ms;
using bench::W;

const int kRounds = 3;
const int kText = 128;
const UINT kCaptionCommand = 3100;
const char kSmallQuery[] = "SELECT K, ID, OWN, NAME FROM TRB WHERE K <= 10100 ORDER BY K";
const char kQuery[] = "SELECT K, ID, OWN, NAME FROM TRB ORDER BY K";

struct Record {
  long id;
  long own;
  std::string name;
};

const size_t kHead = 1000;  // nodes left out of the cost per node

// A time, and that from the kHead-th node to the end per node after it.
struct Timed {
  double ms = 1e30;
  double tailMs = 0;
  long nodes = 0;
  double PerNode() const { return 1000 * tailMs / (nodes - static_cast<long>(kHead)); }
};

// The caption window: answers each request with the current record's NAME
// and notes when the kHead-th request came.
RecordSetObject* captionRecords;
size_t requests;
Clock::time_point headDone;

LRESULT CALLBACK CaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || wParam != kCaptionCommand)
    return DefWindowProcA(window, message, wParam, lParam);
  captionRecords->GetFieldTextByName("NAME", reinterpret_cast<char*>(lParam), kText);
  if (++requests == kHead) headDone = Clock::now();
  return 0;
}

HWND Host() {
  return CreateWindowExA(0, "STATIC", "treers_fill", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 400,
                         500, nullptr, nullptr, nullptr, nullptr);
}

double ReadAlone(RecordSetObject* set, long count, std::vector<Record>* records) {
  records->clear();
  auto start = Clock::now();
  for (long i = 1; i <= count; ++i) {
    set->GoToRecord(i);
    if (set->IsDeleted()) continue;
    char id[kText] = {}, own[kText] = {}, name[kText] = {};
    set->GetFieldTextByName("ID", id, kText);
    set->GetFieldTextByName("OWN", own, kText);
    set->GetFieldTextByName("NAME", name, kText);
    records->push_back({std::atol(id), std::atol(own), name});
  }
  return Ms(start, Clock::now());
}

Timed BareTree(const std::vector<Record>& records) {
  HWND host = Host();
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, nullptr, 0x50000027, 0, 0, 380, 460, host, nullptr,
                              nullptr, nullptr);
  std::vector<HTREEITEM> byId(0x10000);
  auto start = Clock::now(), head = start;
  for (size_t i = 0; i < records.size(); ++i) {
    if (i == kHead) head = Clock::now();
    const Record& r = records[i];
    TVINSERTSTRUCTA insert = {};
    insert.hParent = r.own ? byId[r.own & 0xFFFF] : TVI_ROOT;
    insert.hInsertAfter = i == 0 ? TVI_FIRST : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | (r.own ? 0 : TVIF_CHILDREN);
    insert.item.pszText = const_cast<char*>(r.name.c_str());
    insert.item.iImage = 1;
    insert.item.iSelectedImage = 2;
    insert.item.cChildren = 1;
    insert.item.lParam = static_cast<LPARAM>((i + 1) << 16 | (r.id & 0xFFFF));
    byId[r.id & 0xFFFF] = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  auto end = Clock::now();
  Timed t;
  t.ms = Ms(start, end);
  t.tailMs = Ms(head, end);
  t.nodes = static_cast<long>(records.size());
  DestroyWindow(host);
  return t;
}

Timed FillControl(RecordSetObject* set, HWND captions) {
  HWND host = Host();
  HWND control = CreateWindowExA(0, "TREERS", "", WS_CHILD | WS_VISIBLE, 0, 0, 380, 460, host,
                                 nullptr, nullptr, nullptr);
  captionRecords = set;
  requests = 0;
  std::string settings = std::to_string(reinterpret_cast<intptr_t>(captions)) + ",3100,0";
  auto start = Clock::now();
  SendMessageA(control, WM_SETTEXT, reinterpret_cast<WPARAM>(set),
               reinterpret_cast<LPARAM>(settings.c_str()));
  auto end = Clock::now();
  Timed t;
  t.ms = Ms(start, end);
  t.tailMs = requests >= kHead ? Ms(headDone, end) : 0;
  t.nodes = static_cast<long>(SendMessageA(GetWindow(control, GW_CHILD), TVM_GETCOUNT, 0, 0));
  DestroyWindow(host);
  return t;
}

struct Size {
  long records = 0;
  double read = 1e30;
  Timed bare, fill;
};

bool Measure(HMODULE praxel, uint32_t base, HWND captions, const char* query, Size& size) {
  uint32_t handle = Call(praxel, "PRAXEL_New", {base, W("TRB"), 60});
  if (!Call(praxel, "PRAXEL_Open", {handle, W(query), W("STATIC")})) {
    std::printf("TRB did not open (bench/treers_fill.sh makes it)\n");
    return false;
  }
  RecordSetObject* set = reinterpret_cast<RecordSetObject*>(handle);
  size.records = set->RecordCount();
  std::vector<Record> records;
  for (int round = 0; round < kRounds; ++round) {
    size.read = std::min(size.read, ReadAlone(set, size.records, &records));
    Timed bare = BareTree(records);
    if (bare.ms < size.bare.ms) size.bare = bare;
    Timed fill = FillControl(set, captions);
    if (fill.ms < size.fill.ms) size.fill = fill;
  }
  Call(praxel, "PRAXEL_Close", {handle});
  return true;
}

void Print(const Size& s) {
  std::printf("%ld records\n", s.records);
  std::printf("  TREERS fill            %8.1f ms  (%ld nodes; after the first %u: %.1f ms, %.1f us a node)\n",
              s.fill.ms, s.fill.nodes, static_cast<unsigned>(kHead), s.fill.tailMs, s.fill.PerNode());
  std::printf("  (a) reading alone      %8.1f ms\n", s.read);
  std::printf("  (b) bare tree view     %8.1f ms  (after the first %u: %.1f ms, %.1f us a node)\n", s.bare.ms,
              static_cast<unsigned>(kHead), s.bare.tailMs, s.bare.PerNode());
  std::printf("  fill / (a + b)         %8.2f     (target at most 1.5)\n", s.fill.ms / (s.read + s.bare.ms));
}

}  // namespace

int main() {
  HMODULE praxel = LoadLibraryA("PRAXEL");
  HMODULE frenna = LoadLibraryA("FRENNA");
  if (!praxel || !frenna) {
    std::printf("Praxel.dll and Frenna.dll must lie beside the program\n");
    return 1;
  }
  uint32_t base = Call(praxel, "PRAXEL_BaseOpen", {0, W("DSN=KTEST;"), 2});
  WNDCLASSA kind = {};
  kind.lpfnWndProc = CaptionProc;
  kind.lpszClassName = "TREERS_FILL_CAPTIONS";
  RegisterClassA(&kind);
  HWND captions = CreateWindowExA(0, kind.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
  Size small, large;
  if (!Measure(praxel, base, captions, kSmallQuery, small) || !Measure(praxel, base, captions, kQuery, large))
    return 1;
  Print(small);
  Print(large);
  std::printf("a node after the first %u, %ld / %ld records: fill %.2f, bare tree view %.2f"
              "  (1: as dear in the larger tree)\n",
              static_cast<unsigned>(kHead), large.records, small.records,
              large.fill.PerNode() / small.fill.PerNode(), large.bare.PerNode() / small.bare.PerNode());
  Call(praxel, "PRAXEL_BaseClose", {base});
  return 0;
}
