// TablePrintContext::PrintPages: the table's pages on a printer or in a
// page file, the page breaks planned by PlanPages (page_breaks.h).
#include <cstring>

#include "grusk.h"
#include "page_breaks.h"
#include "page_file.h"
#include "table_print_context.h"

namespace {

const int kNoError = 0;
const int kWriteError = 29;
const int kStartPageError = 104;
const int kEndPageError = 105;
const int kTooManyPages = 111;

const UINT kHeadFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

class TablePages : public PageSteps {
 public:
  TablePages(TablePrintContext* c, RecordSetObject* records) : c_(c), records_(records) {}

  int firstTop = 0;  // the top margin every page but the first starts at

  // The highest head of the laid-out columns (each measured in its column).
  int MeasureHeads() const {
    const char* block = c_->LockTitles();
    int highest = 0;
    for (int i = 0; block && i < c_->columnCount; ++i) {
      const TableColumn& column = c_->columns[i];
      RECT r = {0, 0, column.width > 0 ? column.width : 1, 0};
      DrawTextA(c_->dc, block + column.titleOffset, column.titleLength, &r, kHeadFormat | DT_CALCRECT);
      if (r.bottom - r.top > highest) highest = r.bottom - r.top;
    }
    c_->UnlockTitles();
    return highest;
  }

  int TableRight() const {
    if (c_->columnCount == 0) return c_->marginLeft;
    const TableColumn& last = c_->columns[c_->columnCount - 1];
    return c_->marginLeft + last.x + last.width;
  }

  // The column heads at the current top margin, as 'H' records or drawn
  // with the lines over and under them.
  int Heads() {
    const char* block = c_->LockTitles();
    const int top = c_->marginTop;
    const int bottom = top + c_->titleHeight;
    bool written = true;
    for (int i = 0; i < c_->columnCount; ++i) {
      const TableColumn& column = c_->columns[i];
      RECT r = {c_->marginLeft + column.x, top, c_->marginLeft + column.x + column.width, bottom};
      const char* title = block ? block + column.titleOffset : "";
      const int length = block ? column.titleLength : 0;
      if (c_->pageFile) {
        written = WritePageHead(c_->pageFile, i, &r, length, title) && written;
      } else {
        r.top += c_->lineHeight / 4;
        DrawTextA(c_->dc, title, length, &r, kHeadFormat);
      }
    }
    c_->UnlockTitles();
    if (!c_->pageFile) {
      Line(c_->dc, c_->marginLeft, top, TableRight(), top);
      Line(c_->dc, c_->marginLeft, bottom, TableRight(), bottom);
    }
    return written ? kNoError : kWriteError;
  }

  // Column borders from the heads' top down to y, and a line across at y.
  void Borders(int bottom) {
    if (c_->pageFile) return;
    Line(c_->dc, c_->marginLeft, c_->marginTop, c_->marginLeft, bottom);
    for (int i = 0; i < c_->columnCount; ++i) {
      const int x = c_->marginLeft + c_->columns[i].x + c_->columns[i].width;
      Line(c_->dc, x, c_->marginTop, x, bottom);
    }
    Line(c_->dc, c_->marginLeft, bottom, TableRight(), bottom);
  }

  bool Show(int page, int pages) override { return PRNSHOW(page, pages) != 0; }

  int NextPage(int page) override {
    if (c_->pageFile) {
      if (!WritePageGrid(c_->pageFile) || !WritePageHeader(c_->pageFile, page, c_->dc, c_->font) ||
          !WritePagePrintFont(c_->pageFile, PRNGETFONT()))
        return kWriteError;
    } else {
      SelectObject(c_->dc, oldFont_);
      if (EndPage(c_->dc) < 0) return kEndPageError;
      if (StartPage(c_->dc) <= 0) return kStartPageError;
      SelectObject(c_->dc, c_->font);
      SetBkMode(c_->dc, TRANSPARENT);
    }
    c_->marginTop = firstTop;
    return Heads();
  }

  int Rows(long first, long rows) override {
    for (long i = 0; i < rows; ++i) {
      if (!records_->GoToRecord(first + i)) continue;
      if (!c_->DrawLine(records_, static_cast<int>(i), c_->pageFile, RGB(0, 0, 0))) return kWriteError;
    }
    rowsBottom_ = c_->RowsTop() + static_cast<int>(rows) * c_->RowHeight();
    Borders(rowsBottom_);
    return kNoError;
  }

  int Footer() {
    const int top = rowsBottom_;
    if (c_->footerLines > 0) {
      if (!c_->DrawFooter(records_, top, c_->pageFile)) return kWriteError;
      if (!c_->pageFile) {
        Line(c_->dc, c_->marginLeft, top, c_->marginLeft, top + c_->footerHeight);
        for (int i = 0; i < c_->columnCount; ++i) {
          const int x = c_->marginLeft + c_->columns[i].x + c_->columns[i].width;
          Line(c_->dc, x, top, x, top + c_->footerHeight);
        }
        Line(c_->dc, c_->marginLeft, top + c_->footerHeight, TableRight(), top + c_->footerHeight);
      }
      c_->marginTop = top + c_->footerHeight;
    } else {
      c_->marginTop = top;
    }
    return kNoError;
  }

  void SelectFont() {
    oldFont_ = SelectObject(c_->dc, c_->font);
    if (!c_->pageFile) SetBkMode(c_->dc, TRANSPARENT);
  }
  void RestoreFont() { SelectObject(c_->dc, oldFont_); }
  void StartRowsAt(int top) { rowsBottom_ = top; }

 private:
  TablePrintContext* c_;
  RecordSetObject* records_;
  HGDIOBJ oldFont_ = nullptr;
  int rowsBottom_ = 0;
};

}  // namespace

int TablePrintContext::PrintPages(RecordSetObject* records, int titleBottom, int extraHeight) {
  // 1. No records: no heads, no rows.
  const long count = records ? records->RecordCount() : 0;
  if (count <= 0) return kNoError;
  if (pageFile && !writeRow) writeRow = WritePageRow;

  // 2. Footer lines, metrics, heads, rows per page.
  TablePages pages(this, records);
  footerLines = 0;
  for (int i = 0; i < columnCount; ++i)
    if (columns[i].footerLines > footerLines) footerLines = columns[i].footerLines;
  pages.SelectFont();
  MeasureFont();
  if (linesPerRow < 1) linesPerRow = 1;
  titleHeight = pages.MeasureHeads() + lineHeight / 2;
  footerHeight = footerLines > 0 ? footerLines * lineHeight + lineHeight / 2 : 0;
  const int r0 = (height - marginTop - titleHeight - footerHeight - marginBottom) / RowHeight();
  rowsPerPage = r0 > 0 ? r0 : 0;

  // 3. The plan; a page file holds at most 255 pages.
  const int d = height - marginTop - titleHeight;
  const PagePlan plan = PlanPages(count, RowHeight(), d, titleBottom, extraHeight, footerHeight);
  if (pageFile && plan.pages > kPageMaxNumber) {
    pages.RestoreFont();
    return kTooManyPages;
  }
  pages.firstTop = marginTop;
  marginTop += titleBottom;
  pages.StartRowsAt(RowsTop());
  int error = pages.Heads();

  // 4-5. The pages; 6. the footer after the last one.
  bool stopped = false;
  if (!error) error = RunPagePlan(plan, &pages, &stopped);
  if (!error && !stopped) error = pages.Footer();

  // 7.
  pages.RestoreFont();
  return error;
}
