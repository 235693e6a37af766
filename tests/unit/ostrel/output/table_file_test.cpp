// WriteTableFile and PrintTable over Praxel record sets on KTEST, on the
// printer "PDF": the records of the page file, the title, footers, empty
// tables, the 255-page limit, damaged copies of the files, and printed
// pages read back from the PDF.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "grid_harness.h"
#include "grusk.h"
#include "grusk_support.h"
#include "gui_driver.h"
#include "hestel.h"
#include "library_call.h"
#include "output_support.h"
#include "page_breaks.h"
#include "page_file_mutants.h"
#include "table_output.h"
#include "variable.h"
#include "wennic.h"

namespace {

using grid_test::GridHarness;
using grid_test::Records;
using output_test::Record;
using output_test::ReadRecords;
using output_test::Types;

class TableFile : public ::testing::Test {
 protected:
  void SetUp() override {
    output_test::MakeTables();
    ASSERT_TRUE(SELPRINTER(nullptr)) << "the default printer PDF";
  }

  // The page file of the table's records with the title; its records.
  std::vector<Record> Write(RecordSetObject* records, const char* titles, const char* title,
                            PageBytes* bytes = nullptr) {
    GridHarness grid(400, 300);
    EXPECT_TRUE(grid.Show(records, titles));
    output_test::BoxAnswerer watcher;
    HANDLE file = WriteTableFile(grid.object(), title);
    EXPECT_NE(file, nullptr);
    for (const std::string& box : watcher.Texts()) ADD_FAILURE() << box;
    if (!file) return {};
    PageBytes read = output_test::ReadPageFile(file);
    EXPECT_EQ(HESTEL_CLOSE(file), 1);
    if (bytes) *bytes = read;
    return ReadRecords(read);
  }
};

std::vector<const Record*> OfType(const std::vector<Record>& records, char type) {
  std::vector<const Record*> out;
  for (const Record& r : records)
    if (r.type == type) out.push_back(&r);
  return out;
}

TEST_F(TableFile, ThreeRowsWithATwoLineTitle) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  PageBytes bytes;
  const std::vector<Record> r = Write(rs.get(), "A|B", "T1\\nT2", &bytes);
  ASSERT_EQ(Types(r), "#FBTHHLLLLLLGE");
  EXPECT_EQ(r[0].column, 1);
  EXPECT_EQ(r[0].width, 2479);
  EXPECT_EQ(r[0].height, 3508);
  EXPECT_GT(r[0].lineHeight, 0);
  EXPECT_EQ(r[1].text, PRNGETFONT()->face);
  EXPECT_EQ(r[2].column, 0) << "title box without sides";
  // 'T' is ten bytes: 0A 00 'T' 'C' "T1" LF "T2" NUL.
  const unsigned char title[] = {0x0A, 0x00, 0x54, 0x43, 0x54, 0x31, 0x0A, 0x54, 0x32, 0x00};
  EXPECT_EQ(PageBytes(bytes.begin() + 20 + r[1].text.size() + 7 + 20, bytes.begin() + 20 + r[1].text.size() + 7 + 30),
            PageBytes(title, title + 10));
  EXPECT_EQ(r[4].text, "A");
  EXPECT_EQ(r[5].text, "B");
  EXPECT_EQ(r[5].box.left, r[4].box.right + 2) << "the column gap";
  EXPECT_GE(r[4].box.top, r[2].box.bottom) << "heads under the title";
  const char* texts[] = {"1", "a", "2", "bb", "3", "ccc"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(r[6 + i].column, i % 2);
    EXPECT_EQ(r[6 + i].flags, i % 2 ? 0u : static_cast<unsigned>(DT_RIGHT));
    EXPECT_EQ(r[6 + i].text, texts[i]);
    EXPECT_EQ(r[6 + i].box.top, r[4].box.bottom + (i / 2) * (r[6].box.bottom - r[6].box.top));
  }
  ASSERT_TRUE(output_test::SaveBytes(output_test::OutputDir() + "n3.pgf", bytes));

  // Damaged copies of this very file.
  EXPECT_GT(WalkBoundaryCases(bytes), 50);
  EXPECT_GT(WalkMutants(bytes, 35, 3000), 300);
}

TEST_F(TableFile, FooterEmptyTableAndNoTitle) {
  Records rs("SELECT A, B FROM PF_N3 ORDER BY A", 50);
  ASSERT_TRUE(rs.open());
  LibraryCall praxel("PRAXEL");
  VARIABLE footer;
  footer = "Итог";
  ASSERT_TRUE(praxel("PRAXEL_Footer", {rs.handle(), Word("B"), Word(&footer)}));
  std::vector<Record> r = Write(rs.get(), "A|B", "T");
  ASSERT_EQ(Types(r), "#FBTHHLLLLLLRRGE");
  EXPECT_EQ(r[12].column, 0);
  EXPECT_EQ(r[12].text, "");
  EXPECT_EQ(r[12].flags, 0u);
  EXPECT_EQ(r[13].column, 1);
  EXPECT_EQ(r[13].text, "Итог");
  EXPECT_EQ(r[12].box.top, r[11].box.bottom) << "the footer under the last row";

  Records none("SELECT A, B FROM PF_N3 WHERE A > 99", 50);
  ASSERT_TRUE(none.open());
  EXPECT_EQ(Types(Write(none.get(), "A|B", "T1\\nT2")), "#FBTGE");
  EXPECT_EQ(Types(Write(none.get(), "A|B", "")), "#FGE");
  EXPECT_EQ(Types(Write(rs.get(), "A|B", nullptr)).substr(0, 3), "#FH");
}

// The page breaks of a 200-row file follow the page arithmetic for the
// metrics its records show; printed, the PDF has as many pages.
TEST_F(TableFile, PagesFollowThePlanOnFileAndPrinter) {
  Records rs("SELECT ID, NAME FROM PF_N200 ORDER BY ID", 100);
  ASSERT_TRUE(rs.open());
  const std::vector<Record> r = Write(rs.get(), "ID|NAME", "Pages\\nof 200");
  const auto pages = OfType(r, '#');
  const auto heads = OfType(r, 'H');
  ASSERT_GE(pages.size(), 3u);
  ASSERT_EQ(heads.size(), 2 * pages.size());
  const Record* firstCell = OfType(r, 'L')[0];
  const int rowHeight = firstCell->box.bottom - firstCell->box.top;
  const int headHeight = heads[0]->box.bottom - heads[0]->box.top;
  const int marginTop = heads[2]->box.top;           // page 2's heads
  const int titleBottom = heads[0]->box.top - marginTop;
  const int d = pages[0]->height - marginTop - headHeight;
  const PagePlan plan = PlanPages(200, rowHeight, d, titleBottom, 0, 0);
  ASSERT_EQ(static_cast<int>(pages.size()), plan.pages);
  std::vector<long> rows(pages.size(), 0);
  int page = -1;
  long next = 1;
  for (const Record& x : r) {
    if (x.type == '#') {
      ++page;
      EXPECT_EQ(x.column, page + 1);
    }
    if (x.type == 'L' && x.column == 1) {
      EXPECT_EQ(x.text, "P" + std::to_string(next)) << "every row once, in order";
      ++next;
      ++rows[page];
    }
  }
  long first = 1;
  for (int p = 0; p < plan.pages; ++p) {
    EXPECT_EQ(rows[p], RowsOnPage(plan, p + 1, first)) << "page " << p + 1;
    first += rows[p];
  }
  EXPECT_EQ(Types(r).substr(Types(r).size() - 3), "LGE");

  // The same table on the printer.
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "ID|NAME"));
  grid.OnGui([&] { SetWindowTextA(grid.owner(), "ostrel_print_200"); });
  grusk_test::PdfWatch watch;
  output_test::BoxAnswerer watcher;
  ASSERT_TRUE(PrintTable(grid.object(), "Pages\\nof 200"));
  for (const std::string& box : watcher.Texts()) ADD_FAILURE() << box;
  const std::string pdf = watch.Find("ostrel_print_200", 90);
  ASSERT_FALSE(pdf.empty()) << "no PDF came";
  const std::string info = grusk_test::RunUnix("pdfinfo '" + pdf + "' | sed -n 's/^Pages: *//p'", 20000);
  EXPECT_EQ(std::atoi(info.c_str()), plan.pages);
}

TEST_F(TableFile, N25PrintedOnOnePage) {
  GridHarness grid(400, 300);
  Records rs("SELECT ID, NAME FROM N25 ORDER BY ID", 50);
  ASSERT_TRUE(rs.open());
  ASSERT_TRUE(grid.Show(rs.get(), "ID|NAME"));
  grid.OnGui([&] { SetWindowTextA(grid.owner(), "ostrel_print_25"); });
  grusk_test::PdfWatch watch;
  output_test::BoxAnswerer watcher;
  ASSERT_TRUE(PrintTable(grid.object(), "LIST N25"));
  for (const std::string& box : watcher.Texts()) ADD_FAILURE() << box;
  const std::string pdf = watch.Find("ostrel_print_25", 90);
  ASSERT_FALSE(pdf.empty()) << "no PDF came";
  // Kept for the native read-back (print_check.py).
  int code = -1;
  grusk_test::RunUnix("cp '" + pdf + "' '" KORVEX_OUTPUT_UNIX_DIR "/print_25.pdf'", 20000, &code);
  EXPECT_EQ(code, 0);
}

TEST_F(TableFile, MoreThan255PagesIsRefusedBeforeAnyRow) {
  Records rs("SELECT ID, NAME FROM PF_BIG ORDER BY ID", 200);
  ASSERT_TRUE(rs.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(rs.get(), "ID|NAME"));
  output_test::BoxAnswerer watcher;
  EXPECT_EQ(WriteTableFile(grid.object(), "BIG"), nullptr);
  ASSERT_TRUE(gui::WaitFor([&] { return !watcher.Texts().empty(); }, 5000));
  EXPECT_EQ(watcher.Texts(), std::vector<std::string>{output_test::MessageText(111)});
}

}  // namespace
