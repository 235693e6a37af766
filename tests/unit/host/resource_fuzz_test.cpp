// Mutated resource files run through the readers and converters: nothing
// may be read outside the data, and whatever is found lies inside them.
#include <gtest/gtest.h>

#include <cstdint>

#include "dialog16.h"
#include "dib.h"
#include "res_builders.h"
#include "resource_accel.h"
#include "resource_menu.h"
#include "resource_reader.h"

namespace {

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  Bytes Mutate(const Bytes& good) {
    Bytes b = good;
    switch (Next() % 4) {
      case 0:  // a few random bytes
        for (int i = 1 + Next() % 4; i > 0; --i) b[Next() % b.size()] = static_cast<unsigned char>(Next());
        break;
      case 1: {  // a length-like field set to a boundary value
        static const uint32_t values[] = {0, 1, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0x10000, 0xFFFFFFF0};
        size_t at = Next() % (b.size() - 3);
        uint32_t v = values[Next() % 8];
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
        break;
      }
      case 2:  // cut short
        b.resize(Next() % b.size());
        break;
      default:  // bytes dropped from the middle
        if (b.size() > 8) {
          size_t at = Next() % (b.size() - 4);
          b.erase(b.begin() + at, b.begin() + at + 1 + Next() % 4);
        }
        break;
    }
    return b;
  }

 private:
  uint32_t state_;
};

struct Query {
  WORD type;
  const char* name;
};
const Query kQueries[] = {{kResourceMenu, "MAIN"}, {kResourceMenu, "EXTRA"}, {kResourceAccelerators, "KEYS"},
                          {kResourceDialog, "ASK"}, {kResourceBitmap, "LOGO"}, {10, "NOTE"}};

void UseResource(const unsigned char* data, size_t size, WORD type, int layout) {
  switch (type) {
    case kResourceMenu: {
      HMENU menu = layout == 16 ? LoadMenu16Data(data, size) : LoadMenu32Data(data, size);
      if (menu) DestroyMenu(menu);
      break;
    }
    case kResourceAccelerators: {
      HACCEL table = CreateAcceleratorsData(data, size, layout);
      if (table) DestroyAcceleratorTable(table);
      break;
    }
    case kResourceDialog:
      if (layout == 16) {
        HGLOBAL block = ConvertDialog16Data(data, size);
        if (block) GlobalFree(block);
      }
      break;
    case kResourceBitmap: {
      DibLayout dib;
      if (DibFits(data, size, &dib)) {
        EXPECT_LE(dib.bitsOffset + dib.bitsSize, size);
      }
      break;
    }
  }
}

// Copies the found span into a buffer of its own size, so that a reader
// going past it would be caught by the heap checks of a debug run.
void Exercise(const Bytes& file, int layout, int* found) {
  for (const Query& q : kQueries) {
    ResourceSpan span{};
    ResourceScan scan = layout == 16 ? FindResource16(file.data(), file.size(), q.type, q.name, &span)
                                     : FindResource32(file.data(), file.size(), q.type, q.name, &span);
    if (scan != ResourceScan::Found) continue;
    ASSERT_LE(span.offset, file.size());
    ASSERT_LE(span.size, file.size() - span.offset);
    ++*found;
    Bytes data(file.begin() + span.offset, file.begin() + span.offset + span.size);
    UseResource(data.data(), data.size(), q.type, layout);
  }
}

Bytes Sample16() {
  Menu16 menu;
  menu.Popup(MF_END, "File").Item(0, 1, "Open").Item(0, 0, "").Item(MF_END, 2, "Exit");
  Dialog16 dialog(WS_POPUP | WS_CAPTION, 2, "Ask", true);
  dialog.Item(100, WS_CHILD, 0x81, "", "text", Bytes{1, 2, 3}).Item(1, WS_CHILD, 0x80, "", "OK");
  const Bytes accel = {FVIRTKEY, 'A', 0, 7, 0, 0x80, 'B', 0, 8, 0};
  Res16File file;
  file.Add(kResourceMenu, "MAIN", menu.bytes())
      .Add(kResourceAccelerators, "KEYS", accel)
      .Add(kResourceDialog, "ASK", dialog.bytes())
      .Add(10, "NOTE", Bytes(5, 'n'));
  return file.bytes();
}

TEST(ResourceFuzz, MutatedFilesOfBothLayouts) {
  const Bytes res32 = ReadBytes(KORVEX_SAMPLE_RES);
  ASSERT_FALSE(res32.empty());
  const Bytes res16 = Sample16();
  int found32 = 0, found16 = 0;
  Exercise(res32, 32, &found32);
  Exercise(res16, 16, &found16);
  EXPECT_EQ(6, found32);
  EXPECT_EQ(4, found16);
  Mutator m(0x4B525653u);
  for (int i = 0; i < 2500; ++i) {
    Exercise(m.Mutate(res32), 32, &found32);
    Exercise(m.Mutate(res16), 16, &found16);
  }
  // The mutations leave many files readable in part.
  EXPECT_GT(found32, 1000);
  EXPECT_GT(found16, 1000);
}

}  // namespace
