// Process-wide settings of every grid: the column gap and the marker pen,
// changed by the tuning sheet and the INI settings.
#include "grid_window.h"

namespace {

int columnGap = 2;
int markerWidth = 1;
COLORREF markerColor = RGB(255, 0, 0);

}  // namespace

int GridColumnGap() { return columnGap; }

int SetGridColumnGap(int gap) {
  int old = columnGap;
  if (gap >= 0) columnGap = gap;
  return old;
}

int GridMarkerWidth() { return markerWidth; }

int SetGridMarkerWidth(int width) {
  int old = markerWidth;
  if (width >= 1) markerWidth = width;
  return old;
}

COLORREF GridMarkerColor() { return markerColor; }

COLORREF SetGridMarkerColor(COLORREF color) {
  COLORREF old = markerColor;
  markerColor = color;
  return old;
}
