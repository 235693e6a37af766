// The grid window's limits and bad input over real record sets: no record
// set yet, go-to and seek out of range, a selection beyond a refreshed
// count, a window lower than one row, thumb positions above 16 bits, 300
// fields, a column dragged past its left border, an owner's 80-byte
// answer without its NUL, titles and right button to the owner, and the
// search popup's loop ending on WM_QUIT or a destroyed table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "grid_harness.h"
#include "gui_driver.h"
#include "odbc_session.h"
#include "variable.h"

using grid_test::GridHarness;
using grid_test::Pixels;
using grid_test::Records;

namespace {

using Log = std::vector<std::pair<unsigned, long>>;

const char kN25[] = "SELECT ID, NAME FROM N25 ORDER BY ID";


TEST(GridLimits, BeforeARecordSetNothingMovesAndEverythingAnswersZero) {
  GridHarness grid(300, 200);
  for (UINT m : {kGridGoTo, kGridSeek, kGridHold, kGridRedrawRows, kGridRedrawLine, kGridFirst, kGridLast})
    EXPECT_EQ(0, grid.Send(m, 3, reinterpret_cast<LPARAM>("A"))) << m;
  EXPECT_EQ(0, grid.Send(WM_KEYDOWN, VK_DOWN));
  EXPECT_EQ(0, grid.Send(WM_VSCROLL, SB_PAGEDOWN));
  EXPECT_EQ(0, grid.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120)));
  grid.OnGui([&] {
    ShowWindow(grid.table(), SW_SHOW);
    UpdateWindow(grid.table());
  });
  EXPECT_EQ(0, grid.Selected());
  EXPECT_TRUE(grid.Log().empty());
}

TEST(GridLimits, GoToAndSeekOutOfRangeMoveNothing) {
  Records records("SELECT ID, NAME FROM OSTREL_FIND ORDER BY NAME", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  grid.ClearLog();
  for (long bad : {0L, -1L, 9L, 0x7FFFFFFFL}) EXPECT_EQ(0, grid.Send(kGridGoTo, 0, bad)) << bad;
  EXPECT_EQ(0, grid.Send(kGridSeek, 2, 0));
  EXPECT_EQ(0, grid.Send(kGridSeek, 2, reinterpret_cast<LPARAM>("ZZ")));
  EXPECT_EQ(1, grid.Selected());
  EXPECT_EQ(1, grid.Send(kGridSeek, 2, reinterpret_cast<LPARAM>("IVxx")));
  EXPECT_EQ(7, grid.Selected());
  EXPECT_EQ(1, grid.Send(kGridGoTo, 0, 7)) << "the selected record again answers 1";
  EXPECT_EQ(1, grid.Send(kGridFirst));
  EXPECT_EQ((Log{{2008, 7}, {2008, 1}}), grid.Log());
}

TEST(GridLimits, SelectionBeyondARefreshedCountBecomesTheLastUnreported) {
  OdbcSession s("KTEST");
  s.Try("DROP TABLE OSTREL_SHRINK");
  s.Run({"CREATE TABLE OSTREL_SHRINK AS SELECT ID, NAME FROM N25"});
  Records records("SELECT ID, NAME FROM OSTREL_SHRINK ORDER BY ID", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  EXPECT_EQ(1, grid.Send(kGridGoTo, 0, 25));
  grid.ClearLog();
  s.Run({"DELETE FROM OSTREL_SHRINK WHERE ID > 20"});
  ASSERT_EQ(20, records.Refresh());
  grid.Send(kGridRedrawRows);
  EXPECT_EQ(20, grid.Selected());
  EXPECT_TRUE(grid.Log().empty());
  grid.Send(WM_KEYDOWN, VK_UP);
  EXPECT_EQ((Log{{2008, 19}}), grid.Log());
}

TEST(GridLimits, WindowLowerThanOneRowHasNoRowsAndStillMoves) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  grid.OnGui([&] {
    SetWindowPos(grid.table(), nullptr, 0, 0, 400, 5, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(grid.table());
  });
  EXPECT_EQ(0, grid.object()->context.rowsPerPage);
  EXPECT_EQ(1, grid.Send(kGridGoTo, 0, 5));
  grid.Send(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(6, grid.Selected());
  grid.Send(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(7, grid.Selected());
  grid.Send(WM_KEYDOWN, VK_PRIOR);
  EXPECT_EQ(6, grid.Selected());
  EXPECT_EQ(0, grid.object()->selectionRow);
}

TEST(GridLimits, ThumbPositionsAbove16BitsComeFromTheScrollBar) {
  Records records("SELECT ID, NAME FROM OSTREL_BIG ORDER BY ID", 60);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleScroll));
  grid.ClearLog();
  grid.OnGui([&] {
    SetScrollPos(grid.table(), SB_VERT, 69999, TRUE);
    SendMessageA(grid.table(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 69999 & 0xFFFF), 0);
  });
  EXPECT_EQ(69999, grid.Selected());
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  grid.OnGui([&] { GetScrollInfo(grid.table(), SB_VERT, &info); });
  EXPECT_EQ(70000, info.nMax);
  EXPECT_EQ(69999, info.nPos);
  EXPECT_EQ((Log{{2008, 69999}}), grid.Log());
}

TEST(GridLimits, ThreeHundredFieldsScrollPastField255) {
  std::string query = "SELECT ";
  std::string titles;
  for (int i = 1; i <= 300; ++i) {
    query += (i > 1 ? ", C" : "C") + std::to_string(i);
    titles += (i > 1 ? "|" : "") + std::to_string(i);
  }
  query += " FROM OSTREL_WIDE";
  Records records(query.c_str(), 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(240, 80);
  ASSERT_TRUE(grid.Show(records.get(), titles.c_str(), kStyleGrid));
  RecordSetTable* t = grid.object();
  EXPECT_LE(t->context.columnCount, kMaxTableColumns);
  for (int i = 0; i < 299; ++i) grid.Send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(300, t->selectedField);
  EXPECT_GT(t->firstField, 255);
  EXPECT_EQ(300, t->lastField);
  EXPECT_EQ(300, t->context.columns[t->selectedColumn].field);
  grid.Send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(300, t->selectedField);
  for (int i = 0; i < 299; ++i) grid.Send(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(1, t->selectedField);
  EXPECT_EQ(1, t->context.columns[t->selectedColumn].field);

  // Without GRID the first field scrolls to the end and stops there.
  grid.OnGui([&] { SetGridStyle(t, 0); });
  grid.Send(kGridRedrawRows);
  for (int i = 0; i < 320; ++i) grid.Send(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(300, t->lastField);
  EXPECT_TRUE(t->state & kStateNoneRight);
  EXPECT_FALSE(t->state & kStateNoneLeft);
}

TEST(GridLimits, DragPastTheLeftBorderStoresOneCharacter) {
  Records records("SELECT NAME, ID FROM N25 ORDER BY ID", 10);  // a text column keeps a user width
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "NAME|ID"));
  RecordSetTable* t = grid.object();
  int border = t->context.columns[1].x;
  long dragged = 0, width = 0;
  // The whole drag in one go on the window's thread: while the window has
  // the capture, a real pointer event between two steps (a window of
  // another test appearing under the pointer) would end the drag.
  grid.OnGui([&] {
    HWND w = t->window;
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(border + 2, 3));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t->context.columns[0].x + 5 * t->context.charWidth + 1, 3));
    dragged = records->FieldWidth(1, 0);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-30), 3));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-30), 3));
    width = records->FieldWidth(1, 0);
  });
  EXPECT_EQ(5, dragged);
  EXPECT_EQ(1, width);
  EXPECT_EQ(0, t->dragColumn);
}

TEST(GridLimits, OwnerAnswerWithoutNulIsCutAt79) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  ASSERT_NE(0, records.Option("NAME", "MODE=VIRTUAL;EVENT=3200"));
  GridHarness grid(900, 200);
  int requests = 0;
  grid.AnswerCommands([&](WPARAM command, LPARAM buffer) -> LRESULT {
    if (LOWORD(command) != 3200) return 0;
    ++requests;
    std::memset(reinterpret_cast<char*>(buffer), '0', 80);
    return DT_LEFT;
  });
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  EXPECT_GE(requests, 1);
  RecordSetTable* t = grid.object();
  RECT cell = t->context.CellRect(1, 1);
  ASSERT_GT(cell.right - cell.left, 81 * t->context.charWidth) << "the 80th character would show";
  Pixels shot = grid.Capture();
  Pixels own = grid_test::DrawnCell(t, cell, std::string(79, '0').c_str(), 79, DT_LEFT);
  int differ = 0;
  for (int y = 1; y < own.height - 1; ++y)
    for (int x = 1; x < own.width - 2; ++x) differ += own.at(x, y) != shot.at(cell.left + x, cell.top + y);
  EXPECT_EQ(0, differ);
}

// Counts the pixels of the table's cell rectangle that differ from the
// test's own DrawTextA of the text (borders and frame left out).
int CellDiffers(GridHarness& grid, const Pixels& shot, const RECT& cell, const std::string& text, UINT flags) {
  Pixels own = grid_test::DrawnCell(grid.object(), cell, text.c_str(), static_cast<int>(text.size()), flags);
  int differ = 0;
  for (int y = 1; y < own.height - 1; ++y)
    for (int x = 1; x < own.width - 2; ++x) differ += own.at(x, y) != shot.at(cell.left + x, cell.top + y);
  return differ;
}

TEST(GridCells, PictureColumnDrawsTheOwnersDibIntoTheCell) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  ASSERT_NE(0, records.Option("NAME", "MODE=BITMAP;EVENT=3300"));
  // A packed DIB: 2 x 2 pixels of 24 bits, all green.
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 16);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  header->biSize = sizeof *header;
  header->biWidth = 2;
  header->biHeight = 2;
  header->biPlanes = 1;
  header->biBitCount = 24;
  unsigned char* bits = reinterpret_cast<unsigned char*>(header + 1);
  for (int row = 0; row < 2; ++row)
    for (int x = 0; x < 2; ++x) bits[row * 8 + x * 3 + 1] = 0xFF;
  GlobalUnlock(dib);
  std::vector<std::string> asked;
  GridHarness grid(400, 300);
  grid.AnswerCommands([&](WPARAM command, LPARAM buffer) -> LRESULT {
    if (LOWORD(command) != 3300) return 0;
    asked.push_back(reinterpret_cast<const char*>(buffer));
    return reinterpret_cast<LRESULT>(dib);
  });
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  RecordSetTable* t = grid.object();
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ("NAME", asked[0]);
  Pixels shot = grid.Capture();
  RECT cell = t->context.CellRect(1, 3);
  EXPECT_EQ(0x00FF00u, shot.at((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  EXPECT_EQ(0x00FF00u, shot.at(cell.left + 2, cell.top + 1));
  GlobalFree(dib);
}

TEST(GridPaint, LinesScrolledOneByOneMatchAFullRepaint) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleFooter | kStyleScroll));
  grid.FitRows(6);
  grid.OnGui([&] { SetFocus(grid.table()); });
  for (int i = 0; i < 9; ++i) grid.Send(WM_KEYDOWN, VK_DOWN);   // the last three scroll
  for (int i = 0; i < 7; ++i) grid.Send(WM_KEYDOWN, VK_UP);     // the last two scroll back
  EXPECT_EQ(3, grid.Selected());
  Pixels scrolled = grid.Capture();
  grid.OnGui([&] {
    InvalidateRect(grid.table(), nullptr, TRUE);
    UpdateWindow(grid.table());
  });
  Pixels repainted = grid.Capture();
  ASSERT_EQ(repainted.rgb.size(), scrolled.rgb.size());
  int differ = 0;
  for (size_t i = 0; i < scrolled.rgb.size(); ++i) differ += scrolled.rgb[i] != repainted.rgb[i];
  EXPECT_EQ(0, differ);
  if (differ) scrolled.Save(KORVEX_SHOTS_DIR "/grid_scrolled.bmp");
}

TEST(GridFooter, FooterFillingTheBufferIsDrawnWith79Bytes) {
  Records records("SELECT ID, NAME FROM N25 ORDER BY ID", 10);
  ASSERT_TRUE(records.open());
  LibraryCall praxel("PRAXEL");
  VARIABLE footer;
  footer = std::string(100, '0').c_str();
  ASSERT_TRUE(praxel("PRAXEL_Footer", {records.handle(), Word("NAME"), Word(&footer)}));
  VARIABLE total;
  total = "25";
  ASSERT_TRUE(praxel("PRAXEL_Footer", {records.handle(), Word("ID"), Word(&total)}));
  GridHarness grid(900, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleFooter));
  RecordSetTable* t = grid.object();
  const TablePrintContext& c = t->context;
  EXPECT_EQ(c.lineHeight + c.lineHeight / 2, c.footerHeight);
  ASSERT_GT(c.columns[1].width, 81 * c.charWidth);
  int top = c.height - c.footerHeight + c.lineHeight / 2;
  Pixels shot = grid.Capture();
  grid_test::Screenshot("grid_footer");
  RECT name = {c.columns[1].x, top, c.columns[1].x + c.columns[1].width, top + c.lineHeight};
  EXPECT_EQ(0, CellDiffers(grid, shot, name, std::string(79, '0'), 0));
  RECT id = {c.columns[0].x, top, c.columns[0].x + c.columns[0].width, top + c.lineHeight};
  EXPECT_EQ(0, CellDiffers(grid, shot, id, "25", DT_RIGHT)) << "a number's footer aligns right";
}

TEST(GridCells, GridStyleFramesTheSelectedCell) {
  Records records("SELECT ID, NAME FROM N25 ORDER BY ID", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleGrid));
  grid.Send(WM_KEYDOWN, VK_RIGHT);
  grid.Send(WM_KEYDOWN, VK_DOWN);
  grid.OnGui([&] { SetFocus(grid.table()); });
  RecordSetTable* t = grid.object();
  EXPECT_EQ(2, t->selectedField);
  Pixels shot = grid.Capture();
  RECT cell = t->context.CellRect(1, 1);
  cell.right -= 1;
  int misplaced = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      bool inside = y >= cell.top && y < cell.bottom && x >= cell.left && x < cell.right;
      bool frame = inside && (y == cell.top || y == cell.bottom - 1 || x == cell.left || x == cell.right - 1);
      misplaced += frame != (shot.at(x, y) == 0xFF0000);
    }
  EXPECT_EQ(0, misplaced);
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  grid.OnGui([&] { GetScrollInfo(grid.table(), SB_HORZ, &info); });
  EXPECT_EQ(2, info.nMax);
  EXPECT_EQ(2, info.nPos);
}

TEST(GridOwner, TitleDoubleClickAndRightButtonGoToTheOwner) {
  Records records(kN25, 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME"));
  RecordSetTable* t = grid.object();
  grid.ClearLog();
  int x = t->context.columns[1].x + t->context.columns[1].width / 2;
  grid.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 3));
  EXPECT_TRUE(grid.Log().empty()) << "TITLE is off";
  grid.OnGui([&] { SetGridEvent(t, kEventTitle, 1); });
  grid.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 3));
  int y = t->context.LineRect(4).top + 2;
  grid.Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ(1, grid.Selected()) << "the right button selects nothing";
  EXPECT_EQ(std::vector<UINT>{WM_RBUTTONDOWN}, grid.OtherMessages());
  grid.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ(5, grid.Selected());
  grid.OnGui([&] { SetGridEvent(t, kEventEdit, 1); });
  grid.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  EXPECT_EQ((Log{{2009, 2}, {2008, 5}, {2001, 5}}), grid.Log());
}

TEST(SearchPopupLoop, EndsOnQuitAndPostsItAgain) {
  Records records("SELECT ID, NAME FROM OSTREL_FIND ORDER BY NAME", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleFind));
  PostMessageA(grid.table(), WM_CHAR, 'O', 0);
  HWND popup = grid_test::WaitSearchPopup(grid.threadId());
  ASSERT_TRUE(popup);
  // The popup is up before its first search has moved the selection.
  EXPECT_TRUE(gui::WaitFor([&] { return grid.Selected() == 8; }, 30000)) << grid.Selected();
  PostThreadMessageA(grid.threadId(), WM_QUIT, 0, 0);
  // The popup's loop ends and the GUI thread's own loop gets the quit too:
  // the thread ends and its windows go.
  EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(popup) && !IsWindow(grid.owner()); }, 30000));
}

TEST(SearchPopupLoop, EndsWhenTheTableIsDestroyed) {
  Records records("SELECT ID, NAME FROM OSTREL_FIND ORDER BY NAME", 10);
  ASSERT_TRUE(records.open());
  GridHarness grid(400, 300);
  ASSERT_TRUE(grid.Show(records.get(), "ID|NAME", kStyleFind));
  PostMessageA(grid.table(), WM_CHAR, 'I', 0);
  HWND popup = grid_test::WaitSearchPopup(grid.threadId());
  ASSERT_TRUE(popup);
  grid.OnGui([&] { DestroyWindow(grid.table()); });
  EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(popup); }, 30000));
  bool alive = false;
  grid.OnGui([&] { alive = true; });
  EXPECT_TRUE(alive);
}

}  // namespace
