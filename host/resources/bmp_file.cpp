#include "bmp_file.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "dib.h"

namespace {

const size_t kFileHeaderSize = 14;

DWORD Dword(const unsigned char* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
         (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

// Where the parts of a checked BMP file lie, and its widened header.
struct BmpParts {
  BITMAPINFOHEADER info;
  bool core;
  DWORD colors;
  uint64_t tableStart, maskSize, bitsStart, imageSize;
};

// 0 when the file is a well-formed BMP, else its error.
unsigned short ParseBmp(const unsigned char* data, size_t size, BmpParts* parts) {
  if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M') return 11;
  const DWORD offBits = Dword(data + 10);
  // The header is read by its own size, which comes first.
  if (size < kFileHeaderSize + 4) return 30;
  const DWORD headerSize = Dword(data + kFileHeaderSize);
  if (headerSize != sizeof(BITMAPCOREHEADER) && headerSize != sizeof(BITMAPINFOHEADER)) return 11;
  if (size - kFileHeaderSize < headerSize) return 30;

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
  if (!knownBits || info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN) return 11;
  const bool rle = info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4;
  // 16- and 32-bit files often carry their three channel masks; they go
  // into the block ahead of the colour table so that it stays well-formed.
  const bool masks = info.biCompression == BI_BITFIELDS;
  if (info.biCompression != BI_RGB && !rle && !masks) return 11;
  if (rle && (bits != (info.biCompression == BI_RLE8 ? 8u : 4u) || info.biHeight < 0)) return 11;
  if (masks && bits != 16 && bits != 32) return 11;
  const uint64_t maskSize = masks ? 12 : 0;

  // Colours: at most 2^bpp up to 8 bits, at most 256 beyond; they must lie
  // before the bits.
  DWORD colors = core ? 0 : info.biClrUsed;
  if (colors == 0 && bits <= 8) colors = 1u << bits;
  if (colors > 256 || (bits <= 8 && colors > (1u << bits))) return 11;
  const uint64_t entrySize = core ? 3 : 4;
  const uint64_t tableStart = kFileHeaderSize + headerSize;
  const uint64_t tableEnd = tableStart + maskSize + colors * entrySize;
  if (tableEnd > size) return 30;
  if (offBits != 0 && (offBits < tableEnd || offBits > size)) return 11;
  const uint64_t bitsStart = offBits ? offBits : tableEnd;
  const uint64_t available = size - bitsStart;

  // Sizes in 64 bits, capped by the file.
  uint64_t imageSize;
  if (rle) {
    if (info.biSizeImage == 0) return 11;
    if (info.biSizeImage > available) return 30;
    imageSize = info.biSizeImage;
  } else {
    // Taken from the dimensions: a biSizeImage smaller than the rows would
    // leave the bits short of what drawing reads.
    const uint64_t needed = DibImageSize(info.biWidth, info.biHeight, bits);
    if (needed > available) return 30;
    imageSize = needed;  // a larger biSizeImage only counts padding we do not need
  }
  if (sizeof(BITMAPINFOHEADER) + maskSize + colors * 4ull + imageSize > 0x7FFFFFFF) return 115;
  info.biSizeImage = static_cast<DWORD>(imageSize);
  info.biClrUsed = colors;
  if (core) info.biClrImportant = colors;
  *parts = {info, core, colors, tableStart, maskSize, bitsStart, imageSize};
  return 0;
}

// The packed DIB of a parsed file; without bits it ends after the colour
// table (biSizeImage still tells how many follow in the file).
HGLOBAL BuildDib(const unsigned char* data, const BmpParts& p, bool withBits, unsigned short* error) {
  const uint64_t total = sizeof(BITMAPINFOHEADER) + p.maskSize + p.colors * 4ull + (withBits ? p.imageSize : 0);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
  unsigned char* out = block ? static_cast<unsigned char*>(GlobalLock(block)) : nullptr;
  if (!out) {
    if (block) GlobalFree(block);
    *error = 115;
    return 0;
  }
  std::memcpy(out, &p.info, sizeof p.info);
  std::memcpy(out + sizeof p.info, data + p.tableStart, static_cast<size_t>(p.maskSize));
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(out + sizeof p.info + p.maskSize);
  const size_t entrySize = p.core ? 3 : 4;
  const unsigned char* in = data + p.tableStart + p.maskSize;
  for (DWORD i = 0; i < p.colors; ++i, in += entrySize) {
    table[i].rgbBlue = in[0];
    table[i].rgbGreen = in[1];
    table[i].rgbRed = in[2];
    table[i].rgbReserved = p.core ? 0 : in[3];
  }
  if (withBits)
    std::memcpy(out + sizeof p.info + p.maskSize + p.colors * 4, data + p.bitsStart, static_cast<size_t>(p.imageSize));
  GlobalUnlock(block);
  *error = 0;
  return block;
}

// Reads the whole file from its start; 0 or the error, which the caller
// stores in the file object.
unsigned short ReadWhole(FileObject& file, std::vector<unsigned char>& bytes) {
  file.Seek(0);
  if (file.GetError()) return file.GetError();
  const uint32_t size = file.Size();
  if (file.GetError()) return file.GetError();
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    return 115;
  }
  if (size == 0) return 0;
  const uint32_t got = file.Read(bytes.data(), size, 1);
  if (file.GetError()) return file.GetError();
  bytes.resize(got);  // a file that shrank is judged by what is left
  return 0;
}

// Reads and checks the file, builds the block and leaves the file behind
// what was taken from it: the colour table, or the bits.
HGLOBAL LoadFromFile(FileObject& file, bool withBits) {
  std::vector<unsigned char> bytes;
  unsigned short error = ReadWhole(file, bytes);
  BmpParts parts;
  if (!error) error = ParseBmp(bytes.data(), bytes.size(), &parts);
  HGLOBAL block = error ? 0 : BuildDib(bytes.data(), parts, withBits, &error);
  if (!block) {
    if (error == 11 && (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')) file.Seek(0);
    file.SetError(error);
    return 0;
  }
  file.Seek(static_cast<uint32_t>(parts.bitsStart + (withBits ? parts.imageSize : 0)));
  return block;
}

}  // namespace

HGLOBAL LoadDibFromBytes(const unsigned char* data, size_t size, unsigned short* error) {
  unsigned short dummy;
  if (!error) error = &dummy;
  BmpParts parts;
  *error = ParseBmp(data, size, &parts);
  return *error ? 0 : BuildDib(data, parts, true, error);
}

HGLOBAL ReadDibHeader(FileObject& file) { return LoadFromFile(file, false); }

HGLOBAL LoadDibFile(FileObject& file) { return LoadFromFile(file, true); }

HGLOBAL LoadBitmapFile(const char* path, unsigned short* error) {
  FileObject file;
  HGLOBAL block = file.Open(path, kFileRead) ? LoadDibFile(file) : 0;
  if (error) *error = file.GetError();
  file.Close();
  return block;
}
