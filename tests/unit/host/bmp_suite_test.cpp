// A generated set of good, questionable and bad BMP files in the manner of
// the public test suites, and damaged copies of them, through the loader
// and DrawDib: good files load and draw, bad ones give 11 (not a BMP) or
// 30 (cut short), and nothing crashes.
#include <gtest/gtest.h>

#include <string>

#include "bmp_file.h"
#include "builders.h"
#include "dib.h"
#include "mutator.h"

namespace {

struct Sample {
  std::string name;
  Bytes file;
  unsigned short error;  // for bad files
};

// Run-length rows: every row one run per colour band, ended by an
// end-of-line code, the last by end-of-bitmap. With absolute set, each row
// begins with a literal run, and a delta skips a pixel on the first row.
Bytes Rle(int width, int height, bool four, bool absolute = false) {
  Bytes b;
  for (int r = 0; r < height; ++r) {
    int left = width;
    if (absolute && left >= 4) {
      PutByte(b, 0);
      PutByte(b, 4);
      if (four) {
        for (unsigned v : {0x12u, 0x34u}) PutByte(b, v);
      } else {
        for (unsigned v : {1u, 2u, 3u, 4u}) PutByte(b, v);
      }
      left -= 4;
      if (r == 0 && left >= 1) {
        for (unsigned v : {0u, 2u, 1u, 0u}) PutByte(b, v);
        left -= 1;
      }
    }
    while (left > 0) {
      const int n = left > 255 ? 255 : left;
      PutByte(b, n);
      PutByte(b, four ? 0x10 * (r % 16) + (r + 1) % 16 : r % 256);
      left -= n;
    }
    PutWord(b, r + 1 == height ? 0x0100 : 0);
  }
  return b;
}

BmpSpec Indexed(unsigned bits, int width = 9, int height = 5) {
  BmpSpec s;
  s.bitCount = bits;
  s.width = width;
  s.height = height;
  s.colors = 1u << bits;
  return s;
}
BmpSpec RleSpec(bool four, bool absolute = false) {
  BmpSpec s = Indexed(four ? 4 : 8, 17, 6);
  s.compression = four ? BI_RLE4 : BI_RLE8;
  s.bits = Rle(s.width, s.height, four, absolute);
  s.sizeImage = static_cast<uint32_t>(s.bits.size());
  return s;
}
BmpSpec Fields(unsigned bits, std::initializer_list<uint32_t> masks) {
  BmpSpec s;
  s.bitCount = bits;
  s.width = 6;
  s.height = 3;
  s.compression = BI_BITFIELDS;
  for (uint32_t m : masks) PutDword(s.extra, m);
  return s;
}

std::vector<Sample> GoodFiles() {
  std::vector<Sample> good;
  for (unsigned bits : {1u, 4u, 8u}) good.push_back({"pal" + std::to_string(bits), MakeBmp(Indexed(bits)), 0});
  for (unsigned bits : {16u, 24u, 32u}) {
    BmpSpec s;
    s.bitCount = bits;
    s.width = 7;
    s.height = 4;
    good.push_back({"rgb" + std::to_string(bits), MakeBmp(s), 0});
  }
  good.push_back({"pal4rle", MakeBmp(RleSpec(true)), 0});
  good.push_back({"pal8rle", MakeBmp(RleSpec(false)), 0});
  BmpSpec core = Indexed(8);
  core.core = true;
  good.push_back({"pal8core", MakeBmp(core), 0});
  core = Indexed(1, 3, 2);
  core.core = true;
  good.push_back({"pal1core", MakeBmp(core), 0});
  BmpSpec top = Indexed(8);
  top.height = -5;
  good.push_back({"pal8topdown", MakeBmp(top), 0});
  BmpSpec topRgb;
  topRgb.height = -3;
  good.push_back({"rgb24topdown", MakeBmp(topRgb), 0});
  good.push_back({"rgb16-565", MakeBmp(Fields(16, {0xF800, 0x07E0, 0x001F})), 0});
  good.push_back({"rgb16bfdef", MakeBmp(Fields(16, {0x7C00, 0x03E0, 0x001F})), 0});
  good.push_back({"rgb32bf", MakeBmp(Fields(32, {0xFF0000, 0xFF00, 0xFF})), 0});
  for (int width : {1, 3, 125, 126, 127}) good.push_back({"pal8w" + std::to_string(width), MakeBmp(Indexed(8, width, 2)), 0});
  BmpSpec few = Indexed(8);
  few.colors = 12;  // a used-colour count below the bit count's
  good.push_back({"pal8-12colours", MakeBmp(few), 0});
  BmpSpec noSize = Indexed(4);
  noSize.sizeImage = 0;
  good.push_back({"pal4-nosize", MakeBmp(noSize), 0});
  return good;
}

// Files that readers may take or leave: either way no crash, and a
// refusal gives one of the loader's errors.
std::vector<Sample> QuestionableFiles() {
  std::vector<Sample> q;
  q.push_back({"pal8rletrns", MakeBmp(RleSpec(false, true)), 0});
  q.push_back({"pal4rletrns", MakeBmp(RleSpec(true, true)), 0});
  BmpSpec cut = RleSpec(false);
  cut.bits.resize(cut.bits.size() - 2);  // no end-of-bitmap code
  cut.sizeImage -= 2;
  q.push_back({"pal8rlecut", MakeBmp(cut), 0});
  BmpSpec overrun = RleSpec(false);
  overrun.bits = {255, 1, 255, 2, 0, 2, 200, 200, 20, 3, 0, 0, 0, 1};  // runs and a delta past the image
  overrun.sizeImage = static_cast<uint32_t>(overrun.bits.size());
  q.push_back({"pal8badrle", MakeBmp(overrun), 0});
  BmpSpec badIndex = Indexed(8);
  badIndex.colors = 2;  // the bits use indexes up to 12
  q.push_back({"pal8badindex", MakeBmp(badIndex), 0});
  BmpSpec bigPalette = Indexed(8);
  bigPalette.colors = 300;
  q.push_back({"pal8oversizepal", MakeBmp(bigPalette), 0});
  BmpSpec largePal;
  largePal.colors = 256;  // a palette a 24-bit file need not have
  q.push_back({"rgb24largepal", MakeBmp(largePal), 0});
  BmpSpec pal2 = Indexed(2);
  q.push_back({"pal2", MakeBmp(pal2), 0});
  Bytes gap = MakeBmp(Indexed(8));
  gap.insert(gap.begin() + 14 + 40 + 1024, 100, 0xAA);  // bits further on
  SetDword(gap, 10, 14 + 40 + 1024 + 100);
  q.push_back({"pal8offs", gap, 0});
  Bytes fileSize = MakeBmp(Indexed(4));
  SetDword(fileSize, 2, 0xFFFFFFFF);
  q.push_back({"badfilesize", fileSize, 0});
  Bytes density = MakeBmp(Indexed(4));
  SetDword(density, 14 + 24, 0x80000000u);
  q.push_back({"baddens", density, 0});
  BmpSpec shortCore = Indexed(8);
  shortCore.core = true;
  shortCore.colors = 16;  // a core file with a short palette
  q.push_back({"pal8coreshortpal", MakeBmp(shortCore), 0});
  for (uint32_t header : {52u, 56u, 64u, 108u, 124u}) {
    Bytes b = MakeBmp(Indexed(8));
    b.insert(b.begin() + 54, header - 40, 0);
    SetDword(b, 14, header);
    SetDword(b, 10, 14 + header + 1024);
    q.push_back({"header" + std::to_string(header), b, 0});
  }
  for (uint32_t compression : {3u, 4u, 5u}) {  // bit fields on 24 bits, JPEG, PNG
    BmpSpec s;
    s.compression = compression;
    q.push_back({"compression" + std::to_string(compression), MakeBmp(s), 0});
  }
  Bytes planes = MakeBmp(Indexed(8));
  SetDword(planes, 26, 0 | (8 << 16));
  q.push_back({"badplanes", planes, 0});
  return q;
}

std::vector<Sample> BadFiles() {
  std::vector<Sample> bad;
  const Bytes pal8 = MakeBmp(Indexed(8));
  auto patched = [&](const char* name, size_t at, uint32_t value, unsigned short error) {
    Bytes b = pal8;
    SetDword(b, at, value);
    bad.push_back({name, b, error});
  };
  Bytes type = pal8;
  type[1] = 'A';
  bad.push_back({"badtype", type, 11});
  patched("badheadersize", 14, 41, 11);
  patched("badbitcount", 26, 1 | (3 << 16), 11);  // planes and bit count
  patched("zerobitcount", 26, 1, 11);
  patched("badwidth", 18, 0xFFFFFFF0u, 11);
  patched("zerowidth", 18, 0, 11);
  patched("zeroheight", 22, 0, 11);
  patched("badpalettesize", 14 + 32, 0x10000000, 11);
  patched("offsetinheader", 10, 20, 11);
  patched("offsetpastfile", 10, static_cast<uint32_t>(pal8.size() + 1), 11);
  patched("reallybig", 18, 0x7FFFFFFF, 30);
  Bytes huge = pal8;
  SetDword(huge, 18, 3000000);
  SetDword(huge, 22, 3000000);
  bad.push_back({"hugedimensions", huge, 30});
  for (size_t cut : {0, 10, 16, 40, 14 + 40 + 512})
    bad.push_back({"shortfile" + std::to_string(cut), Bytes(pal8.begin(), pal8.begin() + cut), static_cast<unsigned short>(cut < 14 ? 11 : 30)});
  bad.push_back({"shortbits", Bytes(pal8.begin(), pal8.end() - 1), 30});
  BmpSpec topRle = RleSpec(false);
  topRle.height = -topRle.height;
  bad.push_back({"rletopdown", MakeBmp(topRle), 11});
  BmpSpec rleBits = RleSpec(true);
  rleBits.bitCount = 8;
  bad.push_back({"rle4on8bits", MakeBmp(rleBits), 11});
  BmpSpec bigRle = RleSpec(false);
  bigRle.sizeImage = 0x7FFFFFF0;
  bad.push_back({"badrlebis", MakeBmp(bigRle), 30});
  BmpSpec noRleSize = RleSpec(false);
  noRleSize.sizeImage = 0;
  bad.push_back({"rlenosize", MakeBmp(noRleSize), 11});
  BmpSpec core16 = Indexed(8);
  core16.core = true;
  core16.bitCount = 16;
  core16.colors = 0;
  bad.push_back({"core16bits", MakeBmp(core16), 11});
  return bad;
}

class Canvas {
 public:
  Canvas() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc);
  }
  HDC dc;

 private:
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// Loads a file; a block must hold what its header says and is drawn both
// at its own size and stretched. Returns DrawDib's answer, -1 when refused.
int LoadAndDraw(const Bytes& bytes, HDC dc, unsigned short* error) {
  static Guarded copy;
  HGLOBAL block = LoadDibFromBytes(copy.Put(bytes), bytes.size(), error);
  if (!block) {
    EXPECT_TRUE(*error == 11 || *error == 30 || *error == 115) << *error;
    return -1;
  }
  EXPECT_EQ(0, *error);
  const void* p = GlobalLock(block);
  EXPECT_TRUE(DibFits(p, GlobalSize(block), nullptr));
  GlobalUnlock(block);
  const int drawn = DrawDib(block, dc, 0, 0, 0, 0);
  EXPECT_EQ(drawn, DrawDib(block, dc, 1, 1, 5, 3));
  GlobalFree(block);
  return drawn;
}

TEST(BmpSuite, GoodFilesLoadAndDrawWhenTheyHaveAPalette) {
  Canvas canvas;
  for (const Sample& s : GoodFiles()) {
    unsigned short error = 99;
    const unsigned bits = s.file[14] == 12 ? s.file[14 + 10] : s.file[14 + 14];
    // 16 and 32 bits without a colour table have no palette.
    EXPECT_EQ(bits == 16 || bits == 32 ? 0 : 1, LoadAndDraw(s.file, canvas.dc, &error)) << s.name;
    EXPECT_EQ(0, error) << s.name;
  }
}

TEST(BmpSuite, QuestionableFilesAreTakenOrRefusedCleanly) {
  Canvas canvas;
  int taken = 0;
  for (const Sample& s : QuestionableFiles()) {
    SCOPED_TRACE(s.name);
    unsigned short error = 99;
    if (LoadAndDraw(s.file, canvas.dc, &error) >= 0) ++taken;
  }
  EXPECT_GT(taken, 0);
}

TEST(BmpSuite, BadFilesGiveTheirErrors) {
  Canvas canvas;
  for (const Sample& s : BadFiles()) {
    unsigned short error = 0;
    EXPECT_EQ(-1, LoadAndDraw(s.file, canvas.dc, &error)) << s.name;
    EXPECT_EQ(s.error, error) << s.name;
  }
}

TEST(BmpSuite, DamagedCopiesNeitherCrashNorOverread) {
  Canvas canvas;
  std::vector<Sample> all = GoodFiles();
  for (Sample& s : QuestionableFiles()) all.push_back(s);
  Mutator m(0x424D5346u);
  int loaded = 0;
  for (int round = 0; round < 60; ++round) {
    for (const Sample& s : all) {
      unsigned short error = 0;
      if (LoadAndDraw(m.Mutate(s.file), canvas.dc, &error) >= 0) ++loaded;
    }
  }
  EXPECT_GT(loaded, 100);
}

}  // namespace
