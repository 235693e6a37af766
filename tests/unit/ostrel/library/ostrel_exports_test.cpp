// Ostrel.dll's exports called as the binder calls them, in this process:
// handles that are no table, null texts, events, styles, the show with its
// stored settings, moves and fonts, over real record sets (KTEST).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_driver.h"
#include "record_set_table.h"
#include "record_sets.h"
#include "table_host.h"

using ostrel_test::Ostrel;
using ostrel_test::TableHost;
using ostrel_test::TestRecordSet;

namespace {

RecordSetTable* Record(uint32_t table) {
  return reinterpret_cast<RecordSetTable*>(
      GetWindowLongPtrA(reinterpret_cast<HWND>(static_cast<uintptr_t>(table)), 0));
}

HWND Handle(uint32_t table) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(table)); }

void MakeN25() {
  std::string insert = "INSERT INTO N25 VALUES";
  for (int i = 1; i <= 25; ++i) {
    char row[32];
    wsprintfA(row, "%s(%d, 'R%02d')", i > 1 ? "," : "", i, i);
    insert += row;
  }
  ostrel_test::MakeTable("N25", {"CREATE TABLE N25(ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
                                 insert.c_str()});
}

void MakeG3() {
  ostrel_test::MakeTable("G3", {"CREATE TABLE G3(A VARCHAR(5), B VARCHAR(5), C VARCHAR(5))",
                                "INSERT INTO G3 VALUES('a1', 'b2', 'c3')",
                                "INSERT INTO G3 VALUES('a2', 'b1', 'c1')"});
}

// Every export with a handle that is no table: nothing done, 0.
void ExpectRefused(uint32_t handle, uint32_t records) {
  const auto& ostrel = Ostrel();
  SCOPED_TRACE(handle);
  EXPECT_EQ(0u, ostrel("OSTREL_Show", {handle, records, Word("A|B"), Word("")}));
  EXPECT_EQ(0u, ostrel("OSTREL_Event", {handle, Word("MOVE"), 1}));
  EXPECT_EQ(handle, ostrel("OSTREL_hWnd", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_Selected", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_Column", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_LineUp", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_LineDown", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_LineGoto", {handle, 2}));
  EXPECT_EQ(0u, ostrel("OSTREL_Seek", {handle, Word("R")}));
  ostrel("OSTREL_Redisplay", {handle, 2});
  EXPECT_EQ(0u, ostrel("OSTREL_Tune", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_TuneRead", {handle}));
  EXPECT_EQ(0u, ostrel("OSTREL_Export", {handle, 3000}));
  EXPECT_EQ(0u, ostrel("OSTREL_Print", {handle, Word("T")}));
  EXPECT_EQ(0u, ostrel("OSTREL_ToFile", {handle, Word("T")}));
  EXPECT_EQ(0u, ostrel("OSTREL_Font", {handle, Word("Arial"), 10}));
  EXPECT_EQ(0u, ostrel("OSTREL_Style", {handle, Word("GRID"), 1}));
  ostrel("OSTREL_Unload", {handle});
}

TEST(OstrelExports, HandlesThatAreNoLiveTableDoNothing) {
  MakeN25();
  TestRecordSet records("SELECT ID, NAME FROM N25 ORDER BY ID");
  ASSERT_TRUE(records.opened());
  TableHost host;
  gui::BoxWatcher watcher;
  HWND other = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, host.window(), nullptr, nullptr, nullptr);
  ExpectRefused(0, records.handle());
  ExpectRefused(host.word(), records.handle());
  ExpectRefused(Word(other), records.handle());
  EXPECT_TRUE(IsWindow(other));  // Unload destroyed no other window
  EXPECT_TRUE(IsWindow(host.window()));

  uint32_t table = host.Load("GONE");
  ASSERT_NE(0u, table);
  EXPECT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("A|B"), Word("UNTUNE")}));
  Ostrel()("OSTREL_Unload", {table});
  EXPECT_FALSE(IsWindow(Handle(table)));
  ExpectRefused(table, records.handle());
  EXPECT_TRUE(watcher.Boxes().empty());  // no box, no dialog, no printer choice
}

TEST(OstrelExports, StyleKeywordsAreCaseSensitiveAndNullTextsChangeNothing) {
  TableHost host;
  uint32_t table = host.Load("GRIDT");
  ASSERT_NE(0u, table);
  const auto& ostrel = Ostrel();
  EXPECT_EQ(1040u, ostrel("OSTREL_Style", {table, Word("FOOTER3 LINE2 GRID"), 1}));
  EXPECT_EQ(3, Record(table)->context.footerLines);
  EXPECT_EQ(2, Record(table)->context.linesPerRow);
  EXPECT_EQ(1040u, ostrel("OSTREL_Style", {table, Word("grid"), 1}));
  EXPECT_EQ(16u, ostrel("OSTREL_Style", {table, Word("GRID"), 0}));
  EXPECT_EQ(784u, ostrel("OSTREL_Style", {table, Word("SORT UNTUNE"), 1}));
  EXPECT_EQ(784u, ostrel("OSTREL_Style", {table, 0, 0}));  // null: unchanged

  EXPECT_EQ(kGridEventBase, ostrel("OSTREL_Event", {table, 0, 1}));  // null word
  EXPECT_EQ(0u, ostrel("OSTREL_Seek", {table, 0}));
  EXPECT_EQ(0u, ostrel("OSTREL_Font", {table, 0, 10}));
  EXPECT_EQ(0u, ostrel("OSTREL_Show", {table, 0, Word("A"), 0}));
  EXPECT_FALSE(IsWindowVisible(Handle(table)));
  ostrel("OSTREL_Unload", {table});
}

TEST(OstrelExports, EventsTakeOffOnOrAMenuCommandAndOtherCodesShowMessage143) {
  TableHost host;
  uint32_t table = host.Load("GRIDT");
  ASSERT_NE(0u, table);
  const auto& ostrel = Ostrel();
  gui::BoxWatcher watcher;
  EXPECT_EQ(2008u, ostrel("OSTREL_Event", {table, Word("move"), 1}));
  EXPECT_EQ(1u, Record(table)->events[kEventMove - 1]);
  EXPECT_EQ(0u, ostrel("OSTREL_Event", {table, Word("EDIT"), 2}));
  EXPECT_EQ(0u, ostrel("OSTREL_Event", {table, Word("Edit"), 40000}));
  EXPECT_EQ(0u, ostrel("OSTREL_Event", {table, Word("EDIT"), 41000}));
  EXPECT_EQ(2000u, ostrel("OSTREL_Event", {table, Word("FOO"), 1}));
  EXPECT_EQ(2001u, ostrel("OSTREL_Event", {table, Word("EDIT"), 40001}));
  EXPECT_EQ(40001u, Record(table)->events[kEventEdit - 1]);
  EXPECT_EQ(2009u, ostrel("OSTREL_Event", {table, Word("TITLE"), 0}));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(3u, boxes.size());
  for (const auto& box : boxes) {
    EXPECT_EQ("ОШИБКА", box.caption);
    EXPECT_EQ("Не верный код события", box.text);
  }
  ostrel("OSTREL_Unload", {table});
}

TEST(OstrelExports, ShowAttachesTheRecordSetAndTheMovesFollowIt) {
  MakeN25();
  TestRecordSet records("SELECT ID, NAME FROM N25 ORDER BY ID");
  TestRecordSet empty("SELECT ID, NAME FROM N25 WHERE ID > 100");
  ASSERT_TRUE(records.opened());
  ASSERT_TRUE(empty.opened());
  TableHost host;
  uint32_t table = host.Load("GRIDT");
  ASSERT_NE(0u, table);
  const auto& ostrel = Ostrel();
  EXPECT_FALSE(IsWindowVisible(Handle(table)));
  RECT area, covered;
  GetClientRect(host.window(), &area);
  GetWindowRect(Handle(table), &covered);
  EXPECT_EQ(area.right, covered.right - covered.left);
  EXPECT_EQ(area.bottom, covered.bottom - covered.top);
  EXPECT_EQ(0u, ostrel("OSTREL_Show", {table, records.handle(), 0, Word("UNTUNE")}));
  EXPECT_FALSE(IsWindowVisible(Handle(table)));
  EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, records.handle(), Word("Номер|Имя"), Word("UNTUNE")}));
  EXPECT_TRUE(IsWindowVisible(Handle(table)));
  EXPECT_EQ(Handle(table), GetFocus());
  EXPECT_EQ(1u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(1u, ostrel("OSTREL_Column", {table}));
  EXPECT_EQ(1u, ostrel("OSTREL_LineGoto", {table, 5}));
  EXPECT_EQ(0u, ostrel("OSTREL_LineGoto", {table, 26}));
  EXPECT_EQ(1u, ostrel("OSTREL_LineDown", {table}));
  EXPECT_EQ(6u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(1u, ostrel("OSTREL_LineUp", {table}));
  EXPECT_EQ(1u, ostrel("OSTREL_LineUp", {table}));
  EXPECT_EQ(4u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(1u, ostrel("OSTREL_Seek", {table, Word("12")}));
  EXPECT_EQ(12u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(0u, ostrel("OSTREL_Seek", {table, Word("99")}));
  EXPECT_TRUE(host.Notices().empty()) << "no event is on";

  // MOVE on: go-to reports the record, a line move does not.
  EXPECT_EQ(2008u, ostrel("OSTREL_Event", {table, Word("MOVE"), 1}));
  ostrel("OSTREL_LineGoto", {table, 20});
  ostrel("OSTREL_LineDown", {table});
  ASSERT_EQ(1u, host.Notices().size());
  EXPECT_EQ(2008u, host.Notices()[0].first);
  EXPECT_EQ(20, host.Notices()[0].second);

  // Redisplay 3: the first record on the top line.
  ostrel("OSTREL_Redisplay", {table, 3});
  EXPECT_EQ(1u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(0, Record(table)->selectionRow);

  // An empty record set: nothing is selected though a number is held.
  EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, empty.handle(), Word("Номер|Имя"), Word("")}));
  EXPECT_EQ(0u, ostrel("OSTREL_Selected", {table}));
  EXPECT_EQ(0u, ostrel("OSTREL_Column", {table}));
  EXPECT_EQ(0u, ostrel("OSTREL_LineDown", {table}));
  ostrel("OSTREL_Unload", {table});
}

TEST(OstrelExports, ShowReadsTheStoredModesAndTheSortOnlyWithSort) {
  MakeG3();
  ostrel_test::ClearIniSection("GRIDT4");
  ostrel_test::SetIniValue("GRIDT4", "TableTune", "HF");
  ostrel_test::SetIniValue("GRIDT4", "TableSort", "B");
  const char* query = "SELECT A, B, C FROM G3 ORDER BY A";
  const auto& ostrel = Ostrel();
  TableHost host;
  {
    TestRecordSet records(query);
    ASSERT_TRUE(records.opened());
    uint32_t table = host.Load("GRIDT4");
    EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("")}));
    EXPECT_EQ(1, records.object()->FieldOption(1, 10));
    EXPECT_EQ(1, records.object()->FieldOption(2, 11));
    EXPECT_EQ(1, records.object()->FieldOption(3, 13));
    EXPECT_EQ("A", records.Sort());
    ostrel("OSTREL_Unload", {table});
  }
  {
    TestRecordSet records(query);
    uint32_t table = host.Load("GRIDT4");
    EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("SORT")}));
    EXPECT_EQ("B", records.Sort());
    EXPECT_EQ("HFN", records.Modes());
    // Read again: nothing differs any more.
    EXPECT_EQ(0u, ostrel("OSTREL_TuneRead", {table}));
    ostrel_test::SetIniValue("GRIDT4", "TableTune", "NNH");
    EXPECT_EQ(1u, ostrel("OSTREL_TuneRead", {table}));
    EXPECT_EQ("NNH", records.Modes());
    ostrel("OSTREL_Unload", {table});
  }
  {
    TestRecordSet records(query);
    uint32_t table = host.Load("GRIDT4");
    EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("UNTUNE SORT")}));
    EXPECT_EQ("NNN", records.Modes());
    EXPECT_EQ("A", records.Sort());
    ostrel("OSTREL_Unload", {table});
  }
  // Without a name, or with one no atom holds, nothing is read.
  for (std::string name : {std::string(), std::string(300, 'G')}) {
    ostrel_test::SetIniValue(std::string(name, 0, 31).c_str(), "TableTune", "HH");
    TestRecordSet records(query);
    uint32_t table = name.empty() ? Ostrel()("OSTREL_Load", {host.word(), 0}) : host.Load(name.c_str());
    ASSERT_NE(0u, table);
    EXPECT_EQ(0, Record(table)->name);
    EXPECT_EQ(1u, ostrel("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("")}));
    EXPECT_EQ("NNN", records.Modes());
    ostrel("OSTREL_Unload", {table});
    ostrel_test::ClearIniSection(std::string(name, 0, 31).c_str());
  }
  ostrel_test::ClearIniSection("GRIDT4");
}

TEST(OstrelExports, FontsKeepAtMost31CharactersOfTheFace) {
  TableHost host;
  uint32_t table = host.Load("GRIDT");
  const auto& ostrel = Ostrel();
  std::string face(40, 'Q');
  HFONT font = reinterpret_cast<HFONT>(
      static_cast<uintptr_t>(ostrel("OSTREL_Font", {table, Word(face.c_str()), 12})));
  ASSERT_TRUE(font);
  LOGFONTA described = {};
  ASSERT_TRUE(GetObjectA(font, sizeof described, &described));
  EXPECT_EQ(std::string(31, 'Q'), described.lfFaceName);
  HDC dc = GetDC(Handle(table));
  EXPECT_EQ(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), described.lfHeight);
  ReleaseDC(Handle(table), dc);
  EXPECT_EQ(font, Record(table)->context.font);
  ostrel("OSTREL_Unload", {table});
}

TEST(OstrelExports, LoadOverNoWindowShowsMessage101) {
  gui::BoxWatcher watcher;
  EXPECT_EQ(0u, Ostrel()("OSTREL_Load", {0x7FFF0, Word("X")}));
  EXPECT_EQ(0u, Ostrel()("OSTREL_Load", {0, Word("X")}));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ("ошибка создания окна", boxes[0].text);
  EXPECT_EQ("ошибка создания окна", boxes[1].text);
}

}  // namespace

namespace {

// Printing asks for the printer first: cancelled, nothing is printed or
// written and the result is 0.
TEST(OstrelExports, PrintAndPageFileStopWhenThePrinterChoiceIsCancelled) {
  MakeN25();
  TestRecordSet records("SELECT ID, NAME FROM N25 ORDER BY ID");
  TableHost host;
  uint32_t table = host.Load("GRIDT");
  ASSERT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("ID|NAME"), Word("UNTUNE")}));
  gui::BoxWatcher watcher({IDCANCEL});
  EXPECT_EQ(0u, Ostrel()("OSTREL_Print", {table, Word("N25")}));
  EXPECT_EQ(0u, Ostrel()("OSTREL_ToFile", {table, Word("N25")}));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(2u, boxes.size());
  for (const auto& box : boxes) EXPECT_EQ(IDCANCEL, box.answer);
  Ostrel()("OSTREL_Unload", {table});
}

}  // namespace
