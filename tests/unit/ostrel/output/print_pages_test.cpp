// TablePrintContext::PrintPages on a context laid out by hand, as the form
// library lays one out: pages into a page file with room kept above and
// below, a page too small for a row, more than 255 pages, a failed write,
// and where the top margin points afterwards.
#include <gtest/gtest.h>

#include "grid_harness.h"
#include "output_support.h"
#include "print_layout.h"

namespace {

using grid_test::Records;
using output_test::ReadRecords;
using output_test::Types;

class PrintPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    output_test::MakeTables();
    grid_test::MakeTables();  // OSTREL_WIDE
    c.dc = CreateCompatibleDC(nullptr);
    c.font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
    c.marginLeft = 10;
    c.marginTop = 20;
  }
  void TearDown() override {
    c.pageFile = nullptr;
    DeleteObject(c.font);
    DeleteDC(c.dc);
  }
  // A page file begun as its writers begin one: '#' page 1 and 'F'.
  void BeginFile() {
    c.pageFile = file.handle();
    ASSERT_TRUE(WritePageHeader(file.handle(), 1, c.dc, c.font));
    ASSERT_TRUE(WritePageFont(file.handle(), "Arial", 12, 0));
  }
  void LayOut(RecordSetObject* records, const char* titles) {
    ASSERT_TRUE(c.SetTitle(titles, static_cast<int>(records->FieldCount())));
    LayoutPrintTable(&c, records);
    ASSERT_EQ(c.columnCount, 2);
  }

  TablePrintContext c;
  ScratchPageFile file;
};

TEST_F(PrintPagesTest, RoomAboveAndBelowAndTheMarginAfter) {
  Records rs("SELECT ID, NAME FROM PF_N200 ORDER BY ID", 100);
  ASSERT_TRUE(rs.open());
  LayOut(rs.get(), "ID|NAME");
  BeginFile();
  c.height = 20 + c.titleHeight + 30 * c.RowHeight();  // d holds 30 rows
  const int above = 5 * c.RowHeight();
  const int below = 8 * c.RowHeight();
  ASSERT_EQ(c.PrintPages(rs.get(), above, below), 0);
  const auto records = ReadRecords(file.Contents());
  std::vector<int> rows;
  int lastBottom = 0;
  for (const auto& r : records) {
    if (r.type == 'H' && r.column == 0) rows.push_back(0);
    if (r.type == 'L' && r.column == 0) {
      ++rows.back();
      lastBottom = r.box.bottom;
    }
  }
  // First page 30 - 5 rows, middle pages 30 (one left for the last), the
  // last at most 30 - 8.
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows.front(), 25);
  EXPECT_LE(rows.back(), 22);
  int total = 0;
  for (int n : rows) total += n;
  EXPECT_EQ(total, 200);
  EXPECT_EQ(records[2].box.top, 20 + above) << "the first heads under the room above";
  EXPECT_EQ(c.marginTop, lastBottom) << "the top margin points under the last row";
}

TEST_F(PrintPagesTest, APageLowerThanARowPrintsOneRowAPage) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  LayOut(rs.get(), "A|B");
  BeginFile();
  c.height = c.lineHeight;  // lower than the heads and a row
  ASSERT_EQ(c.PrintPages(rs.get(), 0, 0), 0);
  const auto records = ReadRecords(file.Contents());
  ASSERT_EQ(Types(records), "#FHHLLG#FHHLLG#FHHLL");
  EXPECT_EQ(records[7].column, 2);
  EXPECT_EQ(records[14].column, 3);
}

TEST_F(PrintPagesTest, MorePagesThanAPageFileHoldsAreRefusedBeforeAnything) {
  Records rs("SELECT ID, NAME FROM PF_BIG ORDER BY ID", 200);
  ASSERT_TRUE(rs.open());
  LayOut(rs.get(), "ID|NAME");
  BeginFile();
  const size_t begun = file.Contents().size();
  EXPECT_EQ(c.PrintPages(rs.get(), 0, 0), 111);
  EXPECT_EQ(file.Contents().size(), begun) << "nothing written";
}

TEST_F(PrintPagesTest, AFailedWriteIsReported) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  LayOut(rs.get(), "A|B");
  HANDLE reader = CreateFileA(file.name().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  c.pageFile = reader;
  EXPECT_EQ(c.PrintPages(rs.get(), 0, 0), 29);
  CloseHandle(reader);

  // The title too reports it.
  c.pageFile = reader = CreateFileA(file.name().c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
  EXPECT_EQ(PrintTableTitle(&c, "T"), -1);
  EXPECT_EQ(PrintTableTitle(&c, ""), 0);
  CloseHandle(reader);
}

TEST_F(PrintPagesTest, AtMost32ColumnsAndTheLastTakesWhatIsLeft) {
  Records rs("SELECT * FROM OSTREL_WIDE", 10);
  ASSERT_TRUE(rs.open());
  std::string titles;
  for (int i = 1; i <= 300; ++i) titles += (i > 1 ? "|" : "") + std::string("c");
  ASSERT_TRUE(c.SetTitle(titles.c_str(), 300));
  c.marginRight = 0;
  LayoutPrintTable(&c, rs.get());
  ASSERT_GE(c.columnCount, 1);
  EXPECT_LE(c.columnCount, 32);
  const TableColumn& last = c.columns[c.columnCount - 1];
  EXPECT_LE(last.x + last.width, c.width);
  for (int i = 1; i < c.columnCount; ++i)
    EXPECT_EQ(c.columns[i].x, c.columns[i - 1].x + c.columns[i - 1].width + 2) << i;
}

}  // namespace
