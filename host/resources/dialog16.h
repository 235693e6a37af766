// Turns a 16-bit dialog template into a 32-bit DLGTEMPLATE.
#pragma once
#include <windows.h>

#include <cstddef>

// Returns a new movable block with the 32-bit template, or 0 when the
// template runs past its data or an allocation fails. An item's creation
// data (a length byte and that many bytes) are skipped; the 32-bit items
// carry none.
HGLOBAL ConvertDialog16(HGLOBAL block);
HGLOBAL ConvertDialog16Data(const unsigned char* data, size_t size);
