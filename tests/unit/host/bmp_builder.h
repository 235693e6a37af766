// Writes BMP files for the tests: core or info header, any bit count,
// top-down, RLE, and fields that can be set to bad values afterwards.
#pragma once
#include <cstdint>
#include <cstring>

#include "res_builders.h"

struct BmpSpec {
  int width = 2;
  int height = 2;  // negative: top-down
  unsigned bitCount = 24;
  bool core = false;
  uint32_t compression = 0;
  uint32_t colors = 0;  // colour table entries written (0: none)
  uint32_t clrUsed = 0;  // 0: the count written unless that is the full table
  bool sizeImageZero = false;
  Bytes rle;  // the compressed bits for RLE
};

// Pixel i of row r (rows as stored) gets the value (i + r) mod 256 in each
// byte of its cell, so contents can be checked after loading.
inline Bytes MakeBmp(const BmpSpec& s) {
  const uint32_t headerSize = s.core ? 12 : 40;
  const uint32_t entry = s.core ? 3 : 4;
  const int rows = s.height < 0 ? -s.height : s.height;
  const uint32_t stride = (static_cast<uint32_t>(s.width) * s.bitCount + 31) / 32 * 4;
  Bytes bits;
  if (!s.rle.empty()) {
    bits = s.rle;
  } else {
    for (int r = 0; r < rows; ++r)
      for (uint32_t i = 0; i < stride; ++i) bits.push_back(static_cast<unsigned char>(i + r));
  }
  Bytes b;
  const uint32_t offBits = 14 + headerSize + s.colors * entry;
  b.push_back('B');
  b.push_back('M');
  PutDword(b, offBits + static_cast<uint32_t>(bits.size()));
  PutDword(b, 0);
  PutDword(b, offBits);
  PutDword(b, headerSize);
  if (s.core) {
    PutWord(b, s.width);
    PutWord(b, s.height);
    PutWord(b, 1);
    PutWord(b, s.bitCount);
  } else {
    PutDword(b, static_cast<uint32_t>(s.width));
    PutDword(b, static_cast<uint32_t>(s.height));
    PutWord(b, 1);
    PutWord(b, s.bitCount);
    PutDword(b, s.compression);
    PutDword(b, s.sizeImageZero ? 0 : static_cast<uint32_t>(bits.size()));
    PutDword(b, 2835);
    PutDword(b, 2835);
    const bool fullTable = s.bitCount <= 8 && s.colors == (1u << s.bitCount);
    PutDword(b, s.clrUsed ? s.clrUsed : (fullTable ? 0 : s.colors));
    PutDword(b, 0);
  }
  for (uint32_t i = 0; i < s.colors; ++i) {
    PutByte(b, i);          // blue
    PutByte(b, 255 - i);    // green
    PutByte(b, i * 3);      // red
    if (!s.core) PutByte(b, 0);
  }
  b.insert(b.end(), bits.begin(), bits.end());
  return b;
}

// Offsets of the fields that the bad-file tests overwrite.
enum : size_t {
  kBfOffBits = 10,
  kBiSize = 14,
  kBiWidth = 18,
  kBiHeight = 22,
  kBiBitCount = 28,
  kBiCompression = 30,
  kBiSizeImage = 34,
  kBiClrUsed = 46,
};

inline void SetDword(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
