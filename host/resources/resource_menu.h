// Menus from menu resources of either layout, and the "window" popup that
// a script's menu marks with MF_CHECKED.
#pragma once
#include <windows.h>

#include <cstddef>

// 16-bit menu template: a 4-byte header, then items (flag word; a popup's
// ANSI text and its own items, or a command id and ANSI text). MF_END marks
// a level's last item; an empty text gives a separator. 0 on any failure,
// including a template that runs past its data.
HMENU LoadMenu16(HGLOBAL block);
HMENU LoadMenu16Data(const unsigned char* data, size_t size);

// 32-bit menu template (standard or extended): checked against its data
// before it is handed to LoadMenuIndirect; 0 when it does not fit.
HMENU LoadMenu32(HGLOBAL block);
HMENU LoadMenu32Data(const unsigned char* data, size_t size);
bool MenuTemplate32Fits(const unsigned char* data, size_t size);

// The popup of the first top-level item marked checked (the mark stays), or 0.
HMENU FindWindowMenu(HMENU menu);
