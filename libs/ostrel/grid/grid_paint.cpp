// Painting the grid window: titles, the lines of the records, the empty
// lines below them, the footer, the scroll bars and the selection marker.
// Only the lines that meet the invalid rectangle are drawn; the pens and
// brushes come from the layout.
#include "grid_internal.h"
#include "grid_window.h"

namespace {

int FooterTop(const RecordSetTable* table) {
  const TablePrintContext& c = table->context;
  return c.height - c.marginBottom - c.footerHeight;
}

// Selects the table's font, the row brush and transparent text; restores
// them when it goes.
class PaintObjects {
 public:
  PaintObjects(RecordSetTable* table, HDC dc) : dc_(dc) {
    font_ = SelectObject(dc, table->context.font ? table->context.font : GetStockObject(SYSTEM_FONT));
    brush_ = SelectObject(dc, table->tools.rowBrush);
    mode_ = SetBkMode(dc, TRANSPARENT);
    table->context.dc = dc;
  }
  ~PaintObjects() {
    SelectObject(dc_, font_);
    SelectObject(dc_, brush_);
    SetBkMode(dc_, mode_);
  }
  PaintObjects(const PaintObjects&) = delete;
  PaintObjects& operator=(const PaintObjects&) = delete;

 private:
  HDC dc_;
  HGDIOBJ font_;
  HGDIOBJ brush_;
  int mode_;
};

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void DrawTitles(RecordSetTable* table, HDC dc) {
  TablePrintContext& c = table->context;
  RECT band = {c.marginLeft, c.marginTop, c.marginLeft + c.width, c.marginTop + c.titleHeight};
  FillRect(dc, &band, table->tools.titleBrush);
  const char* block = c.LockTitles();
  int gap = GridColumnGap();
  for (int i = 0; i < c.columnCount; ++i) {
    const TableColumn& column = c.columns[i];
    RECT text = {band.left + column.x + c.charWidth / 2, band.top + 1 + gap / 2,
                 band.left + column.x + column.width - c.charWidth / 2, band.bottom};
    if (block) DrawTextA(dc, block + column.titleOffset, column.titleLength, &text, DT_CENTER | DT_NOPREFIX);
  }
  c.UnlockTitles();
  HGDIOBJ old = SelectObject(dc, table->tools.highlightPen);
  for (int i = 0; i < c.columnCount; ++i) {
    int left = band.left + c.columns[i].x;
    int right = left + c.columns[i].width - 1;
    Line(dc, left, band.top + 1, left, band.bottom - 1);
    Line(dc, left, band.top + 1, right, band.top + 1);
  }
  SelectObject(dc, table->tools.borderPen);
  Line(dc, band.left, band.top, band.right, band.top);
  Line(dc, band.left, band.bottom - 1, band.right, band.bottom - 1);
  SelectObject(dc, old);
  c.DrawColumnBorders(band.top, band.bottom, table->tools.borderPen);
}

// Lines first..last of the rows area (clipped to the visible lines).
void PaintLines(RecordSetTable* table, HDC dc, int first, int last) {
  TablePrintContext& c = table->context;
  if (first < 0) first = 0;
  if (last >= c.rowsPerPage) last = c.rowsPerPage - 1;
  if (first > last) return;
  long count = RecordTotal(table);
  long top = table->selected - table->selectionRow;
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF deleted = GetSysColor(COLOR_SCROLLBAR);
  RECT area = c.LineRect(first);
  area.bottom = c.LineRect(last).bottom;
  int line = first;
  for (; line <= last; ++line) {
    long record = top + line;
    if (record < 1 || record > count || c.columnCount == 0) break;
    RECT r = c.LineRect(line);
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
    if (!table->records->GoToRecord(record)) continue;
    bool isDeleted = table->records->IsDeleted() != 0;
    c.DrawLine(table->records, line, nullptr, isDeleted ? deleted : text);
  }
  if (line <= last) {  // no records below: empty lines
    int y = c.LineRect(line).top;
    PatBlt(dc, area.left, y, area.right - area.left, area.bottom - y, PATCOPY);
  }
  c.DrawColumnBorders(area.top, area.bottom, table->tools.borderPen);
}

RECT MarkerRect(const RecordSetTable* table, int row, int column) {
  const TablePrintContext& c = table->context;
  if ((table->style & kStyleGrid) && column < c.columnCount) {
    RECT cell = c.CellRect(column, row);
    cell.right -= 1;  // inside the border
    return cell;
  }
  return c.LineRect(row);
}

void FrameMarker(HDC dc, HPEN pen, const RECT& r) {
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

}  // namespace

RECT GridRowsRect(const RecordSetTable* table) {
  const TablePrintContext& c = table->context;
  return RECT{c.marginLeft, c.RowsTop(), c.marginLeft + c.width, FooterTop(table)};
}

void DrawMarker(RecordSetTable* table, HDC dc) {
  if (!(table->state & kStateFocus) || !table->records || table->context.rowsPerPage <= 0) return;
  if (table->state & kStateLayout) return;  // the next paint places it
  GridPaintTools& tools = table->tools;
  if (tools.markerWidth != GridMarkerWidth() || tools.markerColor != GridMarkerColor()) {
    if (tools.markerPen) DeleteObject(tools.markerPen);
    if (tools.eraserPen) DeleteObject(tools.eraserPen);
    tools.markerWidth = GridMarkerWidth();
    tools.markerColor = GridMarkerColor();
    tools.markerPen = CreatePen(PS_INSIDEFRAME, tools.markerWidth, tools.markerColor);
    tools.eraserPen = CreatePen(PS_INSIDEFRAME, tools.markerWidth, GetSysColor(COLOR_WINDOW));
  }
  FrameMarker(dc, tools.markerPen, MarkerRect(table, table->selectionRow, table->selectedColumn));
  table->markerRow = table->selectionRow;
  table->markerColumn = table->selectedColumn;
}

void EraseMarker(RecordSetTable* table, HDC dc) {
  int row = table->markerRow;
  table->markerRow = -1;
  if (row < 0 || row >= table->context.rowsPerPage || !table->tools.eraserPen) return;
  RECT r = MarkerRect(table, row, table->markerColumn);
  FrameMarker(dc, table->tools.eraserPen, r);
  table->context.dc = dc;
  table->context.DrawColumnBorders(r.top, r.bottom, table->tools.borderPen);
}

void RefreshMarker(RecordSetTable* table) {
  if (table->state & kStateLayout) return;
  HDC dc = GetDC(table->window);
  EraseMarker(table, dc);
  DrawMarker(table, dc);
  ReleaseDC(table->window, dc);
}

void DrawGridLines(RecordSetTable* table, HDC dc, int first, int last) {
  PaintObjects objects(table, dc);
  PaintLines(table, dc, first, last);
}

namespace {

// Sets a scroll bar's range and position. Drawing a scroll bar is slow
// under Wine (several ms, more than a page of cells), so the bar is set
// without drawing and drawn only when the range changed or its thumb
// moved on the screen.
void SetScrollBar(HWND window, int bar, long max, long position, bool rangeChanged) {
  LONG object = bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL;
  SCROLLBARINFO before = {sizeof before, {}, 0, 0, 0, 0, {}};
  bool known = !rangeChanged && GetScrollBarInfo(window, object, &before);
  SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 1, static_cast<int>(max), 0, static_cast<int>(position), 0};
  SetScrollInfo(window, bar, &info, FALSE);
  SCROLLBARINFO after = {sizeof after, {}, 0, 0, 0, 0, {}};
  if (known && GetScrollBarInfo(window, object, &after) && after.xyThumbTop == before.xyThumbTop &&
      after.xyThumbBottom == before.xyThumbBottom)
    return;
  SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

void UpdateScrollBars(RecordSetTable* table) {
  HWND window = table->window;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  if ((style & WS_VSCROLL) || (table->style & kStyleScroll)) {
    long count = RecordTotal(table);
    long max = count > 1 ? count : 1;
    if (max != table->vScrollMax || table->selected != table->vScrollPos) {
      SetScrollBar(window, SB_VERT, max, table->selected, max != table->vScrollMax);
      table->vScrollMax = max;
      table->vScrollPos = table->selected;
    }
  }
  if ((table->style & kStyleGrid) && table->records) {
    long fields = table->records->FieldCount();
    long max = fields > 1 ? fields : 1;
    if (max != table->hScrollMax || table->selectedField != table->hScrollPos) {
      SetScrollBar(window, SB_HORZ, max, table->selectedField, max != table->hScrollMax);
      table->hScrollMax = max;
      table->hScrollPos = table->selectedField;
    }
  }
}

void InvalidateRows(RecordSetTable* table) {
  RECT rows = GridRowsRect(table);
  InvalidateRect(table->window, &rows, FALSE);
  UpdateWindow(table->window);
}

bool PaintGrid(RecordSetTable* table, HDC dc, const RECT& invalid) {
  if (!table->records) return false;
  if (!(table->state & kStateInitialised)) {
    table->firstField = 1;
    table->selectedField = 1;
    table->selectedColumn = 0;
    table->selectionRow = 0;
    if (!(table->style & kStyleGoTo)) table->selected = 1;
    table->state |= kStateInitialised | kStateLayout;
  }
  if (table->state & kStateLayout) {
    LayoutGrid(table, dc);
    if (table->hold) return false;
  }
  ClampSelection(table);
  TablePrintContext& c = table->context;
  PaintObjects objects(table, dc);
  if (!(table->style & kStyleNoTitle) && invalid.top < c.RowsTop()) DrawTitles(table, dc);

  const int rowHeight = c.RowHeight();
  const int rowsTop = c.RowsTop();
  if (c.rowsPerPage > 0 && invalid.bottom > rowsTop) {
    int first = (invalid.top - rowsTop) / rowHeight;
    int last = (invalid.bottom - 1 - rowsTop) / rowHeight;
    PaintLines(table, dc, first, last);
  }
  // Below the last whole line, down to the footer: empty.
  int rowsBottom = rowsTop + c.rowsPerPage * rowHeight;
  int footerTop = FooterTop(table);
  if (rowsBottom < footerTop && invalid.bottom > rowsBottom) {
    PatBlt(dc, c.marginLeft, rowsBottom, c.width, footerTop - rowsBottom, PATCOPY);
    c.DrawColumnBorders(rowsBottom, footerTop, table->tools.borderPen);
  }
  if ((table->style & kStyleFooter) && invalid.bottom > footerTop) {
    PatBlt(dc, c.marginLeft, footerTop, c.width, c.footerHeight, PATCOPY);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    c.DrawFooter(table->records, footerTop + c.lineHeight / 2, nullptr);
    HGDIOBJ old = SelectObject(dc, table->tools.borderPen);
    MoveToEx(dc, c.marginLeft, footerTop + c.lineHeight / 4, nullptr);
    LineTo(dc, c.marginLeft + c.width, footerTop + c.lineHeight / 4);
    SelectObject(dc, old);
    c.DrawColumnBorders(footerTop, footerTop + c.footerHeight, table->tools.borderPen);
  }
  UpdateScrollBars(table);
  return true;
}
