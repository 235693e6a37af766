// Mutated resource files of both layouts run through the readers and every
// converter: whatever is found lies inside the file, and nothing crashes.
#include <gtest/gtest.h>

#include "builders.h"
#include "dialog16.h"
#include "dib.h"
#include "file_bytes.h"
#include "mutator.h"
#include "resource_accel.h"
#include "resource_menu.h"
#include "resource_reader.h"

namespace {

struct Query {
  WORD type;
  const char* name;
};
const Query kQueries[] = {{kResourceMenu, "MAIN"},  {kResourceMenu, "EXTRA"},  {kResourceAccelerators, "KEYS"},
                          {kResourceDialog, "ASK"}, {kResourceBitmap, "LOGO"}, {10, "NOTE"}};

class Readers {
 public:
  Readers() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    canvas_ = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, canvas_);
  }
  ~Readers() {
    SelectObject(dc_, old_);
    DeleteObject(canvas_);
    DeleteDC(dc_);
  }

  // The file and each found span are read from guarded copies, or the span
  // from a global block by the entry points that take one; a bitmap is
  // checked in place and drawn from a block either way.
  int Exercise(const Bytes& bytes, int layout, bool viaBlock) {
    const unsigned char* file = fileCopy_.Put(bytes);
    const size_t size = bytes.size();
    int found = 0;
    for (const Query& q : kQueries) {
      ResourceSpan span{};
      const ResourceScan scan = layout == kResourceLayout16
                                    ? FindResource16(file, size, q.type, q.name, &span)
                                    : FindResource32(file, size, q.type, q.name, &span);
      if (scan != ResourceScan::Found) continue;
      EXPECT_LE(span.offset, size);
      EXPECT_LE(span.size, size - span.offset);
      if (span.offset > size || span.size > size - span.offset) continue;
      ++found;
      const Bytes data(bytes.begin() + span.offset, bytes.begin() + span.offset + span.size);
      if (!viaBlock || q.type == kResourceBitmap) Use(spanCopy_.Put(data), data.size(), q.type, layout);
      if (!viaBlock && q.type != kResourceBitmap) continue;
      HGLOBAL block = CopyToGlobal(data.data(), data.size());
      if (block) {
        UseBlock(block, q.type, layout);
        GlobalFree(block);
      }
    }
    return found;
  }

 private:
  void Use(const unsigned char* data, size_t size, WORD type, int layout) {
    switch (type) {
      case kResourceMenu: {
        HMENU menu = layout == kResourceLayout16 ? LoadMenu16Data(data, size)
                                                 : LoadMenu32Data(data, size);
        if (menu) {
          FindWindowMenu(menu);
          DestroyMenu(menu);
        }
        break;
      }
      case kResourceAccelerators: {
        HACCEL table = CreateAcceleratorsData(data, size, layout);
        if (table) DestroyAcceleratorTable(table);
        break;
      }
      case kResourceDialog:
        if (layout == kResourceLayout16) {
          HGLOBAL converted = ConvertDialog16Data(data, size);
          if (converted) GlobalFree(converted);
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

  void UseBlock(HGLOBAL block, WORD type, int layout) {
    switch (type) {
      case kResourceMenu: {
        HMENU menu = layout == kResourceLayout16 ? LoadMenu16(block) : LoadMenu32(block);
        if (menu) DestroyMenu(menu);
        break;
      }
      case kResourceAccelerators: {
        HACCEL table = CreateAccelerators(block, layout);
        if (table) DestroyAcceleratorTable(table);
        break;
      }
      case kResourceDialog:
        if (layout == kResourceLayout16) {
          HGLOBAL converted = ConvertDialog16(block);
          if (converted) GlobalFree(converted);
        }
        break;
      case kResourceBitmap: {
        BITMAPINFOHEADER header;
        GetDibInfo(block, &header);
        DrawDib(block, dc_, 0, 0, 0, 0);
        break;
      }
    }
  }

  Guarded fileCopy_, spanCopy_;
  HDC dc_;
  HBITMAP canvas_;
  HGDIOBJ old_;
};

Bytes Sample16() {
  Bytes menu = {0, 0, 0, 0};
  MenuPopup(menu, 0, "File");
  MenuItem(menu, 0, 1, "Open");
  MenuItem(menu, 0, 0, "");
  MenuItem(menu, MF_END, 2, "Exit");
  MenuPopup(menu, MF_END | MF_CHECKED, "Window");
  MenuItem(menu, MF_END, 3, "Tile");

  Bytes dialog;
  PutDword(dialog, WS_POPUP | WS_CAPTION | DS_SETFONT);
  PutByte(dialog, 2);
  for (unsigned v : {0u, 0u, 120u, 60u}) PutWord(dialog, v);
  for (const char* s : {"", "", "Ask"}) PutText(dialog, s);
  PutWord(dialog, 8);
  PutText(dialog, "MS Sans Serif");
  DialogItem(dialog, 100, 0, {0x81}, "text", {1, 2, 3});
  DialogItem(dialog, 300, 0, {'P', 'I', 'C', 'T', 'U', 'R', 'E', 0}, "", {});

  const Bytes accel = {FVIRTKEY, 'A', 0, 7, 0, 0x80, 'B', 0, 8, 0};

  // A 2 x 2 packed DIB of 8 bits with two colours.
  Bytes logo;
  for (uint32_t v : {40u, 2u, 2u, 1u | (8u << 16), 0u, 8u, 0u, 0u, 2u, 0u, 0xFF0000u, 0xFFu, 0x0100u, 0x0001u})
    PutDword(logo, v);

  Bytes file;
  AddRes16(file, kResourceMenu, "MAIN", menu);
  AddRes16(file, kResourceAccelerators, "KEYS", accel);
  AddRes16(file, kResourceDialog, "ASK", dialog);
  AddRes16(file, kResourceBitmap, "LOGO", logo);
  AddRes16(file, 10, "NOTE", Bytes(5, 'n'));
  return file;
}

TEST(ResourceMutation, ThousandsOfDamagedFilesOfBothLayouts) {
  Bytes res32;
  unsigned short error = 0;
  ASSERT_TRUE(ReadFileBytes(KORVEX_SAMPLE_RES, res32, &error));
  const Bytes res16 = Sample16();
  Readers readers;
  for (bool viaBlock : {false, true}) {
    ASSERT_EQ(6, readers.Exercise(res32, kResourceLayout32, viaBlock));
    ASSERT_EQ(5, readers.Exercise(res16, kResourceLayout16, viaBlock));
  }
  Mutator m(0x4B525653u);
  int found32 = 0, found16 = 0;
  const int kRounds = 2000;
  for (int i = 0; i < kRounds; ++i) {
    found32 += readers.Exercise(m.Mutate(res32), kResourceLayout32, i % 2 != 0);
    found16 += readers.Exercise(m.Mutate(res16), kResourceLayout16, i % 2 != 0);
  }
  // Most damage leaves much of a file readable, so the converters see
  // damaged data rather than nothing.
  EXPECT_GT(found32, kRounds);
  EXPECT_GT(found16, kRounds);
}

}  // namespace
