// The form library's page files in the view: a form printed once per
// record into a page file (FILE|TABLE) over the 20 records of the report
// tests' table, its handle handed to SELVY_Load as a script would.
#include <gtest/gtest.h>
#include <windows.h>

#include "report_fixture.h"
#include "report_support.h"
#include "view_support.h"

using namespace report_test;

namespace {

using PagePipeline = ReportFixture;

TEST_F(PagePipeline, TwentyRecordsOfAFormGiveThreePages) {
  BoxAnswers boxes;
  uint32_t form = MakeForm(window_, 2);
  ASSERT_NE(0u, form);
  ASSERT_EQ(1u, Dorvin()("DORVIN_RsAdd", {form, Word(People())}));
  uint32_t file = Dorvin()("DORVIN_Type", {form, Word("selvy_pipeline"), Word("FILE|TABLE|DEFAULT")});
  ASSERT_NE(0u, file);
  // Handed over at its end.
  EXPECT_NE(0u, SetFilePointer(reinterpret_cast<HANDLE>(file), 0, nullptr, FILE_CURRENT));

  selvy_test::Selvy selvy;
  LONG view = selvy.load(static_cast<LONG>(reinterpret_cast<intptr_t>(window_)), static_cast<LONG>(file));
  ASSERT_TRUE(view);
  EXPECT_EQ(3, selvy.pageCount(view));
  EXPECT_EQ(1, selvy.pageNumber(view));
  selvy_test::Key(view, VK_NEXT);
  selvy_test::Key(view, VK_NEXT);
  EXPECT_EQ(3, selvy.pageNumber(view));
  selvy.unload(view);
  Dorvin()("DORVIN_Close", {form});
  EXPECT_TRUE(boxes.Seen().empty());
}

}  // namespace
