#include "bmp_file.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "dib.h"
#include "file_bytes.h"

namespace {

const size_t kFileHeaderSize = 14;

DWORD Dword(const unsigned char* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
         (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

HGLOBAL Fail(unsigned short* error, unsigned short code) {
  *error = code;
  return 0;
}

}  // namespace

HGLOBAL LoadDibFromBytes(const unsigned char* data, size_t size, unsigned short* error) {
  unsigned short dummy;
  if (!error) error = &dummy;
  *error = 0;
  if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') return Fail(error, 11);
  const DWORD offBits = Dword(data + 10);
  // The header is read by its own size, which comes first.
  if (size < kFileHeaderSize + 4) return Fail(error, 30);
  const DWORD headerSize = Dword(data + kFileHeaderSize);
  if (headerSize != sizeof(BITMAPCOREHEADER) && headerSize != sizeof(BITMAPINFOHEADER)) return Fail(error, 11);
  if (size - kFileHeaderSize < headerSize) return Fail(error, 30);

  BITMAPINFOHEADER info{};
  const bool core = headerSize == sizeof(BITMAPCOREHEADER);
  if (core) {
    BITMAPCOREHEADER c;
    std::memcpy(&c, data + kFileHeaderSize, sizeof c);
    info.biWidth = c.bcWidth;
    info.biHeight = c.bcHeight;
    info.biPlanes = c.bcPlanes;
    info.biBitCount = c.bcBitCount;
    info.biCompression = BI_RGB;
  } else {
    std::memcpy(&info, data + kFileHeaderSize, sizeof info);
  }
  info.biSize = sizeof(BITMAPINFOHEADER);

  const unsigned bits = info.biBitCount;
  const bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 24 || (!core && (bits == 16 || bits == 32));
  if (!knownBits || info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN) return Fail(error, 11);
  const bool rle = info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4;
  // 16- and 32-bit files often carry their three channel masks; they go
  // into the block ahead of the colour table so that it stays well-formed.
  const bool masks = info.biCompression == BI_BITFIELDS;
  if (info.biCompression != BI_RGB && !rle && !masks) return Fail(error, 11);
  if (rle && (bits != (info.biCompression == BI_RLE8 ? 8u : 4u) || info.biHeight < 0)) return Fail(error, 11);
  if (masks && bits != 16 && bits != 32) return Fail(error, 11);
  const uint64_t maskSize = masks ? 12 : 0;

  // Colours: at most 2^bpp up to 8 bits, at most 256 beyond; they must lie
  // before the bits.
  DWORD colors = core ? 0 : info.biClrUsed;
  if (colors == 0 && bits <= 8) colors = 1u << bits;
  if (colors > 256 || (bits <= 8 && colors > (1u << bits))) return Fail(error, 11);
  const uint64_t entrySize = core ? 3 : 4;
  const uint64_t tableStart = kFileHeaderSize + headerSize;
  const uint64_t tableEnd = tableStart + maskSize + colors * entrySize;
  if (tableEnd > size) return Fail(error, 30);
  if (offBits != 0 && (offBits < tableEnd || offBits > size)) return Fail(error, 11);
  const uint64_t bitsStart = offBits ? offBits : tableEnd;
  const uint64_t available = size - bitsStart;

  // Sizes in 64 bits, capped by the file.
  uint64_t imageSize;
  if (rle) {
    if (info.biSizeImage == 0) return Fail(error, 11);
    if (info.biSizeImage > available) return Fail(error, 30);
    imageSize = info.biSizeImage;
  } else {
    // Taken from the dimensions: a biSizeImage smaller than the rows would
    // leave the bits short of what drawing reads.
    const uint64_t needed = DibImageSize(info.biWidth, info.biHeight, bits);
    if (needed > available) return Fail(error, 30);
    imageSize = needed;  // a larger biSizeImage only counts padding we do not need
  }
  const uint64_t total = sizeof(BITMAPINFOHEADER) + maskSize + colors * 4ull + imageSize;
  if (total > 0x7FFFFFFF) return Fail(error, 115);
  info.biSizeImage = static_cast<DWORD>(imageSize);
  info.biClrUsed = colors;
  if (core) info.biClrImportant = colors;

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
  if (!block) return Fail(error, 115);
  unsigned char* out = static_cast<unsigned char*>(GlobalLock(block));
  if (!out) {
    GlobalFree(block);
    return Fail(error, 115);
  }
  std::memcpy(out, &info, sizeof info);
  std::memcpy(out + sizeof info, data + tableStart, static_cast<size_t>(maskSize));
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(out + sizeof info + maskSize);
  const unsigned char* in = data + tableStart + maskSize;
  for (DWORD i = 0; i < colors; ++i, in += entrySize) {
    table[i].rgbBlue = in[0];
    table[i].rgbGreen = in[1];
    table[i].rgbRed = in[2];
    table[i].rgbReserved = core ? 0 : in[3];
  }
  std::memcpy(out + sizeof info + maskSize + colors * 4, data + bitsStart, static_cast<size_t>(imageSize));
  GlobalUnlock(block);
  return block;
}

HGLOBAL LoadBitmapFile(const char* path, unsigned short* error) {
  unsigned short dummy;
  if (!error) error = &dummy;
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(path, bytes, error)) return 0;
  return LoadDibFromBytes(bytes.data(), bytes.size(), error);
}
