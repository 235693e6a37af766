// The page a report is laid out on: the printer's device context, the page
// file that takes the output instead of the device (0 on the printer), the
// print font, the margins and the printable area in device units, and the
// columns of the TABLE part being read.
#pragma once
#include <windows.h>

#include "compiled_form.h"
#include "table_print_context.h"

// The columns of a TABLE part are laid out as the table printer's.
static_assert(compiled_form::kMaxColumns == kMaxTableColumns, "TABLE columns");

struct ReportPage {
  HDC dc = nullptr;
  HANDLE pageFile = nullptr;
  HFONT font = nullptr;  // the print font, base of the table part
  RECT margins = {};     // left, top, right, bottom
  // HORZRES less the side margins; VERTRES less the top and bottom margins
  // (set by MeasurePage), and VERTRES itself.
  int width = 0;
  int height = 0;
  int pageHeight = 0;
  TableColumn columns[kMaxTableColumns] = {};
  int columnCount = 0;

  // Printable width and height from the device and the margins.
  void MeasurePage() {
    width = GetDeviceCaps(dc, HORZRES) - margins.left - margins.right;
    pageHeight = GetDeviceCaps(dc, VERTRES);
    height = pageHeight - margins.top - margins.bottom;
  }
  // Boxes end above the bottom margin.
  int BottomLimit() const { return pageHeight - margins.bottom; }
};
