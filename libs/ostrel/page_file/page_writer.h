// Writers of page-file records over an open Win32 file handle. Each writes
// one record with one WriteFile and returns non-zero when every byte was
// written; a null handle writes nothing and gives 0. None of them reports
// an error itself: the caller decides.
//
// Texts: a null text is empty; a text is cut where the 16-bit record length
// ends, so that the record stays whole. Lengths given with a text count at
// most up to its first NUL.
#pragma once
#include <windows.h>

#include "grusk.h"
#include "page_records.h"

// The bytes as they are.
BOOL WritePageFileData(HANDLE file, const void* bytes, DWORD count);

// '#': page number (1 to 255; any other writes nothing and gives 0), the
// DC's HORZRES and VERTRES and the font's metrics on it (the font is
// selected for them and the old one restored).
BOOL WritePageHeader(HANDLE file, int page, HDC printer, HFONT font);

// 'F': face, size in points (above 255 stores 255, below 0 stores 0),
// style 'B', 'I' or 0.
BOOL WritePageFont(HANDLE file, const char* face, int points, char style);

// 'F' with the print font's size and face, style 0.
BOOL WritePagePrintFont(HANDLE file, const GruskFont* font);

// 'B': the box and its sides (kPageSide* bits).
BOOL WritePageBox(HANDLE file, const RECT* box, uint8_t sides);

// 'T': alignment 'L', 'C' or 'R' and the text.
BOOL WritePageText(HANDLE file, char alignment, const char* text);

// 'H': column number (0-based), its rectangle and title_length bytes of the
// title.
BOOL WritePageHead(HANDLE file, int column, const RECT* box, int title_length,
                   const char* title);

// 'L' or 'R' (type): column number, the rectangle's top and bottom, the
// DrawText flags and text_length bytes of the text.
BOOL WritePageRow(HANDLE file, char type, int column, const RECT* box, UINT flags,
                  int text_length, const char* text);

// 'G' with its six values 0.
BOOL WritePageGrid(HANDLE file);

// 'E'.
BOOL WritePageEnd(HANDLE file);
