// Keyboard, scroll bars, menu commands and mouse of the grid window.
#include <cstdlib>

#include "grid_internal.h"
#include "grid_window.h"

namespace {

void FireMoveIfChanged(RecordSetTable* table, long before) {
  if (table->selected != before) FireGridEvent(table, kEventMove);
}

bool Empty(const RecordSetTable* table) { return RecordTotal(table) == 0; }

// The scroll bar's position: the 32-bit one of GetScrollInfo (the track
// position while the thumb is dragged), not the 16 bits of wParam.
long ScrollPosition(HWND window, int bar) {
  SCROLLINFO info = {sizeof info, SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(window, bar, &info)) return 0;
  return info.nTrackPos;
}

// The index of the column whose left border (other than the first's) lies
// less than 5 units from x in the title band; 0 when none.
int BorderAt(const RecordSetTable* table, int x, int y) {
  const TablePrintContext& c = table->context;
  if ((table->style & kStyleNoTitle) || y < c.marginTop || y >= c.RowsTop()) return 0;
  for (int i = 1; i < c.columnCount; ++i)
    if (std::abs(x - (c.marginLeft + c.columns[i].x)) < 5) return i;
  return 0;
}

int ColumnAt(const RecordSetTable* table, int x) {
  const TablePrintContext& c = table->context;
  for (int i = 0; i < c.columnCount; ++i) {
    int left = c.marginLeft + c.columns[i].x;
    if (x >= left && x < left + c.columns[i].width) return i;
  }
  return -1;
}

// A click in the rows area: (GRID) the column, then the line.
void ClickRow(RecordSetTable* table, int x, int y) {
  const TablePrintContext& c = table->context;
  if (c.rowsPerPage <= 0 || y < c.RowsTop()) return;
  int line = (y - c.RowsTop()) / c.RowHeight();
  if (line >= c.rowsPerPage) return;
  long before = table->selected;
  bool markerMoved = false;
  if (table->style & kStyleGrid) {
    int column = ColumnAt(table, x);
    if (column >= 0 && column != table->selectedColumn) {
      table->selectedColumn = column;
      table->selectedField = c.columns[column].field;
      markerMoved = true;
    }
  }
  long target = table->selected - table->selectionRow + line;
  if (target >= 1 && target <= RecordTotal(table) && target != table->selected) {
    table->selected = target;
    table->selectionRow = line;
    markerMoved = true;
  }
  if (markerMoved) {
    RefreshMarker(table);
    UpdateScrollBars(table);
  }
  FireMoveIfChanged(table, before);
}

void ResizeTo(RecordSetTable* table, int x) {
  RecordSetObject* records = table->records;
  const TablePrintContext& c = table->context;
  int field = table->dragColumn;
  int left = -1;
  for (int i = 0; i < c.columnCount; ++i)
    if (c.columns[i].field == field) left = c.marginLeft + c.columns[i].x;
  if (left < 0) return;
  long chars = (x - left) / c.charWidth;
  if (chars < 1) chars = 1;  // dragged past the column's left border
  if (records->FieldWidth(field, 0) == chars) return;
  records->SetFieldWidth(field, chars);
  table->state |= kStateLayout;
  table->markerRow = -1;
  InvalidateRect(table->window, nullptr, FALSE);
  UpdateWindow(table->window);
}

}  // namespace

bool GridKeyDown(RecordSetTable* table, WPARAM key) {
  HWND window = table->window;
  switch (key) {
    case VK_TAB:
      FireGridEvent(table, kEventTab);
      return true;
    case VK_RETURN:
      if (!Empty(table) && FireGridEvent(table, kEventEdit)) InvalidateRows(table);
      return true;
    case VK_ESCAPE:
      FireGridEvent(table, kEventEscape);
      return true;
    case VK_SPACE:
      if (!Empty(table)) FireGridEvent(table, kEventSelect);
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      SendMessageA(window, WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
      return true;
    case VK_UP:
    case VK_DOWN:
      SendMessageA(window, WM_VSCROLL, key == VK_UP ? SB_LINEUP : SB_LINEDOWN, 0);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      SendMessageA(window, WM_HSCROLL, key == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT, 0);
      return true;
    case VK_HOME:
    case VK_END:
      if (GetKeyState(VK_CONTROL) < 0) {
        // First / last record as 1131 / 1132 do, without the MOVE event.
        if (key == VK_HOME ? FirstRecord(table) : LastRecord(table)) InvalidateRows(table);
      } else {
        WPARAM position = key == VK_HOME ? 0 : static_cast<WPARAM>(table->records->FieldCount());
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
      }
      return true;
    case VK_INSERT:
      if (FireGridEvent(table, kEventInsert)) InvalidateRows(table);
      return true;
    case VK_DELETE:
      if (!Empty(table)) {
        table->state |= kStateDeleting;
        if (FireGridEvent(table, kEventDelete) && table->selected > 1) MoveLineUp(table, true);
        SetFocus(window);
        table->state &= ~kStateDeleting;
      }
      return true;
    case VK_F1:
      FireGridEvent(table, kEventHelp);
      return true;
    default:
      return false;
  }
}

bool GridVScroll(RecordSetTable* table, int code) {
  long before = table->selected;
  switch (code) {
    case SB_LINEUP:
      if (MoveLineUp(table, true)) FireGridEvent(table, kEventMove);
      return true;
    case SB_LINEDOWN:
      if (MoveLineDown(table, true)) FireGridEvent(table, kEventMove);
      return true;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
      if (code == SB_PAGEUP)
        PageUp(table);
      else
        PageDown(table);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (!GoToRecord(table, ScrollPosition(table->window, SB_VERT))) return true;
      break;
    default:
      return true;
  }
  if (table->selected != before) InvalidateRows(table);
  FireMoveIfChanged(table, before);
  return true;
}

bool GridHScroll(RecordSetTable* table, int code) {
  switch (code) {
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
      ColumnRight(table);
      return true;
    case SB_LINELEFT:
    case SB_PAGELEFT:
      ColumnLeft(table);
      return true;
    default:
      return true;  // SB_THUMBPOSITION of Home/End changes nothing
  }
}

bool GridCommand(RecordSetTable* table, WPARAM wParam, LPARAM, LRESULT* result) {
  static const WPARAM kKeys[] = {VK_RETURN, VK_INSERT, VK_DELETE, VK_SPACE, VK_TAB, VK_ESCAPE, VK_F1};
  UINT id = LOWORD(wParam);
  if (id < 40000 || id > 40999) return false;
  for (int n = kEventEdit; n <= kEventHelp; ++n) {
    if (table->events[n - 1] != id) continue;
    SendMessageA(table->window, WM_KEYDOWN, kKeys[n - 1], 0);
    *result = 0;
    return true;
  }
  return false;
}

bool GridSetCursor(RecordSetTable* table, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT || !table->records) return false;
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(table->window, &at);
  if (!table->dragColumn && !BorderAt(table, at.x, at.y)) return false;
  SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
  return true;
}

bool GridMouse(RecordSetTable* table, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  HWND window = table->window;
  *result = 0;
  switch (message) {
    case WM_MOUSEWHEEL: {
      if (!table->records) return true;
      short delta = static_cast<short>(HIWORD(wParam));
      bool moved = delta == WHEEL_DELTA    ? MoveLineUp(table, true)
                   : delta == -WHEEL_DELTA ? MoveLineDown(table, true)
                                           : false;
      if (moved) FireGridEvent(table, kEventMove);
      return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      SetFocus(window);
      HWND owner = table->owner;
      if (!owner || owner == window) return false;
      SendMessageA(owner, message, wParam, lParam);
      return true;
    }
    case WM_MOUSEMOVE:
      if (table->dragColumn && (wParam & MK_LBUTTON) && table->records) {
        SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
        ResizeTo(table, x);
      } else if (table->dragColumn) {
        table->dragColumn = 0;
        ReleaseCapture();
      }
      return false;
    case WM_LBUTTONUP:
      if (table->dragColumn) {
        table->dragColumn = 0;
        ReleaseCapture();
      }
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(window);
      if (!table->records) return false;
      const TablePrintContext& c = table->context;
      if (y < c.RowsTop()) {
        int border = BorderAt(table, x, y);
        if (message == WM_LBUTTONDOWN && border > 0) {
          table->dragColumn = c.columns[border - 1].field;
          SetCapture(window);
        } else if (message == WM_LBUTTONDBLCLK && !(table->style & kStyleNoTitle) &&
                   table->events[kEventTitle - 1]) {
          int column = ColumnAt(table, x);
          if (column >= 0)
            SendMessageA(GridOwner(table), WM_COMMAND, kGridEventBase + kEventTitle, c.columns[column].field);
        }
        return false;
      }
      if (Empty(table)) return false;
      ClickRow(table, x, y);
      if (message == WM_LBUTTONDBLCLK) SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
      return false;
    }
    default:
      return false;
  }
}
