// Layout of the grid window: which fields show, their widths and places,
// the title, footer and row heights; and the pens and brushes of the paint,
// made here once per layout.
#include "grid_internal.h"
#include "grid_window.h"

namespace {

struct Candidate {
  int width;
  int target;
};

void MakePaintTools(GridPaintTools* tools) {
  FreePaintTools(tools);
  tools->titleBrush = CreateSolidBrush(GetSysColor(COLOR_SCROLLBAR));
  tools->rowBrush = CreateSolidBrush(RGB(255, 255, 255));
  tools->borderPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  tools->highlightPen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  tools->markerWidth = GridMarkerWidth();
  tools->markerColor = GridMarkerColor();
  tools->markerPen = CreatePen(PS_INSIDEFRAME, tools->markerWidth, tools->markerColor);
  tools->eraserPen = CreatePen(PS_INSIDEFRAME, tools->markerWidth, GetSysColor(COLOR_WINDOW));
}

// Steps 2-4: the columns from the table's first field on.
void LayOutColumns(RecordSetTable* table, HDC dc) {
  TablePrintContext& c = table->context;
  RecordSetObject* records = table->records;
  const int fieldCount = records->FieldCount();
  Candidate sizes[kMaxTableColumns];
  const char* block = c.LockTitles();
  int used = 0;
  int titleHeight = 0;
  c.columnCount = 0;
  table->lastField = 0;
  int offset = 0;  // of the current title in the block
  for (int field = 1; field <= fieldCount; ++field) {
    const char* title = "";
    int length = TablePrintContext::TitleSpan(block, field, &title);
    if (block) offset = static_cast<int>(title - block);
    if (length == 0) records->FieldOption(field, 1);  // no title: hidden
    long display = records->FieldWidth(field, 0);
    if (display == 0 || field < table->firstField) continue;
    if (c.columnCount == kMaxTableColumns) break;
    RECT measured = {0, 0, c.width > 0 ? c.width : 1, c.height > 0 ? c.height : 1};
    DrawTextA(dc, title, length, &measured, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
    int titleWidth = measured.right - measured.left;
    int width = titleWidth + c.charWidth;
    if (display > 0 && (display + 1) * c.charWidth > width) width = static_cast<int>((display + 1) * c.charWidth);
    if (c.columnCount > 0 && used + width > c.width) break;  // no longer fits
    int target = width;
    if (records->FieldOption(field, 12) == 0) {
      long text = records->FieldWidth(field, 1);
      if (text < 0) text = -text;
      if ((text + 1) * c.charWidth > target) target = static_cast<int>((text + 1) * c.charWidth);
    }
    if (measured.bottom - measured.top > titleHeight) titleHeight = measured.bottom - measured.top;
    TableColumn& column = c.columns[c.columnCount];
    column.field = static_cast<uint16_t>(field);
    column.footerLines = static_cast<uint16_t>(records->GetFooter(field, nullptr, 0) >> 16);
    column.titleOffset = static_cast<uint16_t>(offset);
    column.titleLength = static_cast<uint16_t>(length);
    sizes[c.columnCount] = {width, target};
    ++c.columnCount;
    used += width;
    table->lastField = field;
  }
  c.UnlockTitles();
  c.titleHeight = titleHeight;

  // Step 3: half a character at a time to the columns below their target;
  // when none can grow the last takes the rest.
  int remainder = c.width - used;
  const int step = c.charWidth / 2 > 0 ? c.charWidth / 2 : 1;
  bool grew = true;
  while (remainder > 0 && grew) {
    grew = false;
    for (int i = 0; i < c.columnCount && remainder > 0; ++i) {
      if (sizes[i].width >= sizes[i].target) continue;
      int add = step < remainder ? step : remainder;
      if (add > sizes[i].target - sizes[i].width) add = sizes[i].target - sizes[i].width;
      sizes[i].width += add;
      remainder -= add;
      grew = true;
    }
  }
  if (remainder > 0 && c.columnCount > 0) sizes[c.columnCount - 1].width += remainder;

  // Step 4: places.
  int x = 0;
  for (int i = 0; i < c.columnCount; ++i) {
    int width = sizes[i].width > 0xFFFF ? 0xFFFF : sizes[i].width;
    c.columns[i].x = static_cast<uint16_t>(x > 0xFFFF ? 0xFFFF : x);
    c.columns[i].width = static_cast<uint16_t>(width);
    x += width;
  }

  // Step 6: is any shown field left of the first or right of the last?
  table->state |= kStateNoneLeft | kStateNoneRight;
  for (int field = 1; field <= fieldCount; ++field) {
    if (field >= table->firstField && field <= table->lastField) continue;
    if (records->FieldWidth(field, 0) == 0) continue;
    table->state &= ~(field < table->firstField ? kStateNoneLeft : kStateNoneRight);
  }
}

}  // namespace

void FreePaintTools(GridPaintTools* tools) {
  HGDIOBJ objects[] = {tools->titleBrush, tools->rowBrush,  tools->borderPen,
                       tools->highlightPen, tools->markerPen, tools->eraserPen};
  for (HGDIOBJ object : objects)
    if (object) DeleteObject(object);
  *tools = GridPaintTools();
}

long RecordTotal(const RecordSetTable* table) {
  if (!table->records) return 0;
  long count = table->records->RecordCount();
  return count > 0 ? count : 0;
}

void LayoutGrid(RecordSetTable* table, HDC dc) {
  TablePrintContext& c = table->context;
  if (!c.font) c.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HGDIOBJ oldFont = SelectObject(dc, c.font);
  c.dc = dc;
  c.MeasureFont();
  RECT client = {};
  GetClientRect(table->window, &client);
  c.width = client.right - c.marginLeft - c.marginRight;
  c.height = client.bottom;
  if (c.width < 0) c.width = 0;
  c.titleHeight = c.footerHeight = c.rowsPerPage = 0;
  if (c.linesPerRow < 1) c.linesPerRow = 1;
  if ((table->style & kStyleScroll) && !(GetWindowLongA(table->window, GWL_STYLE) & WS_VSCROLL)) {
    SetScrollRange(table->window, SB_VERT, 1, RecordTotal(table) > 1 ? RecordTotal(table) : 1, TRUE);
  }
  if (table->records) LayOutColumns(table, dc);
  // Step 5.
  if (table->style & kStyleNoTitle)
    c.titleHeight = 0;
  else
    c.titleHeight += GridColumnGap();
  if (table->style & kStyleFooter) {
    if (c.footerLines < 1) c.footerLines = 1;
    c.footerHeight = c.footerLines * c.lineHeight + c.lineHeight / 2;
  }
  int rows = c.height - c.titleHeight - c.footerHeight - c.marginTop - c.marginBottom;
  c.rowsPerPage = rows > 0 ? rows / c.RowHeight() : 0;
  SelectObject(dc, oldFont);
  MakePaintTools(&table->tools);
  table->state &= ~kStateLayout;
}
