// The fonts of a table made by this library (OSTREL_Font, the stored
// "TableFont", the tuning sheet's FONT page) belong to the library: the
// grid replaces them on WM_SETFONT but leaves the last one to its maker.
#pragma once
#include <windows.h>

// Makes the table window delete its font as it is destroyed.
void OwnTableFont(HWND table);
