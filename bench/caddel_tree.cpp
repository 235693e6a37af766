// Record tree benchmark (run by hand through bench/run.sh tree): CADDEL_Show
// over Praxel record sets of TB (ID, OWNER, NAME; roots of OWNER 0, each
// followed by its 99 children), 10,000 and 20,000 rows, cache 60, its
// captions answered by a window of this program with the record's NAME;
// beside it, in the same run, a bare fill: the same record reads and
// caption requests and the same tree view inserts, with parents from a
// hash map and no progress dialog, once as a plain fill and once with the
// tree view's redrawing off while it inserts, as Show does (that one is
// Show's work without the library's own costs, and Show's target), and
// Nimbet's progress dialog alone, printed beside Show. Then FindAll("*")
// and Close. Each time is the best of several rounds.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "blank_helpers.h"
#include "bench_support.h"
#include "export_call.h"
#include "record_set_object.h"

namespace {

using bench::Call;
using bench::Clock;
using bench::Ms;
using bench::W;

const int kRounds = 3;
const UINT kCaptionCommand = 2001;
const int kCaption = 128;

// The owner: answers each caption request with the current record's NAME.
RecordSetObject* captionRecords;
long nameField;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || wParam != kCaptionCommand)
    return DefWindowProcA(window, message, wParam, lParam);
  captionRecords->GetFieldText(nameField, reinterpret_cast<char*>(lParam), kCaption);
  return 0;
}

HWND Owner() {
  return CreateWindowExA(0, "CADDEL_BENCH_OWNER", "caddel_tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                         0, 400, 500, nullptr, nullptr, nullptr, nullptr);
}

uint16_t Value(RecordSetObject* set, long field) {
  char text[16] = {};
  set->GetFieldText(field, text, sizeof text);
  RemoveBlanks(text, sizeof text);
  return static_cast<uint16_t>(std::atol(text));
}

// The same reads, requests and inserts as Show, parents from a hash map.
double BareFill(RecordSetObject* set, long idField, long ownField, bool redrawOff) {
  HWND owner = Owner();
  RECT client;
  GetClientRect(owner, &client);
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", 0x50800027, 0, 0, client.right, client.bottom,
                              owner, nullptr, nullptr, nullptr);
  std::unordered_map<uint16_t, HTREEITEM> parents;
  std::vector<uint32_t> data(5 * (set->RecordCount() + 1));
  char* caption = new char[64 * 1024];
  auto start = Clock::now();
  if (redrawOff) SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
  long count = set->RecordCount();
  for (long i = 1; i <= count; ++i) {
    if (!set->GoToRecord(i) || set->IsDeleted()) continue;
    uint16_t own = Value(set, ownField), id = Value(set, idField);
    std::fill(caption, caption + kCaption, '\0');
    SendMessageA(owner, WM_COMMAND, kCaptionCommand, reinterpret_cast<LPARAM>(caption));
    auto parent = own ? parents.find(own) : parents.end();
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent != parents.end() ? parent->second : TVI_ROOT;
    insert.hInsertAfter = i == 1 ? TVI_FIRST : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | (own ? 0 : TVIF_CHILDREN);
    insert.item.pszText = caption;
    insert.item.iImage = 1;
    insert.item.iSelectedImage = 2;
    insert.item.cChildren = 1;
    data[5 * i] = static_cast<uint32_t>(i);
    data[5 * i + 1] = id;
    insert.item.lParam = reinterpret_cast<LPARAM>(&data[5 * i]);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    parents.emplace(id, item);
  }
  if (redrawOff) {
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
  }
  double ms = Ms(start, Clock::now());
  DestroyWindow(owner);
  delete[] caption;
  return ms;
}

// Nimbet's progress dialog as Show drives it, with no work between the
// bar moves: the cost that the dialog adds to a fill of count records.
double DialogAlone(HMODULE nimbet, long count) {
  HWND owner = Owner();
  auto start = Clock::now();
  uint32_t dialog = Call(nimbet, "PBOPEN", {W(owner), W("ЧТЕНИЕ")});
  for (long i = 1; i <= count; ++i) Call(nimbet, "PBPOSITION", {dialog, static_cast<uint32_t>(i),
                                                               static_cast<uint32_t>(count)});
  Call(nimbet, "PBCLOSE", {dialog});
  double ms = Ms(start, Clock::now());
  DestroyWindow(owner);
  return ms;
}

struct Times {
  double show = 1e30, sorted = 1e30, findAll = 1e30, close = 1e30, bare = 1e30, quiet = 1e30, dialog = 1e30;
  long found = 0;
};

double TimedShow(HMODULE caddel, RecordSetObject* set, const char* param, Times& t, bool more) {
  HWND owner = Owner();
  uint32_t tree = Call(caddel, "CADDEL_Load", {W(owner)});
  auto start = Clock::now();
  Call(caddel, "CADDEL_Show", {tree, W(set), W(param)});
  double ms = Ms(start, Clock::now());
  if (more) {
    start = Clock::now();
    t.found = static_cast<long>(Call(caddel, "CADDEL_FindAll", {tree, W("*")}));
    t.findAll = std::min(t.findAll, Ms(start, Clock::now()));
    start = Clock::now();
    Call(caddel, "CADDEL_Close", {tree});
    t.close = std::min(t.close, Ms(start, Clock::now()));
  } else {
    Call(caddel, "CADDEL_Close", {tree});
  }
  DestroyWindow(owner);
  return ms;
}

bool Measure(HMODULE praxel, HMODULE caddel, HMODULE nimbet, uint32_t base, const char* query, Times& t) {
  uint32_t handle = Call(praxel, "PRAXEL_New", {base, W("TB"), 60});
  if (!Call(praxel, "PRAXEL_Open", {handle, W(query), W("STATIC")})) {
    std::printf("TB did not open (bench/caddel_tree.sh makes it)\n");
    return false;
  }
  RecordSetObject* set = reinterpret_cast<RecordSetObject*>(handle);
  captionRecords = set;
  nameField = set->FieldIndex("NAME");
  long idField = set->FieldIndex("ID"), ownField = set->FieldIndex("OWNER");
  for (int round = 0; round < kRounds; ++round) {
    t.bare = std::min(t.bare, BareFill(set, idField, ownField, false));
    t.quiet = std::min(t.quiet, BareFill(set, idField, ownField, true));
    t.dialog = std::min(t.dialog, DialogAlone(nimbet, set->RecordCount()));
    t.show = std::min(t.show, TimedShow(caddel, set, "EVENT=2001;ID=ID;OWN=OWNER;", t, true));
    t.sorted = std::min(t.sorted, TimedShow(caddel, set, "EVENT=2001;ID=ID;OWN=OWNER;SORT;", t, false));
  }
  Call(praxel, "PRAXEL_Close", {handle});
  return true;
}

// Show's target is the fill with redrawing off (Show's own inserts run so);
// the progress dialog's time is printed beside it, and the ratio once more
// with that time taken off Show, so that what is the tree's shows.
void ShowRow(const char* what, double show, const Times& t) {
  std::printf("  %-24s %8.1f ms  %.2f x redraw off (target at most 1.5); dialog %.1f ms of it,"
              " without it %.2f x; %.2f x bare\n",
              what, show, show / t.quiet, t.dialog, (show - t.dialog) / t.quiet, show / t.bare);
}

void Print(const char* title, const Times& t) {
  std::printf("%s\n", title);
  std::printf("  bare fill                %8.1f ms\n", t.bare);
  std::printf("  bare fill, redraw off    %8.1f ms\n", t.quiet);
  std::printf("  progress dialog alone    %8.1f ms  (its pump waits for a 1 ms timer at each tenth)\n", t.dialog);
  ShowRow("Show", t.show, t);
  ShowRow("Show with SORT", t.sorted, t);
  std::printf("  FindAll(\"*\")             %8.1f ms  (%ld nodes)\n", t.findAll, t.found);
  std::printf("  Close                    %8.1f ms\n", t.close);
}

}  // namespace

int main() {
  HMODULE praxel = LoadLibraryA("PRAXEL");
  HMODULE caddel = LoadLibraryA("CADDEL");
  HMODULE nimbet = LoadLibraryA("NIMBET");
  if (!praxel || !caddel || !nimbet) {
    std::printf("Praxel.dll, Caddel.dll and Nimbet.dll must lie beside the program\n");
    return 1;
  }
  WNDCLASSA kind = {};
  kind.lpfnWndProc = OwnerProc;
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  kind.lpszClassName = "CADDEL_BENCH_OWNER";
  RegisterClassA(&kind);
  uint32_t base = Call(praxel, "PRAXEL_BaseOpen", {0, W("DSN=KTEST;"), 2});
  Times small, large;
  if (!Measure(praxel, caddel, nimbet, base, "SELECT ID, OWNER, NAME FROM TB WHERE ID < 10100 ORDER BY ID", small) ||
      !Measure(praxel, caddel, nimbet, base, "SELECT ID, OWNER, NAME FROM TB ORDER BY ID", large))
    return 1;
  Print("10,000 rows (100 roots x 99)", small);
  Print("20,000 rows (200 roots x 99)", large);
  std::printf("20,000 / 10,000: Show %.2f, Show with SORT %.2f, FindAll %.2f, Close %.2f, bare %.2f, "
              "redraw off %.2f  (target at most 2.5)\n",
              large.show / small.show, large.sorted / small.sorted, large.findAll / small.findAll,
              large.close / small.close, large.bare / small.bare, large.quiet / small.quiet);
  Call(praxel, "PRAXEL_BaseClose", {base});
  return 0;
}
