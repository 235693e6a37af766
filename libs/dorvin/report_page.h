// The page a report is laid out on: the printer's device context, the page
// file that takes the output instead of the device (0 on the printer), the
// print font, the margins and the printable area in device units, and the
// columns of the TABLE part being read.
#pragma once
#include <windows.h>

#include <cstdint>

#include "compiled_form.h"

// One column of a TABLE part, as the table printer lays it out.
struct ReportColumn {
  uint16_t field;        // 1-based field of the first record set, 0 when unknown
  uint16_t footerLines;
  uint16_t width;        // device units; 0 does not print
  uint16_t x;            // from the left margin
  uint16_t titleOffset;  // of its heading in the joined headings
  uint16_t titleLength;
};

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
  ReportColumn columns[compiled_form::kMaxColumns] = {};
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
