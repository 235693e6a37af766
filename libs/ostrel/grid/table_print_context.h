// TablePrintContext: the layout of one table on one device (the grid
// window, a printer, or a page file): the font and its metrics, the usable
// area and margins, the column titles, and the laid-out columns. The grid
// window lays it out for the screen (grid_layout.cpp); table printing and
// the form library's TABLE part lay it out for a printer or page file and
// draw through DrawHeads, DrawLine and DrawFooter below.
#pragma once
#include <windows.h>

#include <cstdint>

#include "record_set_object.h"

// At most this many columns are laid out (more fields are scrolled to).
const int kMaxTableColumns = 32;
// Cell, footer and owner-request buffers hold 80 bytes; 79 characters.
const int kCellBuffer = 80;

// One laid-out column: six 16-bit words.
struct TableColumn {
  uint16_t field;        // 1-based field number of the record set
  uint16_t footerLines;  // footer lines of the field (GetFooter)
  uint16_t width;        // device units
  uint16_t x;            // offset from the left margin
  uint16_t titleOffset;  // of the title in the titles block
  uint16_t titleLength;
};

// Writes one page-file cell record ('L' data cell or 'R' footer cell):
// column (0-based), the cell's rectangle (top and bottom are stored),
// DrawText flags, text length and text. Non-zero when written. The page-file
// writer provides it; the grid engine itself never links the writer, so a
// context that writes to a page file is given the writer with the handle.
typedef BOOL (*PageRowWriter)(HANDLE file, char type, int column, const RECT* cell, UINT flags, int length,
                              const char* text);

class TablePrintContext {
 public:
  // Device context; the window that answers virtual and picture columns
  // (WM_COMMAND with the column's event code and an 80-byte buffer); the
  // page file (not 0: cells are written there instead of drawn); the font.
  HDC dc = nullptr;
  HWND owner = nullptr;
  HANDLE pageFile = nullptr;
  HFONT font = nullptr;
  // The larger of the width of "0" and tmAveCharWidth; the larger of the
  // height of "0" and tmHeight + tmExternalLeading (device units).
  int charWidth = 0;
  int lineHeight = 0;
  // Usable width and height; margins.
  int width = 0;
  int height = 0;
  int marginLeft = 0;
  int marginTop = 0;
  int marginRight = 0;
  int marginBottom = 0;
  // The column titles, '|'-separated, in a movable global block ("\n" of
  // the script text stored as one line-feed byte); owned by the context
  // unless lent (see Lend/Borrowed below).
  HGLOBAL titles = nullptr;
  // Counts are plain ints: a window lower than one row has 0 rows (never a
  // negative or wrapped count) and column counts never wrap.
  int titleHeight = 0;
  int footerHeight = 0;
  int rowsPerPage = 0;
  int footerLines = 0;
  int linesPerRow = 1;
  int columnCount = 0;
  TableColumn columns[kMaxTableColumns] = {};
  // Page-file cell writer used while pageFile is not 0 (see PageRowWriter).
  PageRowWriter writeRow = nullptr;
  // True when `titles` belongs to another context (the printer borrows the
  // window's titles); a borrowed block is never freed here.
  bool titlesBorrowed = false;

  TablePrintContext() = default;
  ~TablePrintContext();
  TablePrintContext(const TablePrintContext&) = delete;
  TablePrintContext& operator=(const TablePrintContext&) = delete;

  int RowHeight() const { return linesPerRow * lineHeight; }

  // Stores the '|'-separated titles of a record set with fieldCount
  // fields: "\n" becomes one line-feed byte, any other backslash stays;
  // fewer titles than fields are padded with '|'. More titles than fields:
  // message 122 through ERRBOX (owner: the focus window), the block is
  // freed, false. No memory: message 8, false.
  bool SetTitle(const char* text, int fieldCount);
  // Frees the titles block (unless borrowed).
  void FreeTitles();
  // Uses another context's titles block without owning it.
  void BorrowTitles(const TablePrintContext& from);

  // Title of field `field` (1-based) in the block: a pointer into the
  // locked block and its length. Call between LockTitles and UnlockTitles.
  const char* LockTitles();
  void UnlockTitles();
  static int TitleSpan(const char* block, int field, const char** start);

  // Character width and line height of the font selected in dc.
  void MeasureFont();

  // Draws the current record of `records` as line `line` (0-based, below
  // the titles) into the laid-out columns; the caller fills the cells (the
  // window with its row brush; paper needs none). textColor is the colour
  // of its text on a device (the window draws deleted records in the
  // scroll-bar colour). With pageFile not 0 the cells are written as 'L' records
  // through writeRow instead; pass 0 to draw on the device whatever the
  // context holds. The cell texts are asked once per cell into an 80-byte
  // buffer and drawn with the returned length (at most 79 bytes).
  // False when a page-file write failed.
  bool DrawLine(RecordSetObject* records, int line, HANDLE pageFile, COLORREF textColor);
  // The footer texts of the laid-out columns in the band starting at y
  // (device) or as 'R' records (pageFile not 0; a column without footer
  // text still gets one, empty, flags 0). False when a write failed.
  bool DrawFooter(RecordSetObject* records, int top, HANDLE pageFile);
  // Column borders from top to bottom (device only).
  void DrawColumnBorders(int top, int bottom, HPEN pen);
  // The cell rectangle of laid-out column `column` on line `line`.
  RECT CellRect(int column, int line) const;
  // The line's rectangle across the usable width.
  RECT LineRect(int line) const;
  // Top of the rows area.
  int RowsTop() const { return marginTop + titleHeight; }

  // Prints the records of a laid-out table on the printer (dc, a page
  // begun) or into pageFile, page by page: the column heads on each page,
  // the rows, the footer; titleBottom is the room the title takes above
  // the first page's heads, extraHeight the room kept under the last
  // page's rows. Returns 0, 104 or 105 (StartPage, EndPage), 111 (a page
  // file past 255 pages, refused before any row) or 29 (a page-file write
  // failed). Afterwards marginTop points under the table. Defined by the
  // table printing library (ostrel_output), which links Grusk.
  int PrintPages(RecordSetObject* records, int titleBottom, int extraHeight);
};
