#include <gtest/gtest.h>

#include <cstdint>

#include "bmp_builder.h"
#include "bmp_file.h"
#include "dib.h"

namespace {

struct Loaded {
  HGLOBAL block = 0;
  unsigned short error = 0;
  Bytes bytes;
  explicit Loaded(const Bytes& file) {
    block = LoadDibFromBytes(file.data(), file.size(), &error);
    bytes = BlockBytes(block);
  }
  ~Loaded() {
    if (block) GlobalFree(block);
  }
  const BITMAPINFOHEADER& header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data()); }
};

uint32_t Stride(int width, unsigned bits) { return (static_cast<uint32_t>(width) * bits + 31) / 32 * 4; }

TEST(BmpFile, EveryBitCountLoadsAsAPackedDib) {
  const unsigned counts[] = {1, 4, 8, 16, 24, 32};
  for (unsigned bits : counts) {
    BmpSpec s;
    s.width = 5;
    s.height = 3;
    s.bitCount = bits;
    s.colors = bits <= 8 ? (1u << bits) : 0;
    Loaded l(MakeBmp(s));
    ASSERT_NE(nullptr, l.block) << bits;
    EXPECT_EQ(0, l.error);
    const uint32_t image = Stride(5, bits) * 3;
    EXPECT_EQ(40u + s.colors * 4 + image, l.bytes.size()) << bits;
    EXPECT_EQ(40u, l.header().biSize);
    EXPECT_EQ(image, l.header().biSizeImage);
    EXPECT_EQ(s.colors, l.header().biClrUsed);
    // The bits follow the colour table unchanged.
    EXPECT_EQ(1, l.bytes[40 + s.colors * 4 + 1]);
    EXPECT_EQ(1, l.bytes[40 + s.colors * 4 + Stride(5, bits)]);
    DibLayout layout;
    EXPECT_TRUE(DibFits(l.bytes.data(), l.bytes.size(), &layout)) << bits;
  }
}

TEST(BmpFile, CoreHeadersAreWidened) {
  const unsigned counts[] = {1, 4, 8, 24};
  for (unsigned bits : counts) {
    BmpSpec s;
    s.core = true;
    s.width = 3;
    s.height = 2;
    s.bitCount = bits;
    s.colors = bits <= 8 ? (1u << bits) : 0;
    Loaded l(MakeBmp(s));
    ASSERT_NE(nullptr, l.block) << bits;
    EXPECT_EQ(40u, l.header().biSize);
    EXPECT_EQ(3, l.header().biWidth);
    EXPECT_EQ(2, l.header().biHeight);
    EXPECT_EQ(s.colors, l.header().biClrUsed);
    EXPECT_EQ(s.colors, l.header().biClrImportant);
    if (s.colors) {
      // Entry 1 was written as blue 1, green 254, red 3 in three bytes.
      const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(l.bytes.data() + 40);
      EXPECT_EQ(1, table[1].rgbBlue);
      EXPECT_EQ(254, table[1].rgbGreen);
      EXPECT_EQ(3, table[1].rgbRed);
      EXPECT_EQ(0, table[1].rgbReserved);
    }
  }
  // The smallest core file: 1 x 1, one bit, two colours, 36 bytes in all.
  BmpSpec tiny;
  tiny.core = true;
  tiny.width = tiny.height = 1;
  tiny.bitCount = 1;
  tiny.colors = 2;
  const Bytes file = MakeBmp(tiny);
  ASSERT_EQ(36u, file.size());
  Loaded l(file);
  ASSERT_NE(nullptr, l.block);
  EXPECT_EQ(40u + 8 + 4, l.bytes.size());
}

TEST(BmpFile, QuestionableButValidFiles) {
  // biSizeImage 0: the size is computed.
  BmpSpec s;
  s.width = 7;
  s.height = 4;
  s.sizeImageZero = true;
  Loaded zero(MakeBmp(s));
  ASSERT_NE(nullptr, zero.block);
  EXPECT_EQ(Stride(7, 24) * 4, zero.header().biSizeImage);
  // Top-down rows keep their negative height.
  s.height = -4;
  Loaded topDown(MakeBmp(s));
  ASSERT_NE(nullptr, topDown.block);
  EXPECT_EQ(-4, topDown.header().biHeight);
  // Fewer colours than the bit count allows.
  BmpSpec few;
  few.bitCount = 8;
  few.colors = 3;
  few.clrUsed = 3;
  Loaded fewColors(MakeBmp(few));
  ASSERT_NE(nullptr, fewColors.block);
  EXPECT_EQ(3u, fewColors.header().biClrUsed);
  // RLE8: two runs and the end of bitmap.
  BmpSpec rle;
  rle.bitCount = 8;
  rle.compression = BI_RLE8;
  rle.colors = 4;
  rle.rle = {2, 1, 0, 0, 2, 3, 0, 1};
  Loaded packed(MakeBmp(rle));
  ASSERT_NE(nullptr, packed.block);
  EXPECT_EQ(8u, packed.header().biSizeImage);
  EXPECT_EQ(40u + 16 + 8, packed.bytes.size());
  // Bits placed further on by bfOffBits.
  Bytes gap = MakeBmp(BmpSpec());
  gap.insert(gap.begin() + 54, 10, 0xEE);
  SetDword(gap, kBfOffBits, 64);
  Loaded moved(gap);
  ASSERT_NE(nullptr, moved.block);
  EXPECT_EQ(0, moved.bytes[40]);
  EXPECT_EQ(1, moved.bytes[41]);
}

unsigned short ErrorOf(const Bytes& file) {
  Loaded l(file);
  EXPECT_EQ(nullptr, l.block);
  return l.error;
}

TEST(BmpFile, BadFilesGiveTheirErrors) {
  BmpSpec s8;
  s8.bitCount = 8;
  s8.colors = 256;
  const Bytes good = MakeBmp(s8);
  Bytes b = good;
  b[0] = 'X';
  EXPECT_EQ(11, ErrorOf(b));
  EXPECT_EQ(11, ErrorOf(Bytes(good.begin(), good.begin() + 10)));
  // A header cut short.
  EXPECT_EQ(30, ErrorOf(Bytes(good.begin(), good.begin() + 16)));
  EXPECT_EQ(30, ErrorOf(Bytes(good.begin(), good.begin() + 40)));
  // Unknown header size, bit count, compression.
  b = good;
  SetDword(b, kBiSize, 64);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  b[kBiBitCount] = 3;
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiCompression, 4);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiCompression, BI_RLE4);  // RLE4 with 8 bits
  EXPECT_EQ(11, ErrorOf(b));
  // More colours than 8 bits allow, or a count running past the file.
  b = good;
  SetDword(b, kBiClrUsed, 257);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiClrUsed, 0xFFFFFFFF);
  EXPECT_EQ(11, ErrorOf(b));
  BmpSpec s4;
  s4.bitCount = 4;
  s4.colors = 16;
  s4.clrUsed = 17;
  EXPECT_EQ(11, ErrorOf(MakeBmp(s4)));
  // Bits cut short, or dimensions far beyond the file (64-bit sizes).
  EXPECT_EQ(11, ErrorOf(Bytes(good.begin(), good.end() - 1)));
  b = good;
  SetDword(b, kBiWidth, 0x7FFFFFFF);
  SetDword(b, kBiHeight, 0x7FFFFFFF);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiHeight, 0x80000000u);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiWidth, 0);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBiWidth, 0xFFFFFFFF);
  EXPECT_EQ(11, ErrorOf(b));
  // Offsets of the bits inside the colour table or beyond the file.
  b = good;
  SetDword(b, kBfOffBits, 60);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBfOffBits, static_cast<uint32_t>(good.size()) + 1);
  EXPECT_EQ(11, ErrorOf(b));
  b = good;
  SetDword(b, kBfOffBits, 0xFFFFFFFF);
  EXPECT_EQ(11, ErrorOf(b));
  // RLE data larger than the file, or without a size.
  BmpSpec rle;
  rle.bitCount = 8;
  rle.compression = BI_RLE8;
  rle.colors = 2;
  rle.rle = {0, 1};
  b = MakeBmp(rle);
  SetDword(b, kBiSizeImage, 3);
  EXPECT_EQ(11, ErrorOf(b));
  SetDword(b, kBiSizeImage, 0);
  EXPECT_EQ(11, ErrorOf(b));
  // Every cut of a good file is refused.
  for (size_t cut = 0; cut < good.size(); ++cut) {
    Loaded l(Bytes(good.begin(), good.begin() + cut));
    EXPECT_EQ(nullptr, l.block) << cut;
    EXPECT_NE(0, l.error) << cut;
  }
}

TEST(BmpFile, ReadFromDisk) {
  BmpSpec s;
  s.bitCount = 4;
  s.colors = 16;
  const std::string path = TempPath("korvex_test.bmp");
  WriteBytes(path, MakeBmp(s));
  unsigned short error = 99;
  HGLOBAL block = LoadBitmapFile(path.c_str(), &error);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, error);
  GlobalFree(block);
  DeleteFileA(path.c_str());
  EXPECT_EQ(nullptr, LoadBitmapFile(path.c_str(), &error));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
}

TEST(BmpFile, MutatedFilesNeverGiveABrokenBlock) {
  BmpSpec specs[4];
  specs[0].bitCount = 8;
  specs[0].colors = 256;
  specs[1].core = true;
  specs[1].bitCount = 4;
  specs[1].colors = 16;
  specs[2].height = -3;
  specs[3].bitCount = 8;
  specs[3].compression = BI_RLE8;
  specs[3].colors = 2;
  specs[3].rle = {2, 1, 0, 0, 2, 0, 0, 1};
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(memory, target);
  int loaded = 0;
  for (int i = 0; i < 3000; ++i) {
    Bytes b = MakeBmp(specs[i % 4]);
    for (int k = 1 + next() % 3; k > 0; --k) {
      size_t at = next() % b.size();
      b[at] = (next() & 1) ? static_cast<unsigned char>(next()) : 0xFF;
    }
    if (next() % 4 == 0) b.resize(next() % b.size());
    Loaded l(b);
    if (!l.block) {
      EXPECT_NE(0, l.error);
      continue;
    }
    ++loaded;
    // What loads is a consistent packed DIB that can be drawn.
    ASSERT_TRUE(DibFits(l.bytes.data(), l.bytes.size(), nullptr)) << i;
    DrawDib(l.block, memory, 0, 0, 8, 8);
  }
  EXPECT_GT(loaded, 300);
  SelectObject(memory, old);
  DeleteObject(target);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
