// The page view on the screen: box sides, the table's lines and page 2's
// frame where the scale rule puts them, the window colour inside; and
// scrolling within its ranges.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui_driver.h"
#include "view_support.h"
#include "window_test_support.h"

using namespace selvy_test;

namespace {

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100; }

// The screen's colour at a page point of the view (no scrolling).
COLORREF At(LONG view, const ScaleRule& scale, int x, int y) {
  return window_test::ScreenPixel(ViewWindow(view), scale.X(x), scale.Y(y));
}

// Pumps the view's messages until the screen shows what ready says: the
// display lags the drawing, by seconds on a busy machine.
template <typename Ready>
void PumpUntilShown(Ready ready) {
  gui::WaitFor([&] {
    Pump(20);
    return ready();
  }, 30000);
}

TEST(PageViewScreen, SidesAndFramesWhereTheScaleRulePutsThem) {
  Selvy selvy;
  Owner owner(true);
  LONG view = LoadP(selvy, owner, true);
  ASSERT_TRUE(view);
  ScaleRule scale = ScreenScaleOf("Mono", 10, true, 25, 50);
  COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
  PumpUntilShown([&] { return Dark(At(view, scale, 100, 300)) && Dark(At(view, scale, 480, 650)); });
  EXPECT_TRUE(SaveScreenshot(owner.hwnd(), "selvy_page1"));
  // Box 100,200-300,400 with sides L and B: those dark, T and R not.
  EXPECT_TRUE(Dark(At(view, scale, 100, 300)));
  EXPECT_TRUE(Dark(At(view, scale, 200, 400)));
  EXPECT_EQ(window, At(view, scale, 120, 200));
  EXPECT_EQ(window, At(view, scale, 300, 350));
  EXPECT_EQ(window, At(view, scale, 150, 350));
  // The table: its frame, the line under the heads, a column's line.
  EXPECT_TRUE(Dark(At(view, scale, 100, 625)));
  EXPECT_TRUE(Dark(At(view, scale, 900, 625)));
  EXPECT_TRUE(Dark(At(view, scale, 480, 550)));
  EXPECT_TRUE(Dark(At(view, scale, 500, 640)));
  EXPECT_TRUE(Dark(At(view, scale, 480, 650)));
  EXPECT_EQ(window, At(view, scale, 490, 700));

  // Page 2: a plain font of the same size, a frame on all four sides.
  Key(view, VK_NEXT);
  scale = ScreenScaleOf("Mono", 10, false, 25, 50);
  PumpUntilShown([&] { return window == At(view, scale, 100, 350) && Dark(At(view, scale, 500, 300)); });
  EXPECT_TRUE(SaveScreenshot(owner.hwnd(), "selvy_page2"));
  EXPECT_TRUE(Dark(At(view, scale, 100, 200)));
  EXPECT_TRUE(Dark(At(view, scale, 500, 100)));
  EXPECT_TRUE(Dark(At(view, scale, 900, 200)));
  EXPECT_TRUE(Dark(At(view, scale, 500, 300)));
  EXPECT_EQ(window, At(view, scale, 800, 280));
  EXPECT_EQ(window, At(view, scale, 500, 400));
  // Page 1's box is gone.
  EXPECT_EQ(window, At(view, scale, 100, 350));
  selvy.unload(view);
}

TEST(PageViewScreen, ScrollingStaysWithinTheRanges) {
  Selvy selvy;
  Owner owner(true, 300, 200);
  LONG view = LoadP(selvy, owner, true);
  ASSERT_TRUE(view);
  HWND window = ViewWindow(view);
  PageView* object = ViewObject(view);
  int least = -1, most = -1;
  GetScrollRange(window, SB_VERT, &least, &most);
  EXPECT_EQ(0, least);
  EXPECT_EQ(static_cast<int>(3508 * object->yScale - object->clientHeight), most);
  for (int i = 0; i < 40; ++i) SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(most, object->vPos);
  SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(most, object->vPos);
  EXPECT_EQ(most, GetScrollPos(window, SB_VERT));
  SendMessageA(window, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(most - object->clientHeight, object->vPos);
  for (int i = 0; i < 40; ++i) SendMessageA(window, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(0, object->vPos);
  Key(view, VK_DOWN);
  Key(view, VK_DOWN);
  EXPECT_EQ(10, object->vPos);
  Key(view, VK_UP);
  EXPECT_EQ(5, object->vPos);
  Key(view, VK_LEFT);
  EXPECT_EQ(0, object->hPos);
  Key(view, VK_RIGHT);
  EXPECT_EQ(5, object->hPos);
  SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 37), 0);
  EXPECT_EQ(37, object->hPos);
  EXPECT_EQ(37, GetScrollPos(window, SB_HORZ));

  // Scrolled, the double click still finds the cell under it.
  SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
  UpdateWindow(window);
  std::string text;
  EXPECT_TRUE(WithWindow("#32770", "Выравнивание",
                         [&](HWND dialog) {
                           text = gui::WindowText(GetDlgItem(dialog, 1000));
                           gui::AnswerMessageBox(dialog, IDCANCEL);
                         },
                         [&] {
                           SendMessageA(window, WM_LBUTTONDBLCLK, 0,
                                        MAKELPARAM(static_cast<int>(700 * object->xScale) - 37,
                                                   static_cast<int>(575 * object->yScale) - 100));
                         }));
  EXPECT_EQ("Омск", text);
  selvy.unload(view);
}

}  // namespace
