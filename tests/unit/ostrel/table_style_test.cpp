// The style keywords and the titles block, without a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "grid_window.h"
#include "gui_driver.h"

namespace {

TEST(TableStyle, KeywordsAreCaseSensitiveSubstringsWithTheirDigits) {
  RecordSetTable t;
  EXPECT_EQ(kStyleFooter | kStyleGrid, ParseTableStyle(&t, "xFOOTER3,LINE2 GRID", TRUE));
  EXPECT_EQ(3, t.context.footerLines);
  EXPECT_EQ(2, t.context.linesPerRow);
  ParseTableStyle(&t, "FOOTER", TRUE);
  EXPECT_EQ(1, t.context.footerLines);
  ParseTableStyle(&t, "FOOTER9", TRUE);
  EXPECT_EQ(1, t.context.footerLines);
  ParseTableStyle(&t, "FOOTER8", TRUE);
  EXPECT_EQ(kStyleGrid, ParseTableStyle(&t, "FOOTER", FALSE));
  EXPECT_EQ(8, t.context.footerLines) << "clearing FOOTER keeps the line count";
  ParseTableStyle(&t, "LINE5", FALSE);
  EXPECT_EQ(1, t.context.linesPerRow);
  EXPECT_EQ(kStyleGrid, ParseTableStyle(&t, "grid find Scroll", TRUE));
  EXPECT_EQ(kStyleGrid, ParseTableStyle(&t, "", FALSE));
  EXPECT_EQ(kStyleGrid, ParseTableStyle(&t, nullptr, FALSE));
  EXPECT_EQ(0x7FCu, ParseTableStyle(&t, "LEFT SCROLL NOTITLE GOTO FIND UNTUNE FOOTER LINE SORT GRID", TRUE));
  EXPECT_EQ(0u, ParseTableStyle(&t, "LEFTSCROLLNOTITLEGOTOFINDUNTUNEFOOTERLINESORTGRID", FALSE));
}

std::string Block(TablePrintContext& c) {
  const char* p = c.LockTitles();
  std::string text = p ? p : "<none>";
  c.UnlockTitles();
  return text;
}

TEST(TableTitles, LineBreaksPaddingAndTooManyTitles) {
  TablePrintContext c;
  ASSERT_TRUE(c.SetTitle("Код\\nстраны|Имя|C:\\x", 5));
  EXPECT_EQ("Код\nстраны|Имя|C:\\x||", Block(c));
  const char* title;
  const char* block = c.LockTitles();
  EXPECT_EQ(10, TablePrintContext::TitleSpan(block, 1, &title));
  EXPECT_EQ(4, TablePrintContext::TitleSpan(block, 3, &title));
  EXPECT_EQ("C:\\x", std::string(title, 4));
  EXPECT_EQ(0, TablePrintContext::TitleSpan(block, 5, &title));
  EXPECT_EQ(0, TablePrintContext::TitleSpan(block, 6, &title));
  c.UnlockTitles();
  ASSERT_TRUE(c.SetTitle("", 2));
  EXPECT_EQ("|", Block(c));

  gui::BoxWatcher watcher;
  EXPECT_FALSE(c.SetTitle("A|B|C", 2));
  EXPECT_EQ(nullptr, c.titles);
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("не верное количество параметров", boxes[0].text);
}

TEST(GridSettings, SettersAnswerTheOldValue) {
  EXPECT_EQ(1, SetGridMarkerWidth(3));
  EXPECT_EQ(3, SetGridMarkerWidth(0));
  EXPECT_EQ(3, GridMarkerWidth()) << "widths below 1 are ignored";
  EXPECT_EQ(3, SetGridMarkerWidth(1));
  EXPECT_EQ(RGB(255, 0, 0), SetGridMarkerColor(RGB(0, 0, 255)));
  EXPECT_EQ(RGB(0, 0, 255), SetGridMarkerColor(RGB(255, 0, 0)));
  EXPECT_EQ(2, GridColumnGap());
}

TEST(GridEvents, CodesOffOnAndMenuCommandsOnly) {
  RecordSetTable t;
  EXPECT_TRUE(SetGridEvent(&t, kEventEdit, 40001));
  EXPECT_TRUE(SetGridEvent(&t, kEventTitle, 1));
  EXPECT_FALSE(SetGridEvent(&t, kEventMove, 2));
  EXPECT_FALSE(SetGridEvent(&t, kEventMove, 41000));
  EXPECT_FALSE(SetGridEvent(&t, 10, 1));
  EXPECT_FALSE(SetGridEvent(&t, 0, 1));
  EXPECT_EQ(40001, t.events[0]);
  EXPECT_EQ(0, t.events[kEventMove - 1]);
}

}  // namespace
