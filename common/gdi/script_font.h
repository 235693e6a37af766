// Fonts for scripts and reports, and a device context's character width.
#pragma once
#include <windows.h>

// Height -(points * LOGPIXELSY / 72); face up to 31 characters; style
// beginning with "B" gives weight 700, with "I" italic, else normal.
HFONT CreateScriptFont(HDC dc, const char* face, int points, const char* style);
// The larger of the width of "N" and the font's average character width.
int DeviceCharWidth(HDC dc);
