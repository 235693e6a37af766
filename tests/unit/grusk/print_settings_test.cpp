// The settings as the library reads them from "KORVEX.INI" at its first
// attach, and the font and margins it lays out on real devices.
#include <gtest/gtest.h>

#include "grusk_support.h"

using namespace grusk_test;

namespace {

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(PrintSettings, ReadAtTheFirstAttach) {
  PrintKeys keep;
  PrintKeys::Set("10,15,10,15", "10,Arial");  // a face below "A": ignored
  Grusk grusk;
  ASSERT_TRUE(grusk.loaded());
  const GruskFont* font = grusk.prnGetFont();
  EXPECT_EQ(font->points, 10);
  EXPECT_EQ(font->reserved, 0);
  EXPECT_STREQ(font->face, "System");

  // Read once: a later change of the file is not seen while loaded.
  PrintKeys::Set("1,1,1,1", "Arial,8");
  {
    Grusk second;
    EXPECT_STREQ(second.prnGetFont()->face, "System");
  }

  HDC screen = GetDC(nullptr);
  RECT margins{};
  grusk.prnMargin(screen, &margins);
  ExpectRect(margins, 37, 56, 37, 56);
  grusk.prnMargin(screen, nullptr);  // no RECT: nothing
  ReleaseDC(nullptr, screen);
}

TEST(PrintSettings, ReadAgainAfterTheLastDetach) {
  PrintKeys keep;
  PrintKeys::Set(nullptr, "DejaVu Sans,11");
  {
    Grusk grusk;
    EXPECT_STREQ(grusk.prnGetFont()->face, "DejaVu Sans");
    EXPECT_EQ(grusk.prnGetFont()->points, 11);
    RECT margins{1, 1, 1, 1};
    HDC screen = GetDC(nullptr);
    grusk.prnMargin(screen, &margins);
    ReleaseDC(nullptr, screen);
    ExpectRect(margins, 0, 0, 0, 0);
  }
  PrintKeys::Set("1,2", nullptr);
  Grusk grusk;
  EXPECT_STREQ(grusk.prnGetFont()->face, "System");
  EXPECT_EQ(grusk.prnGetFont()->points, 10);
}

TEST(PrintSettings, FontAndMarginsOnThePrinter) {
  PrintKeys keep;
  PrintKeys::Set("10,15,10,15", nullptr);
  Grusk grusk;
  ASSERT_TRUE(grusk.selPrinter(nullptr));  // the default printer, no dialog
  HDC dc = grusk.prnCreate();
  ASSERT_NE(dc, nullptr) << "no DC for the default printer PDF";
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 2479);
  EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 209);

  RECT margins{};
  grusk.prnMargin(dc, &margins);
  ExpectRect(margins, 118, 177, 118, 177);

  HFONT font = grusk.prnFont(dc);
  ASSERT_NE(font, nullptr);
  LOGFONTA made{};
  GetObjectA(font, sizeof made, &made);
  EXPECT_EQ(made.lfHeight, -42);  // 10 points at 300 dpi
  EXPECT_STREQ(made.lfFaceName, "System");
  EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(made.lfWeight, 0);
  DeleteObject(font);

  // A second choice of the default printer replaces the first one's blocks.
  EXPECT_TRUE(grusk.selPrinter(nullptr));
  HDC again = grusk.prnCreate();
  EXPECT_NE(again, nullptr);
  DeleteDC(again);
  DeleteDC(dc);
}

}  // namespace
