#include "table_print_context.h"

#include <cstring>

#include "dib.h"
#include "grid_internal.h"

TablePrintContext::~TablePrintContext() { FreeTitles(); }

void TablePrintContext::FreeTitles() {
  if (titles && !titlesBorrowed) GlobalFree(titles);
  titles = nullptr;
  titlesBorrowed = false;
}

void TablePrintContext::BorrowTitles(const TablePrintContext& from) {
  FreeTitles();
  titles = from.titles;
  titlesBorrowed = titles != nullptr;
}

bool TablePrintContext::SetTitle(const char* text, int fieldCount) {
  FreeTitles();
  if (!text) text = "";
  // Count the titles and the bytes the block needs ("\n" shrinks to one).
  size_t length = 0;
  int count = 1;
  for (const char* p = text; *p; ++p) {
    if (p[0] == '\\' && p[1] == 'n') ++p;
    else if (*p == '|') ++count;
    ++length;
  }
  if (count > fieldCount) {
    GridError(GetFocus(), 122);
    return false;
  }
  size_t padding = static_cast<size_t>(fieldCount - count);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + padding + 1);
  char* out = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (!out) {
    if (block) GlobalFree(block);
    GridError(GetFocus(), 8);
    return false;
  }
  for (const char* p = text; *p; ++p) {
    if (p[0] == '\\' && p[1] == 'n') {
      *out++ = '\n';
      ++p;
    } else {
      *out++ = *p;
    }
  }
  std::memset(out, '|', padding);
  out[padding] = '\0';
  GlobalUnlock(block);
  titles = block;
  titlesBorrowed = false;
  return true;
}

const char* TablePrintContext::LockTitles() {
  return titles ? static_cast<const char*>(GlobalLock(titles)) : nullptr;
}

void TablePrintContext::UnlockTitles() {
  if (titles) GlobalUnlock(titles);
}

int TablePrintContext::TitleSpan(const char* block, int field, const char** start) {
  *start = "";
  if (!block || field < 1) return 0;
  const char* p = block;
  for (int f = 1; f < field; ++f) {
    p = std::strchr(p, '|');
    if (!p) return 0;
    ++p;
  }
  const char* end = std::strchr(p, '|');
  *start = p;
  return static_cast<int>(end ? end - p : std::strlen(p));
}

void TablePrintContext::MeasureFont() {
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SIZE zero = {};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  charWidth = zero.cx > metrics.tmAveCharWidth ? zero.cx : metrics.tmAveCharWidth;
  int height = metrics.tmHeight + metrics.tmExternalLeading;
  lineHeight = zero.cy > height ? zero.cy : height;
  if (charWidth < 1) charWidth = 1;
  if (lineHeight < 1) lineHeight = 1;
}

RECT TablePrintContext::LineRect(int line) const {
  int top = RowsTop() + line * RowHeight();
  return RECT{marginLeft, top, marginLeft + width, top + RowHeight()};
}

RECT TablePrintContext::CellRect(int column, int line) const {
  int top = RowsTop() + line * RowHeight();
  const TableColumn& c = columns[column];
  return RECT{marginLeft + c.x, top, marginLeft + c.x + c.width, top + RowHeight()};
}

namespace {

// The cell's text rectangle: narrowed by half a character on each side.
RECT TextRect(RECT cell, int charWidth) {
  cell.left += charWidth / 2;
  cell.right -= charWidth / 2;
  return cell;
}

// Draws a cell's text as DrawTextA does with these flags. A one-line text
// aligned left, centred or right (what record sets answer) goes straight
// to ExtTextOutA, clipped to the rectangle: under Wine that takes about
// half the time of DrawTextA, which a page of cells feels.
void DrawCellText(HDC dc, const char* text, int length, RECT* r, UINT flags) {
  const UINT simple = DT_CENTER | DT_RIGHT | DT_NOPREFIX;
  bool oneLine = (flags & ~simple) == 0 && !std::memchr(text, '\n', length) && !std::memchr(text, '\r', length) &&
                 !std::memchr(text, '\t', length);
  if (!oneLine) {
    DrawTextA(dc, text, length, r, flags | DT_NOPREFIX);
    return;
  }
  UINT align = TA_LEFT;
  int x = r->left;
  if (flags & DT_RIGHT) {
    align = TA_RIGHT;
    x = r->right;
  } else if (flags & DT_CENTER) {
    align = TA_CENTER;
    x = (r->left + r->right) / 2;
  }
  UINT old = SetTextAlign(dc, align | TA_TOP | TA_NOUPDATECP);
  ExtTextOutA(dc, x, r->top, ETO_CLIPPED, r, text, length, nullptr);
  SetTextAlign(dc, old);
}

// Length of an answer held in an 80-byte buffer: at most 79 bytes.
int CutLength(long answer) {
  int length = static_cast<int>(answer & 0xFFFF);
  return length < kCellBuffer - 1 ? length : kCellBuffer - 1;
}

}  // namespace

bool TablePrintContext::DrawLine(RecordSetObject* records, int line, HANDLE file, COLORREF textColor) {
  char buffer[kCellBuffer];
  bool written = true;
  if (!file) SetTextColor(dc, textColor);
  for (int i = 0; i < columnCount; ++i) {
    RECT cell = CellRect(i, line);
    unsigned long field = columns[i].field;
    UINT flags = 0;
    int length = 0;
    bool picture = records->FieldOption(field, 14) != 0;
    if (picture || records->FieldOption(field, 16)) {
      // The owner answers picture and virtual columns: a DIB, or the text
      // in the buffer with its DrawText flags.
      std::memset(buffer, 0, sizeof buffer);
      records->FieldName(field, buffer, kCellBuffer);
      LRESULT answer = SendMessageA(owner, WM_COMMAND, static_cast<WPARAM>(records->FieldEvent(field)),
                                    reinterpret_cast<LPARAM>(buffer));
      buffer[kCellBuffer - 1] = '\0';
      if (picture) {
        if (!file && answer)
          DrawDib(reinterpret_cast<HGLOBAL>(answer), dc, cell.left, cell.top, cell.right - cell.left,
                  cell.bottom - cell.top);
        if (file) written = writeRow && writeRow(file, 'L', i, &cell, 0, 0, "") && written;
        continue;
      }
      flags = static_cast<UINT>(answer);
      length = static_cast<int>(std::strlen(buffer));
    } else {
      long answer = records->GetFieldText(field, buffer, kCellBuffer);
      length = CutLength(answer);
      flags = static_cast<UINT>(answer >> 16) & 0xFFFF;
    }
    if (records->FieldOption(field, 15)) flags |= DT_WORDBREAK;
    if (file) {
      written = writeRow && writeRow(file, 'L', i, &cell, flags, length, buffer) && written;
      continue;
    }
    RECT text = TextRect(cell, charWidth);
    DrawCellText(dc, buffer, length, &text, flags);
  }
  return written;
}

bool TablePrintContext::DrawFooter(RecordSetObject* records, int top, HANDLE file) {
  char buffer[kCellBuffer];
  bool written = true;
  int bottom = top + footerHeight;
  for (int i = 0; i < columnCount; ++i) {
    const TableColumn& c = columns[i];
    RECT cell = {marginLeft + c.x, top, marginLeft + c.x + c.width, bottom};
    long answer = records->GetFooter(c.field, buffer, kCellBuffer);
    int length = CutLength(answer);
    UINT flags = length ? static_cast<UINT>(answer >> 16) & 0xFFFF : 0;
    if (file) {
      written = writeRow && writeRow(file, 'R', i, &cell, flags, length, length ? buffer : "") && written;
      continue;
    }
    RECT text = TextRect(cell, charWidth);
    if (length) DrawCellText(dc, buffer, length, &text, flags);
  }
  return written;
}

void TablePrintContext::DrawColumnBorders(int top, int bottom, HPEN pen) {
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 0; i < columnCount; ++i) {
    int x = marginLeft + columns[i].x + columns[i].width - 1;
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
  }
  SelectObject(dc, old);
}
