// Tree control fill benchmark (run by hand through bench/run.sh frenna):
// the tree control "TREERS" filled from a Praxel record set over TRB
// (K, ID, OWN, NAME: 200 top nodes, 20 children each, 4 grandchildren
// each; parents first), its captions answered by a window of this program
// with the record's NAME; beside it, in the same run, (a) reading the same
// records alone (ID, OWN, NAME) and (b) a bare tree view given the same
// nodes under parents already known. Each is the best of several rounds.
// Prints the times, fill / (a + b), and the milliseconds per 1000 nodes of
// the fill's first and last thousand.
#include <windows.h>
#include <commctrl.h>

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
const char kQuery[] = "SELECT K, ID, OWN, NAME FROM TRB ORDER BY K";

struct Record {
  long id;
  long own;
  std::string name;
};

// The caption window: answers each request with the current record's NAME
// and notes when each request came.
RecordSetObject* captionRecords;
std::vector<Clock::time_point> requestTimes;

LRESULT CALLBACK CaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || wParam != kCaptionCommand)
    return DefWindowProcA(window, message, wParam, lParam);
  captionRecords->GetFieldTextByName("NAME", reinterpret_cast<char*>(lParam), kText);
  requestTimes.push_back(Clock::now());
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

double BareTree(const std::vector<Record>& records) {
  HWND host = Host();
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, nullptr, 0x50000027, 0, 0, 380, 460, host, nullptr,
                              nullptr, nullptr);
  std::vector<HTREEITEM> byId(0x10000);
  auto start = Clock::now();
  for (size_t i = 0; i < records.size(); ++i) {
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
  double ms = Ms(start, Clock::now());
  DestroyWindow(host);
  return ms;
}

struct Fill {
  double ms;
  double firstThousand;
  double lastThousand;
  long nodes;
};

Fill FillControl(RecordSetObject* set, HWND captions) {
  HWND host = Host();
  HWND control = CreateWindowExA(0, "TREERS", "", WS_CHILD | WS_VISIBLE, 0, 0, 380, 460, host,
                                 nullptr, nullptr, nullptr);
  captionRecords = set;
  requestTimes.clear();
  requestTimes.reserve(0x10000);
  std::string settings = std::to_string(reinterpret_cast<intptr_t>(captions)) + ",3100,0";
  auto start = Clock::now();
  SendMessageA(control, WM_SETTEXT, reinterpret_cast<WPARAM>(set),
               reinterpret_cast<LPARAM>(settings.c_str()));
  auto end = Clock::now();
  Fill f = {Ms(start, end), 0, 0,
            static_cast<long>(SendMessageA(GetWindow(control, GW_CHILD), TVM_GETCOUNT, 0, 0))};
  size_t n = requestTimes.size();
  if (n > 1000) {
    f.firstThousand = Ms(start, requestTimes[999]);
    f.lastThousand = Ms(requestTimes[n - 1001], end);
  }
  DestroyWindow(host);
  return f;
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
  uint32_t handle = Call(praxel, "PRAXEL_New", {base, W("TRB"), 60});
  if (!Call(praxel, "PRAXEL_Open", {handle, W(kQuery), W("STATIC")})) {
    std::printf("TRB did not open\n");
    return 1;
  }
  RecordSetObject* set = reinterpret_cast<RecordSetObject*>(handle);
  long count = set->RecordCount();

  WNDCLASSA kind = {};
  kind.lpfnWndProc = CaptionProc;
  kind.lpszClassName = "TREERS_FILL_CAPTIONS";
  RegisterClassA(&kind);
  HWND captions = CreateWindowExA(0, kind.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);

  std::vector<Record> records;
  double read = 1e30, bare = 1e30;
  Fill fill = {1e30, 0, 0, 0};
  for (int round = 0; round < kRounds; ++round) {
    read = std::min(read, ReadAlone(set, count, &records));
    bare = std::min(bare, BareTree(records));
    Fill f = FillControl(set, captions);
    if (f.ms < fill.ms) fill = f;
  }
  std::printf("records                  %8ld\n", count);
  std::printf("TREERS fill              %8.1f ms  (%ld nodes)\n", fill.ms, fill.nodes);
  std::printf("(a) reading alone        %8.1f ms\n", read);
  std::printf("(b) bare tree view       %8.1f ms\n", bare);
  std::printf("fill / (a + b)           %8.2f     (target at most 1.5)\n", fill.ms / (read + bare));
  std::printf("first 1000 nodes         %8.1f ms\n", fill.firstThousand);
  std::printf("last 1000 nodes          %8.1f ms\n", fill.lastThousand);
  std::printf("last / first             %8.2f     (target at most 2)\n",
              fill.lastThousand / fill.firstThousand);
  Call(praxel, "PRAXEL_Close", {handle});
  Call(praxel, "PRAXEL_BaseClose", {base});
  return 0;
}
