// Damaged page files by the ten thousand: each loaded into a shown view,
// painted, turned (PgDn three times, Home), listed as form text, a row
// added and deleted at the table's rows; refused or shown, never a crash
// or a hang, each within a time budget. Eight shards of 1,250 (SELVY_SHARD 0-7,
// each its own seed) run side by side; their views are shown without the
// focus, in a corner of the screen away from the tests that look at it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "buffer_records.h"
#include "form_export.h"
#include "page_file.h"
#include "view_support.h"

using namespace selvy_test;

namespace {

const int kMutants = 1250;
// Under the emulated 32-bit Wine of the test machines a mutant takes about
// 30 ms alone and under a second on a machine busy with several suites: a
// mutant taking longer than the budget is a file the view is stuck on.
const DWORD kMutantBudgetMs = 30000;

int Shard() {
  char text[8] = "";
  GetEnvironmentVariableA("SELVY_SHARD", text, sizeof text);
  return atoi(text);
}

// A small deterministic generator, so a failure can be repeated.
struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }
};

bool WriteTable(HANDLE file) { return WriteTablePages(file, 60, 25); }

// Offsets of the records of an undamaged file.
std::vector<int32_t> RecordOffsets(const Bytes& bytes) {
  std::vector<int32_t> offsets;
  int32_t length = static_cast<int32_t>(bytes.size());
  for (selvy::PageRecord r = selvy::RecordAt(bytes.data(), length, 0); !r.End();
       r = selvy::NextRecord(bytes.data(), length, r))
    offsets.push_back(r.offset);
  return offsets;
}

Bytes Mutate(const Bytes& seed, const std::vector<int32_t>& records, Random& random) {
  Bytes b = seed;
  int32_t record = records[random.Below(static_cast<uint32_t>(records.size()))];
  switch (random.Below(5)) {
    case 0:  // flipped bytes
      for (uint32_t i = 0, n = 1 + random.Below(4); i < n; ++i)
        b[random.Below(static_cast<uint32_t>(b.size()))] ^= static_cast<BYTE>(1 + random.Below(255));
      break;
    case 1:  // a cut tail
      b.resize(random.Below(static_cast<uint32_t>(b.size())));
      break;
    case 2: {  // a record's length 0, 1, 2 or 65535
      static const uint16_t kLengths[] = {0, 1, 2, 0xFFFF};
      uint16_t length = kLengths[random.Below(4)];
      memcpy(&b[record], &length, 2);
      break;
    }
    case 3:  // page numbers 0 or 255
      for (int32_t at : records)
        if (b[at + 2] == '#' && random.Below(2)) b[at + 3] = random.Below(2) ? 255 : 0;
      break;
    default:  // a record's type or a field of it
      b[record + 2 + random.Below(12) % (b.size() - record - 2)] = static_cast<BYTE>(random.Next());
      break;
  }
  return b;
}

TEST(PageViewMutation, DamagedFilesAreRefusedOrShown) {
  Selvy selvy;
  Owner owner(false, 200, 150);
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(owner.hwnd(), HWND_BOTTOM, width - 200, height - 150, 200, 150, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  std::vector<Bytes> seeds = {SampleP(), WrittenBytes(WriteTable)};
  ASSERT_FALSE(seeds[0].empty());
  ASSERT_FALSE(seeds[1].empty());
  std::vector<std::vector<int32_t>> records = {RecordOffsets(seeds[0]), RecordOffsets(seeds[1])};
  std::string name = "selvy_mutant_" + std::to_string(Shard()) + ".bin";
  std::string path = ScratchPath(name);
  Random random{20261209u + 7919u * static_cast<uint32_t>(Shard())};
  int shown = 0, refused = 0, rowsFound = 0;
  DWORD started = GetTickCount();
  for (int n = 0; n < kMutants; ++n) {
    DWORD mutantStarted = GetTickCount();
    size_t which = random.Below(2);
    Bytes mutant = Mutate(seeds[which], records[which], random);
    WriteScratch(name, mutant);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LONG view = selvy.load(owner.handle(), Handle(file));
    ASSERT_TRUE(view) << "mutant " << n;
    HWND window = ViewWindow(view);
    PageView* object = ViewObject(view);
    // Read whole (before a paint stores its grid values).
    if (!object->page) {
      ++refused;
      EXPECT_EQ(nullptr, object->buffer);
    } else {
      ++shown;
      ASSERT_EQ(mutant, Bytes(object->buffer, object->buffer + object->dataLength)) << n;
    }
    // Shown as SELVY_Show shows it, but leaving the focus where it is.
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    for (WPARAM key : {VK_NEXT, VK_NEXT, VK_NEXT, VK_HOME}) Key(view, key);
    std::string text;
    if (object->page) {
      EXPECT_TRUE(selvy::ExportFormText(object->buffer, object->dataLength, &text)) << n;
    }
    // A row added and deleted at the middle of the rows of the page's
    // first grid as last painted (page 1 after Home), else anywhere.
    selvy::PageRecord grid = selvy::RecordAt(object->buffer, object->dataLength, 0);
    while (!grid.End() && grid.type != selvy::kGridRecord) grid = selvy::NextRecord(object->buffer, object->dataLength, grid);
    int32_t y = static_cast<int32_t>(random.Below(300));
    if (!grid.End()) {
      const BYTE* values = object->buffer + grid.offset + selvy::field::kGridValues;
      int32_t heads = selvy::Int32At(values, 0), rows = selvy::Int32At(values, 4);
      if (heads < rows && rows - heads < 100000) {
        y = heads + (rows - heads) / 2;
        ++rowsFound;
      }
    }
    object->clickY = y;
    SendMessageA(window, WM_COMMAND, 40115, 0);
    UpdateWindow(window);
    SendMessageA(window, WM_COMMAND, 40114, 0);
    UpdateWindow(window);
    if (object->buffer) {
      ASSERT_LE(static_cast<SIZE_T>(object->dataLength), HeapSize(GetProcessHeap(), 0, object->buffer)) << n;
      EXPECT_TRUE(selvy::ExportFormText(object->buffer, object->dataLength, &text)) << n;
    }
    selvy.unload(view);
    ASSERT_FALSE(IsWindow(window));
    // Answer what other programs send meanwhile (a DDE client's initiate
    // goes to every top-level window and waits for each thread's answer).
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    ASSERT_LT(GetTickCount() - mutantStarted, kMutantBudgetMs) << "over the time budget at mutant " << n;
  }
  DeleteFileA(path.c_str());
  // Both kinds met, and tables edited among them.
  EXPECT_GT(shown, kMutants / 4);
  EXPECT_GT(refused, 0);
  EXPECT_GT(rowsFound, kMutants / 10);
  printf("%d shown, %d refused, %d with rows, %lu ms\n", shown, refused, rowsFound, GetTickCount() - started);
}

}  // namespace
