// Millimetres to device units: pixels per millimetre across and down, from
// a device's resolution and physical size.
#pragma once
#include <windows.h>

#include "settings_text.h"

struct MillimetreScale {
  float horizontal;  // HORZRES / HORZSIZE
  float vertical;    // VERTRES / VERTSIZE
};

// A size of 0 gives the factor 0 (a device that tells no size).
MillimetreScale ScaleFromCaps(int horzRes, int horzSize, int vertRes, int vertSize);
MillimetreScale ScaleOf(HDC dc);
// millimetres * factor, truncated toward zero (held within the int range).
int ToDeviceUnits(int millimetres, float factor);
// The margins in device units as a RECT: left, top, right, bottom.
RECT MarginsInUnits(const Margins& margins, MillimetreScale scale);
