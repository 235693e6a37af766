#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "bmp_file.h"
#include "builders.h"
#include "dib.h"
#include "file_object.h"

namespace {

struct Loaded {
  unsigned short error = 0;  // ahead of block: filled while block is made
  HGLOBAL block;
  Bytes bytes;
  explicit Loaded(const Bytes& file) : block(LoadDibFromBytes(file.data(), file.size(), &error)) {
    bytes = BlockBytes(block);
  }
  ~Loaded() {
    if (block) GlobalFree(block);
  }
  const BITMAPINFOHEADER& header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data()); }
};

uint32_t Stride(int width, unsigned bits) { return (static_cast<uint32_t>(width) * bits + 31) / 32 * 4; }

TEST(BmpFile, InfoAndCoreHeadersLoadAsPackedDibs) {
  for (bool core : {false, true}) {
    for (unsigned bits : {1u, 4u, 8u, 16u, 24u, 32u}) {
      if (core && (bits == 16 || bits == 32)) continue;
      BmpSpec s;
      s.core = core;
      s.width = 5;
      s.height = 3;
      s.bitCount = bits;
      s.colors = bits <= 8 ? (1u << bits) : 0;
      Loaded l(MakeBmp(s));
      ASSERT_NE(nullptr, l.block) << bits << core;
      const uint32_t image = Stride(5, bits) * 3;
      EXPECT_EQ(40u + s.colors * 4 + image, l.bytes.size());
      EXPECT_EQ(40u, l.header().biSize);
      EXPECT_EQ(image, l.header().biSizeImage);
      EXPECT_EQ(s.colors, l.header().biClrUsed);
      EXPECT_EQ(1, l.bytes[40 + s.colors * 4 + Stride(5, bits) + 0]);  // row 1 starts with 1
      if (core && s.colors) {
        const RGBQUAD& entry = reinterpret_cast<const RGBQUAD*>(l.bytes.data() + 40)[1];
        EXPECT_EQ(1, entry.rgbBlue);
        EXPECT_EQ(254, entry.rgbGreen);
        EXPECT_EQ(3, entry.rgbRed);
        EXPECT_EQ(0, entry.rgbReserved);
        EXPECT_EQ(s.colors, l.header().biClrImportant);
      }
    }
  }
  // The smallest core file is shorter than an info header; read from disk.
  BmpSpec tiny;
  tiny.core = true;
  tiny.width = tiny.height = 1;
  tiny.bitCount = 1;
  tiny.colors = 2;
  ASSERT_EQ(36u, MakeBmp(tiny).size());
  const std::string path = TempPath("korvex_test.bmp");
  WriteBytes(path, MakeBmp(tiny));
  unsigned short error = 99;
  HGLOBAL block = LoadBitmapFile(path.c_str(), &error);
  EXPECT_NE(nullptr, block);
  EXPECT_EQ(0, error);
  GlobalFree(block);
  DeleteFileA(path.c_str());
  EXPECT_EQ(nullptr, LoadBitmapFile(path.c_str(), &error));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
}

TEST(BmpFile, SizesMasksAndRunLengths) {
  BmpSpec s;
  s.width = 7;
  s.height = -4;
  Loaded zero(MakeBmp(s));
  EXPECT_EQ(Stride(7, 24) * 4, zero.header().biSizeImage);
  EXPECT_EQ(-4, zero.header().biHeight);
  // A biSizeImage below the rows' size would leave the bits short.
  s.sizeImage = 8;
  EXPECT_EQ(Stride(7, 24) * 4, Loaded(MakeBmp(s)).header().biSizeImage);

  BmpSpec fields;
  fields.bitCount = 16;
  fields.compression = BI_BITFIELDS;
  fields.extra = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  Loaded masked(MakeBmp(fields));
  ASSERT_NE(nullptr, masked.block);
  EXPECT_EQ(40u + 12 + 8, masked.bytes.size());
  EXPECT_EQ(0xF8, masked.bytes[41]);
  EXPECT_TRUE(DibFits(masked.bytes.data(), masked.bytes.size(), nullptr));

  BmpSpec rle;
  rle.bitCount = 8;
  rle.compression = BI_RLE8;
  rle.colors = 2;
  rle.sizeImage = 6;
  Loaded packed(MakeBmp(rle));
  ASSERT_NE(nullptr, packed.block);
  EXPECT_EQ(40u + 8 + 6, packed.bytes.size());
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
  EXPECT_EQ(30, ErrorOf(Bytes(good.begin(), good.begin() + 40)));
  EXPECT_EQ(30, ErrorOf(Bytes(good.begin(), good.end() - 1)));
  struct {
    size_t at;
    uint32_t value;
  } const cases[] = {
      {14, 64},                      // header size
      {30, 4},                       // compression
      {30, BI_RLE4},                 // RLE4 with 8 bits
      {46, 257},                     // colours beyond 8 bits
      {46, 0xFFFFFFFF},
      {18, 0},                       // width
      {18, 0xFFFFFFFF},
      {22, 0x80000000u},             // height
      {10, 60},                      // bits inside the colour table
      {10, 0xFFFFFFFF},
  };
  for (const auto& c : cases) {
    b = good;
    SetDword(b, c.at, c.value);
    EXPECT_EQ(11, ErrorOf(b)) << c.at << " " << c.value;
  }
  b = good;
  SetDword(b, 18, 0x7FFFFFFF);
  SetDword(b, 22, 0x7FFFFFFF);
  EXPECT_EQ(30, ErrorOf(b));
  for (size_t cut = 0; cut < good.size(); ++cut) {
    Loaded l(Bytes(good.begin(), good.begin() + cut));
    EXPECT_EQ(nullptr, l.block) << cut;
    EXPECT_NE(0, l.error) << cut;
  }
}

// The file-object readers: the header with its colour table leaves the
// file where the bits begin, the whole file behind them; failures are the
// object's error.
struct OpenBmp {
  std::string path;
  FileObject file;
  OpenBmp(const Bytes& bytes, const char* name) : path(TempPath(name)) {
    WriteBytes(path, bytes);
    file.Open(path.c_str(), kFileRead);
  }
  ~OpenBmp() {
    file.Close();
    DeleteFileA(path.c_str());
  }
};

TEST(BmpFile, HeaderAndWholeFileFromAFileObject) {
  BmpSpec s;
  s.bitCount = 8;
  s.width = 5;
  s.height = 3;
  s.colors = 16;
  Bytes bytes = MakeBmp(s);
  const uint32_t bitsAt = 14 + 40 + 16 * 4 + 6;  // bits further on than the table ends
  bytes.insert(bytes.begin() + bitsAt - 6, 6, 0xEE);
  SetDword(bytes, 10, bitsAt);
  const Loaded expected(bytes);
  ASSERT_NE(nullptr, expected.block);
  {
    OpenBmp f(bytes, "korvex_dib.bmp");
    HGLOBAL header = ReadDibHeader(f.file);
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(0, f.file.GetError());
    const Bytes got = BlockBytes(header);
    GlobalFree(header);
    ASSERT_EQ(40u + 16 * 4, got.size());
    EXPECT_TRUE(std::equal(got.begin(), got.end(), expected.bytes.begin()));
    EXPECT_EQ(bitsAt, f.file.Position());
    Bytes bits(Stride(5, 8) * 3);
    ASSERT_EQ(bits.size(), f.file.Read(bits.data(), static_cast<uint32_t>(bits.size()), 1));
    EXPECT_TRUE(std::equal(bits.begin(), bits.end(), expected.bytes.begin() + got.size()));
  }
  {
    OpenBmp f(bytes, "korvex_dib.bmp");
    f.file.Seek(20);  // read from the start whatever the position
    HGLOBAL whole = LoadDibFile(f.file);
    ASSERT_NE(nullptr, whole);
    EXPECT_EQ(expected.bytes, BlockBytes(whole));
    GlobalFree(whole);
    EXPECT_EQ(bytes.size(), f.file.Position());
  }
  Bytes notBmp = bytes;
  notBmp[0] = 'P';
  for (bool headerOnly : {false, true}) {
    OpenBmp f(notBmp, "korvex_dib.bmp");
    EXPECT_EQ(nullptr, headerOnly ? ReadDibHeader(f.file) : LoadDibFile(f.file));
    EXPECT_EQ(11, f.file.GetError());
    EXPECT_EQ(0u, f.file.Position());
    OpenBmp cut(Bytes(bytes.begin(), bytes.begin() + 30), "korvex_dib_cut.bmp");
    EXPECT_EQ(nullptr, headerOnly ? ReadDibHeader(cut.file) : LoadDibFile(cut.file));
    EXPECT_EQ(30, cut.file.GetError());
  }
}

}  // namespace
