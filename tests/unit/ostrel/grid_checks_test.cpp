// The grid window over Praxel's record sets on KTEST, driven from the test
// thread while the table runs on a GUI thread of its own: the events of a
// walk through N25, the incremental search, titles that do not fit the
// fields, and the marker, title band and a cell as pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "grid_harness.h"
#include "gui_driver.h"

using grid_test::GridHarness;
using grid_test::Pixels;
using grid_test::Records;
using grid_test::Rgb;

namespace {

using Log = std::vector<std::pair<unsigned, long>>;

const char kN25[] = "SELECT ID, NAME FROM N25 ORDER BY ID";


TEST(GridChecks, WalkThroughN25ReportsEachChangedSelectionOnce) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(500, 400);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  grid.FitRows(10);
  ASSERT_EQ(10, grid.object()->context.rowsPerPage);
  grid.ClearLog();

  EXPECT_EQ(1, grid.Send(kGridGoTo, 0, 5));
  EXPECT_EQ(0, grid.Send(kGridGoTo, 0, 26));
  grid.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120));
  grid.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 240));
  for (int i = 0; i < 3; ++i) grid.Send(WM_KEYDOWN, VK_NEXT);
  grid.Send(WM_KEYDOWN, VK_PRIOR);
  EXPECT_EQ(0, grid.object()->selectionRow) << "after PgUp the selection is on the top line";
  grid.CtrlKey(VK_END);
  EXPECT_EQ(25, grid.Selected());
  grid.CtrlKey(VK_HOME);
  EXPECT_EQ(1, grid.Selected());
  grid.Send(WM_KEYDOWN, VK_UP);
  grid.Send(WM_KEYDOWN, VK_RETURN);
  grid.OnGui([&] { SetGridEvent(grid.object(), kEventEdit, 1); });
  grid.Send(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ((Log{{2008, 5}, {2008, 6}, {2008, 20}, {2008, 25}, {2008, 6}, {2001, 1}}), grid.Log());
}

TEST(GridChecks, SearchPopupKeepsOnlyCharactersThatFind) {
  Records records("SELECT ID, NAME FROM OSTREL_FIND ORDER BY NAME", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(500, 400);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleFind));
  grid.OnGui([&] { SetFocus(grid.table()); });

  PostMessageA(grid.table(), WM_CHAR, 'B', 0);
  HWND popup = grid_test::WaitSearchPopup(grid.threadId());
  ASSERT_TRUE(popup);
  // The popup is up before it has disabled the table and searched its
  // first character: what is typed now must come after that.
  EXPECT_TRUE(gui::WaitFor(
      [&] { return !IsWindowEnabled(grid.table()) && grid.Selected() == 2; }, 30000));
  auto type = [&](const char* text) {
    for (const char* p = text; *p; ++p) SendMessageA(popup, WM_CHAR, static_cast<unsigned char>(*p), 0);
  };
  type("ORIS");
  EXPECT_EQ(2, grid.Selected());
  type("X");
  EXPECT_EQ(2, grid.Selected());
  type("L");
  EXPECT_EQ(3, grid.Selected());
  SendMessageA(popup, WM_CHAR, '\b', 0);
  EXPECT_EQ(2, grid.Selected());
  type("LAVOVICHXY");
  EXPECT_EQ(4, grid.Selected());
  grid_test::Screenshot("grid_search");
  type("Z");
  EXPECT_EQ(5, grid.Selected());
  type("W");  // the 17th character
  EXPECT_EQ(5, grid.Selected());
  SendMessageA(popup, WM_CHAR, '\b', 0);  // ignored while 16 are held
  EXPECT_EQ(5, grid.Selected());
  SendMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(popup); }, 5000));
  EXPECT_TRUE(gui::WaitFor([&] { return IsWindowEnabled(grid.table()) != 0; }, 5000));
  EXPECT_FALSE(grid.object()->state & kStateFocus);
  // MOVE only for a changed selection: B, BORISL, BORIS again, BORISL
  // again, BORISLAVOVICHXY, BORISLAVOVICHXYZ.
  EXPECT_EQ((Log{{2008, 2}, {2008, 3}, {2008, 2}, {2008, 3}, {2008, 4}, {2008, 5}}), grid.Log());
}

TEST(GridChecks, MoreTitlesThanFieldsFailAndFewerHideTheRest) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  {
    GridHarness grid(500, 400);
    gui::BoxWatcher watcher;
    EXPECT_FALSE(grid.Show(records.get(), "ID|NAME|X"));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("не верное количество параметров", boxes[0].text);
    EXPECT_FALSE(IsWindowVisible(grid.table()));
    EXPECT_EQ(nullptr, grid.object()->context.titles);
  }
  GridHarness grid(500, 400);
  ASSERT_TRUE(grid.Show(records.get(), "ID"));
  long hidden = 0;
  grid.OnGui([&] { hidden = records->FieldOption(2, 10); });
  EXPECT_EQ(1, hidden);
  EXPECT_EQ(1, grid.object()->context.columnCount);
}

TEST(GridChecks, MarkerTitleBandAndCellAsPixels) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(500, 400);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  EXPECT_EQ(1, grid.Send(kGridGoTo, 0, 3));
  grid.OnGui([&] { SetFocus(grid.table()); });
  Pixels shot = grid.Capture();
  grid_test::Screenshot("grid_marker");
  RecordSetTable* t = grid.object();
  ASSERT_EQ(2, t->selectionRow);
  RECT line = t->context.LineRect(2);
  const uint32_t red = 0xFF0000;
  int reds = 0, misplaced = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      bool frame = y >= line.top && y < line.bottom && x >= line.left && x < line.right &&
                   (y == line.top || y == line.bottom - 1 || x == line.left || x == line.right - 1);
      bool isRed = shot.at(x, y) == red;
      if (frame && !isRed) ++misplaced;
      if (!frame && isRed) ++misplaced;
      reds += isRed;
    }
  EXPECT_EQ(0, misplaced) << reds << " red pixels";
  EXPECT_GT(reds, 0);

  // The title band, left of the centred "ID" and of "NAME".
  uint32_t band = Rgb(GetSysColor(COLOR_SCROLLBAR));
  EXPECT_EQ(band, shot.at(3, t->context.titleHeight - 3));
  EXPECT_EQ(band, shot.at(t->context.columns[1].x + 3, t->context.titleHeight - 3));

  // "R03" inside its cell (the marker's frame and the border left out).
  RECT cell = t->context.CellRect(1, 2);
  Pixels own = grid_test::DrawnCell(t, cell, "R03", 3, 0);
  int differ = 0;
  for (int y = 1; y < own.height - 1; ++y)
    for (int x = 1; x < own.width - 2; ++x) differ += own.at(x, y) != shot.at(cell.left + x, cell.top + y);
  EXPECT_EQ(0, differ);
  int ink = 0;
  for (uint32_t p : own.rgb) ink += p != 0xFFFFFF;
  EXPECT_GT(ink, 10) << "the text was drawn at all";

  grid.OnGui([&] { SendMessageA(grid.table(), WM_KILLFOCUS, 0, 0); });
  Pixels after = grid.Capture();
  int left = 0;
  for (uint32_t p : after.rgb) left += p == red;
  EXPECT_EQ(0, left);
}

}  // namespace
