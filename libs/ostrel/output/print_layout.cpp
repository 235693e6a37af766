#include "print_layout.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "grid_window.h"
#include "page_file.h"

void LayoutPrintTable(TablePrintContext* c, RecordSetObject* records) {
  HGDIOBJ oldFont = SelectObject(c->dc, c->font);
  c->width = GetDeviceCaps(c->dc, HORZRES) - c->marginLeft - c->marginRight;
  c->height = GetDeviceCaps(c->dc, VERTRES);
  if (c->width < 0) c->width = 0;
  c->MeasureFont();
  if (c->linesPerRow < 1) c->linesPerRow = 1;
  c->columnCount = 0;
  c->footerLines = 0;
  const int gap = GridColumnGap();
  const char* block = c->LockTitles();
  const int fieldCount = records ? static_cast<int>(records->FieldCount()) : 0;
  int x = 0;
  int highest = 0;
  for (int field = 1; field <= fieldCount && c->columnCount < kMaxTableColumns; ++field) {
    if (records->FieldOption(field, 10)) continue;  // hidden
    const int remaining = c->width - x;
    if (c->columnCount > 0 && remaining <= 0) break;
    const char* title = "";
    const int length = TablePrintContext::TitleSpan(block, field, &title);
    RECT measured = {0, 0, c->width > 0 ? c->width : 1, c->height > 0 ? c->height : 1};
    DrawTextA(c->dc, title, length, &measured, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
    int width = std::abs(static_cast<int>(records->FieldWidth(field, 1))) * c->charWidth;
    if (measured.right - measured.left > width) width = measured.right - measured.left;
    const bool last = width >= remaining;
    if (last) width = remaining > 0 ? remaining : 0;
    if (measured.bottom - measured.top > highest) highest = measured.bottom - measured.top;
    TableColumn& column = c->columns[c->columnCount++];
    column.field = static_cast<uint16_t>(field);
    column.footerLines = static_cast<uint16_t>(records->GetFooter(field, nullptr, 0) >> 16);
    column.width = static_cast<uint16_t>(width > 0xFFFF ? 0xFFFF : width);
    column.x = static_cast<uint16_t>(x > 0xFFFF ? 0xFFFF : x);
    column.titleOffset = static_cast<uint16_t>(block ? title - block : 0);
    column.titleLength = static_cast<uint16_t>(length);
    if (column.footerLines > c->footerLines) c->footerLines = column.footerLines;
    if (last) break;
    x += width + gap;
  }
  c->UnlockTitles();
  c->titleHeight = highest + c->lineHeight / 2;
  c->footerHeight = c->footerLines > 0 ? c->footerLines * c->lineHeight + c->lineHeight / 2 : 0;
  const int rows = (c->height - c->titleHeight - c->footerHeight - c->marginTop - c->marginBottom) / c->RowHeight();
  c->rowsPerPage = rows > 0 ? rows : 0;
  SelectObject(c->dc, oldFont);
}

void TitleLineBreaks(const char* text, char* out, size_t size) {
  size_t n = 0;
  for (const char* p = text; p && *p && n + 1 < size; ++p) {
    if (p[0] == '\\' && p[1] == 'n') {
      out[n++] = '\n';
      ++p;
    } else {
      out[n++] = *p;
    }
  }
  if (size) out[n] = 0;
}

int PrintTableTitle(TablePrintContext* c, const char* title) {
  if (!title || !*title) return 0;
  std::vector<char> text(std::strlen(title) + 1);
  TitleLineBreaks(title, text.data(), text.size());
  HGDIOBJ oldFont = SelectObject(c->dc, c->font);
  RECT box = {c->marginLeft, c->marginTop, c->marginLeft + (c->width > 0 ? c->width : 1),
              c->marginTop + (c->height > 0 ? c->height : 1)};
  RECT measured = box;
  DrawTextA(c->dc, text.data(), -1, &measured, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  int right = measured.right - measured.left;
  if (c->columnCount > 0) {
    const TableColumn& last = c->columns[c->columnCount - 1];
    if (last.x + last.width > right) right = last.x + last.width;
  }
  if (right > c->width) right = c->width;
  const int height = measured.bottom - measured.top;
  box.right = c->marginLeft + right;
  box.bottom = c->marginTop + height + 1;
  int bottom = box.bottom;
  if (c->pageFile) {
    if (!WritePageBox(c->pageFile, &box, 0) || !WritePageText(c->pageFile, 'C', text.data())) bottom = -1;
  } else {
    const int mode = SetBkMode(c->dc, TRANSPARENT);
    DrawTextA(c->dc, text.data(), -1, &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SetBkMode(c->dc, mode);
  }
  SelectObject(c->dc, oldFont);
  return bottom;
}
