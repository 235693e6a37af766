// Moving the selection: lines (a one-line move past the visible lines
// scrolls the rows by one row and paints the new line alone), go-to, pages,
// first and last record, and columns.
#include "grid_internal.h"
#include "grid_window.h"

namespace {

bool CanDraw(const RecordSetTable* table) {
  return !(table->state & kStateLayout) && (table->state & kStateInitialised) && IsWindowVisible(table->window);
}

// Scrolls the visible lines by one row (up: dy < 0) and paints the line
// that came into view.
void ScrollOneRow(RecordSetTable* table, bool up) {
  HWND window = table->window;
  if (GetUpdateRect(window, nullptr, FALSE)) UpdateWindow(window);  // paint what is pending first
  const TablePrintContext& c = table->context;
  int rows = c.rowsPerPage;
  RECT area = {c.marginLeft, c.RowsTop(), c.marginLeft + c.width, c.RowsTop() + rows * c.RowHeight()};
  HDC dc = GetDC(window);
  EraseMarker(table, dc);
  ScrollWindowEx(window, 0, up ? -c.RowHeight() : c.RowHeight(), &area, &area, nullptr, nullptr, SW_INVALIDATE);
  int line = up ? rows - 1 : 0;
  DrawGridLines(table, dc, line, line);
  RECT drawn = table->context.LineRect(line);
  ValidateRect(window, &drawn);
  DrawMarker(table, dc);
  ReleaseDC(window, dc);
}

void Relayout(RecordSetTable* table) {
  HDC dc = GetDC(table->window);
  LayoutGrid(table, dc);
  ReleaseDC(table->window, dc);
}

bool Hidden(RecordSetTable* table, int field) { return table->records->FieldOption(field, 10) != 0; }

int ColumnOf(const RecordSetTable* table, int field) {
  for (int i = 0; i < table->context.columnCount; ++i)
    if (table->context.columns[i].field == field) return i;
  return -1;
}

void RedrawAll(RecordSetTable* table) {
  table->markerRow = -1;
  InvalidateRect(table->window, nullptr, FALSE);
  UpdateWindow(table->window);
}

// The selection moved by `delta` records as that many line moves would
// move it, without drawing.
void Shift(RecordSetTable* table, long delta) {
  int rows = table->context.rowsPerPage;
  long row = table->selectionRow + delta;
  if (row < 0) row = 0;
  if (row > rows - 1) row = rows > 0 ? rows - 1 : 0;
  table->selectionRow = static_cast<int>(row);
  table->selected += delta;
}

}  // namespace

void ClampSelection(RecordSetTable* table) {
  long count = RecordTotal(table);
  if (count > 0 && table->selected > count) table->selected = count;
  if (table->selected < 1) table->selected = 1;
  int rows = table->context.rowsPerPage;
  int row = table->selectionRow;
  if (row > rows - 1) row = rows - 1;
  if (row > table->selected - 1) row = static_cast<int>(table->selected - 1);
  table->selectionRow = row > 0 ? row : 0;
}

bool MoveLineDown(RecordSetTable* table, bool draw) {
  if (!table->records || table->selected + 1 > RecordTotal(table)) return false;
  draw = draw && CanDraw(table);
  bool scroll = table->selectionRow >= table->context.rowsPerPage - 1;
  Shift(table, 1);
  if (draw) {
    if (!scroll)
      RefreshMarker(table);
    else if (table->context.rowsPerPage > 0)
      ScrollOneRow(table, true);
    UpdateScrollBars(table);
  }
  return true;
}

bool MoveLineUp(RecordSetTable* table, bool draw) {
  if (!table->records || table->selected <= 1) return false;
  draw = draw && CanDraw(table);
  bool scroll = table->selectionRow == 0;
  Shift(table, -1);
  if (draw) {
    if (!scroll)
      RefreshMarker(table);
    else if (table->context.rowsPerPage > 0)
      ScrollOneRow(table, false);
    UpdateScrollBars(table);
  }
  return true;
}

bool GoToRecord(RecordSetTable* table, long record) {
  if (!table->records || record < 1 || record > RecordTotal(table)) return false;
  ClampSelection(table);
  Shift(table, record - table->selected);
  UpdateScrollBars(table);
  return true;
}

void PageUp(RecordSetTable* table) {
  if (!table->records) return;
  ClampSelection(table);
  long moves = table->context.rowsPerPage + table->selectionRow;
  if (moves < 1) moves = 1;
  if (moves > table->selected - 1) moves = table->selected - 1;
  Shift(table, -moves);
}

void PageDown(RecordSetTable* table) {
  if (!table->records) return;
  ClampSelection(table);
  long moves = 2L * table->context.rowsPerPage - table->selectionRow - 1;
  if (moves < 1) moves = 1;
  long left = RecordTotal(table) - table->selected;
  if (moves > left) moves = left;
  if (moves > 0) Shift(table, moves);
}

bool FirstRecord(RecordSetTable* table) {
  if (!table->records) return false;
  table->selected = 1;
  table->selectionRow = 0;
  return true;
}

bool LastRecord(RecordSetTable* table) {
  if (!table->records) return false;
  long count = RecordTotal(table);
  if (count < 2) return false;
  table->selected = count;
  long row = table->context.rowsPerPage - 1;
  if (row > count - 1) row = count - 1;
  table->selectionRow = row > 0 ? static_cast<int>(row) : 0;
  return true;
}

bool ColumnRight(RecordSetTable* table) {
  if (!table->records) return false;
  const int fields = table->records->FieldCount();
  if (table->style & kStyleGrid) {
    int next = table->selectedField + 1;
    while (next <= fields && Hidden(table, next)) ++next;
    if (next > fields) return false;
    table->selectedField = next;
    int column = ColumnOf(table, next);
    // Past the last laid-out column: the first field grows until it shows.
    while (column < 0 && table->firstField < next) {
      ++table->firstField;
      Relayout(table);
      column = ColumnOf(table, next);
    }
    table->selectedColumn = column > 0 ? column : 0;
  } else {
    if (table->state & kStateNoneRight) return false;
    int shownFirst = table->context.columnCount ? table->context.columns[0].field : table->firstField;
    int shownLast = table->lastField;
    for (;;) {
      int next = table->firstField + 1;
      while (next <= fields && Hidden(table, next)) ++next;
      if (next > fields) break;
      table->firstField = next;
      Relayout(table);
      int first = table->context.columnCount ? table->context.columns[0].field : next;
      if (first != shownFirst || table->lastField != shownLast || (table->state & kStateNoneRight)) break;
    }
  }
  RedrawAll(table);
  return true;
}

bool ColumnLeft(RecordSetTable* table) {
  if (!table->records) return false;
  if (table->style & kStyleGrid) {
    int previous = table->selectedField - 1;
    while (previous >= 1 && Hidden(table, previous)) --previous;
    if (previous < 1) return false;
    table->selectedField = previous;
    if (previous < table->firstField || ColumnOf(table, previous) < 0) {
      table->firstField = previous;
      Relayout(table);
    }
    int column = ColumnOf(table, previous);
    table->selectedColumn = column > 0 ? column : 0;
  } else {
    int first = table->context.columnCount ? table->context.columns[0].field : table->firstField;
    int previous = first - 1;
    while (previous >= 1 && Hidden(table, previous)) --previous;
    if (previous < 1) return false;
    table->firstField = previous;
    Relayout(table);
  }
  RedrawAll(table);
  return true;
}
