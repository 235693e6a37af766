#include "dib.h"

#include <cstring>
#include <vector>

namespace {

DWORD ColorsForBits(unsigned bitCount) {
  switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

bool ValidBitCount(unsigned bitCount, bool core) {
  switch (bitCount) {
    case 1: case 4: case 8: case 24: return true;
    case 16: case 32: return !core;
    default: return false;
  }
}

}  // namespace

DWORD DibColorCount(const BITMAPINFOHEADER* header) {
  if (header->biSize == sizeof(BITMAPCOREHEADER))
    return ColorsForBits(reinterpret_cast<const BITMAPCOREHEADER*>(header)->bcBitCount);
  if (header->biClrUsed) return header->biClrUsed;
  return ColorsForBits(header->biBitCount);
}

DWORD DibColorTableSize(const BITMAPINFOHEADER* header) {
  return DibColorCount(header) * (header->biSize == sizeof(BITMAPCOREHEADER) ? 3 : 4);
}

uint64_t DibImageSize(int64_t width, int64_t height, unsigned bitCount) {
  if (width < 0) width = -width;
  if (height < 0) height = -height;
  uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  return stride * static_cast<uint64_t>(height);
}

bool DibFits(const void* dib, size_t size, DibLayout* layout) {
  if (!dib || size < 4) return false;
  DWORD headerSize;
  std::memcpy(&headerSize, dib, 4);
  uint64_t table, bits;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    if (size < headerSize) return false;
    BITMAPCOREHEADER core;
    std::memcpy(&core, dib, sizeof core);
    if (core.bcWidth == 0 || core.bcHeight == 0 || !ValidBitCount(core.bcBitCount, true)) return false;
    table = ColorsForBits(core.bcBitCount) * 3ull;
    bits = DibImageSize(core.bcWidth, core.bcHeight, core.bcBitCount);
  } else {
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return false;
    BITMAPINFOHEADER info;
    std::memcpy(&info, dib, sizeof info);
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN ||
        !ValidBitCount(info.biBitCount, false))
      return false;
    DWORD colors = DibColorCount(&info);
    if (colors > 256 || (info.biBitCount <= 8 && colors > ColorsForBits(info.biBitCount))) return false;
    table = colors * 4ull;
    switch (info.biCompression) {
      case BI_RGB:
        bits = DibImageSize(info.biWidth, info.biHeight, info.biBitCount);
        break;
      case BI_BITFIELDS:
        if (info.biBitCount != 16 && info.biBitCount != 32) return false;
        if (headerSize == sizeof(BITMAPINFOHEADER)) table += 12;  // the three masks
        bits = DibImageSize(info.biWidth, info.biHeight, info.biBitCount);
        break;
      case BI_RLE8:
      case BI_RLE4:
        if (info.biBitCount != (info.biCompression == BI_RLE8 ? 8 : 4) || info.biHeight < 0 ||
            info.biSizeImage == 0)
          return false;
        bits = info.biSizeImage;
        break;
      default:
        return false;
    }
  }
  if (headerSize + table + bits > size) return false;
  if (layout) {
    layout->headerSize = headerSize;
    layout->tableSize = static_cast<size_t>(table);
    layout->bitsOffset = static_cast<size_t>(headerSize + table);
    layout->bitsSize = static_cast<size_t>(bits);
  }
  return true;
}

bool GetDibInfo(HGLOBAL block, BITMAPINFOHEADER* header) {
  std::memset(header, 0, sizeof *header);
  if (!block) return false;
  size_t size = GlobalSize(block);
  const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(block));
  if (!p) return false;
  bool ok = false;
  DWORD headerSize = 0;
  if (size >= 4) std::memcpy(&headerSize, p, 4);
  if (headerSize == sizeof(BITMAPCOREHEADER) && size >= headerSize) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, p, sizeof core);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = core.bcWidth;
    header->biHeight = core.bcHeight;
    header->biPlanes = core.bcPlanes;
    header->biBitCount = core.bcBitCount;
    header->biSizeImage = static_cast<DWORD>(DibImageSize(core.bcWidth, core.bcHeight, core.bcBitCount));
    header->biClrUsed = ColorsForBits(core.bcBitCount);
    header->biClrImportant = header->biClrUsed;
    ok = true;
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && size >= sizeof(BITMAPINFOHEADER)) {
    std::memcpy(header, p, sizeof *header);
    if (header->biSizeImage == 0)
      header->biSizeImage = static_cast<DWORD>(DibImageSize(header->biWidth, header->biHeight, header->biBitCount));
    if (header->biClrUsed == 0) header->biClrUsed = DibColorCount(header);
    ok = true;
  }
  GlobalUnlock(block);
  return ok;
}

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header) {
  if (!header || header->biSize != sizeof(BITMAPINFOHEADER)) return 0;
  DWORD colors = DibColorCount(header);
  if (colors > 256) return 0;
  if (colors == 0 && header->biBitCount != 24) return 0;
  const DWORD entries = colors ? colors : 256;
  std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries);
  if (colors) {
    // The channel masks of BI_BITFIELDS come ahead of the colours.
    const DWORD masks = header->biCompression == BI_BITFIELDS ? 12 : 0;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const unsigned char*>(header) + header->biSize + masks);
    for (DWORD i = 0; i < colors; ++i) {
      palette->palPalEntry[i].peRed = table[i].rgbRed;
      palette->palPalEntry[i].peGreen = table[i].rgbGreen;
      palette->palPalEntry[i].peBlue = table[i].rgbBlue;
      palette->palPalEntry[i].peFlags = 0;
    }
  } else {
    // No colour table for 24 bits: an 8 x 8 x 4 colour cube.
    for (DWORD i = 0; i < 256; ++i) {
      palette->palPalEntry[i].peRed = static_cast<BYTE>((i % 8) * 32);
      palette->palPalEntry[i].peGreen = static_cast<BYTE>(((i / 8) % 8) * 32);
      palette->palPalEntry[i].peBlue = static_cast<BYTE>((i / 64) * 64);
      palette->palPalEntry[i].peFlags = 0;
    }
  }
  return CreatePalette(palette);
}

int DrawDib(HGLOBAL block, HDC dc, int x, int y, int width, int height) {
  if (!block || !dc) return 0;
  size_t size = GlobalSize(block);
  const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(block));
  if (!p) return 0;
  int drawn = 0;
  DibLayout layout;
  const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(p);
  HPALETTE palette = DibFits(p, size, &layout) ? CreateDibPalette(header) : 0;
  if (palette) {
    HPALETTE oldPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(p);
    HBITMAP bitmap = CreateDIBitmap(dc, header, CBM_INIT, p + layout.bitsOffset, info, DIB_RGB_COLORS);
    HDC memory = bitmap ? CreateCompatibleDC(dc) : 0;
    if (memory) {
      HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
      const int naturalWidth = header->biWidth;
      const int naturalHeight = header->biHeight < 0 ? -header->biHeight : header->biHeight;
      if (width == 0 || height == 0)
        drawn = BitBlt(dc, x, y, naturalWidth, naturalHeight, memory, 0, 0, SRCCOPY) ? 1 : 0;
      else
        drawn = StretchBlt(dc, x, y, width, height, memory, 0, 0, naturalWidth, naturalHeight, SRCCOPY) ? 1 : 0;
      SelectObject(memory, oldBitmap);
      DeleteDC(memory);
    }
    if (bitmap) DeleteObject(bitmap);
    SelectPalette(dc, oldPalette, FALSE);
    DeleteObject(palette);
  }
  GlobalUnlock(block);
  return drawn;
}
