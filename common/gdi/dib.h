// Packed device-independent bitmaps: one movable global block holding a
// bitmap header, its colour table and the pixel bits.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Colours of a header: a 12-byte core header by its bit count; a larger
// header biClrUsed when not 0, else the bit count (1: 2, 4: 16, 8: 256,
// other 0).
DWORD DibColorCount(const BITMAPINFOHEADER* header);
// The colour count * 4, or * 3 for a core header.
DWORD DibColorTableSize(const BITMAPINFOHEADER* header);
// Bytes of an uncompressed image: rows padded to 32 bits, times |height|.
uint64_t DibImageSize(int64_t width, int64_t height, unsigned bitCount);

// Where the parts of a packed DIB lie; filled only when they all fit.
struct DibLayout {
  size_t headerSize;
  size_t tableSize;  // colour table, with the three masks of BI_BITFIELDS
  size_t bitsOffset;
  size_t bitsSize;
};
// Checks the header, colour table and bits against the block's size.
bool DibFits(const void* dib, size_t size, DibLayout* layout);

// Copies the header as a 40-byte BITMAPINFOHEADER (a core header is
// widened); fills a zero biSizeImage and a zero biClrUsed. False when the
// block is too small for its header.
bool GetDibInfo(HGLOBAL block, BITMAPINFOHEADER* header);

// A palette for a 40-byte header: its colour table, or for 24 bits without
// one the 256-entry colour cube; 0 otherwise. The colour table must be
// there behind the header (DrawDib checks the block first).
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header);

// Draws the DIB at (x, y): at its own size when width or height is 0, else
// stretched to width * height. 1 when drawn; 0 without a palette or when
// the block does not hold what its header says.
int DrawDib(HGLOBAL block, HDC dc, int x, int y, int width, int height);
