#include <gtest/gtest.h>

#include "res_builders.h"
#include "resource_accel.h"
#include "resource_reader.h"

namespace {

struct BlockGuard {
  HGLOBAL block;
  ~BlockGuard() {
    if (block) GlobalFree(block);
  }
};

TEST(ResourceFile32, FindsByTypeAndExactName) {
  unsigned short error = 99;
  BlockGuard menu{ReadResource32(KORVEX_SAMPLE_RES, kResourceMenu, "MAIN", &error)};
  ASSERT_NE(nullptr, menu.block);
  EXPECT_EQ(0, error);
  // Names are compared code unit by code unit: case counts.
  BlockGuard lower{ReadResource32(KORVEX_SAMPLE_RES, kResourceMenu, "main", &error)};
  EXPECT_EQ(nullptr, lower.block);
  EXPECT_EQ(0, error);
  // The right name under another type is not found.
  BlockGuard wrongType{ReadResource32(KORVEX_SAMPLE_RES, kResourceDialog, "MAIN", &error)};
  EXPECT_EQ(nullptr, wrongType.block);

  BlockGuard dialog{ReadResourceByLayout(32, KORVEX_SAMPLE_RES, kResourceDialog, "ASK")};
  ASSERT_NE(nullptr, dialog.block);
  DWORD style = *static_cast<DWORD*>(GlobalLock(dialog.block));
  GlobalUnlock(dialog.block);
  EXPECT_TRUE(style & WS_CAPTION);

  // A bitmap's data are its whole entry: header, two colours, 2 x 2 bits.
  BlockGuard bitmap{ReadResource32(KORVEX_SAMPLE_RES, kResourceBitmap, "LOGO")};
  ASSERT_NE(nullptr, bitmap.block);
  EXPECT_EQ(56u, GlobalSize(bitmap.block));

  BlockGuard missing{ReadResource32("no such file.res", kResourceMenu, "MAIN", &error)};
  EXPECT_EQ(nullptr, missing.block);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
}

TEST(ResourceFile32, AcceleratorTableKeepsExactlyItsEntries) {
  // Another resource follows the table in the file; its header must not be
  // taken for a third accelerator.
  BlockGuard keys{ReadResource32(KORVEX_SAMPLE_RES, kResourceAccelerators, "KEYS")};
  ASSERT_NE(nullptr, keys.block);
  EXPECT_EQ(16u, GlobalSize(keys.block));
  HACCEL table = CreateAccelerators(keys.block, kResourceLayout32);
  ASSERT_NE(nullptr, table);
  ACCEL entries[4] = {};
  ASSERT_EQ(2, CopyAcceleratorTable(table, entries, 4));
  EXPECT_EQ(FVIRTKEY | FCONTROL, entries[0].fVirt);
  EXPECT_EQ('O', entries[0].key);
  EXPECT_EQ(101, entries[0].cmd);
  EXPECT_EQ(FVIRTKEY, entries[1].fVirt & ~0x80);
  EXPECT_EQ(VK_F5, entries[1].key);
  EXPECT_EQ(102, entries[1].cmd);
  DestroyAcceleratorTable(table);
}

TEST(ResourceFile32, BrokenFilesAreRefusedNotOverread) {
  const Bytes good = ReadBytes(KORVEX_SAMPLE_RES);
  ASSERT_GT(good.size(), 200u);
  ResourceSpan span{};
  ASSERT_EQ(ResourceScan::Found, FindResource32(good.data(), good.size(), 10, "NOTE", &span));
  // Every cut inside the last entry leaves it unreadable.
  for (size_t cut = span.offset - 40; cut < good.size() - 2; ++cut) {
    ResourceScan scan = FindResource32(good.data(), cut, 10, "NOTE", &span);
    EXPECT_NE(ResourceScan::Found, scan) << cut;
  }
  // A DataSize beyond the file.
  Bytes bad = good;
  bad[0x20] = 0xFF;
  bad[0x23] = 0x7F;
  EXPECT_EQ(ResourceScan::Malformed, FindResource32(bad.data(), bad.size(), kResourceMenu, "MAIN", &span));
  // A HeaderSize too small to hold its fields.
  bad = good;
  bad[0x24] = 8;
  EXPECT_EQ(ResourceScan::Malformed, FindResource32(bad.data(), bad.size(), kResourceMenu, "MAIN", &span));
  // A name without its terminating zero inside the header.
  bad = good;
  for (size_t i = 0x2C; i < 0x38; ++i) bad[i] = 'X';
  EXPECT_EQ(ResourceScan::Malformed, FindResource32(bad.data(), bad.size(), kResourceBitmap, "LOGO", &span));

  const std::string path = TempPath("korvex_broken32.res");
  WriteBytes(path, Bytes(good.begin(), good.begin() + span.offset + 2));
  unsigned short error = 0;
  EXPECT_EQ(nullptr, ReadResource32(path.c_str(), 10, "NOTE", &error));
  EXPECT_EQ(11, error);
  DeleteFileA(path.c_str());
}

TEST(ResourceFile16, NamesIgnoreCaseAndTheWalkEndsOnNamedTypes) {
  const Bytes accel = {FVIRTKEY, 'A', 0, 7, 0, 0x80 | FVIRTKEY, VK_F2, 0, 8, 0};
  Res16File file;
  file.AddNumbered(kResourceMenu, 1, Bytes(9, 1))
      .Add(kResourceAccelerators, "KEYS", accel)
      .Add(kResourceMenu, "Главное", Bytes{1, 2, 3})
      .Add(kResourceDialog, "KEYS", Bytes{9});
  const Bytes& bytes = file.bytes();
  ResourceSpan span{};
  ASSERT_EQ(ResourceScan::Found, FindResource16(bytes.data(), bytes.size(), kResourceAccelerators, "keys", &span));
  EXPECT_EQ(accel.size(), span.size);
  EXPECT_EQ(0, memcmp(bytes.data() + span.offset, accel.data(), accel.size()));
  ASSERT_EQ(ResourceScan::Found, FindResource16(bytes.data(), bytes.size(), kResourceMenu, "ГЛАВНОЕ", &span));
  EXPECT_EQ(3u, span.size);
  ASSERT_EQ(ResourceScan::Found, FindResource16(bytes.data(), bytes.size(), kResourceDialog, "Keys", &span));
  EXPECT_EQ(1u, span.size);
  // Numbered names never match.
  EXPECT_EQ(ResourceScan::NotFound, FindResource16(bytes.data(), bytes.size(), kResourceMenu, "1", &span));

  const std::string path = TempPath("korvex_sample16.res");
  WriteBytes(path, bytes);
  HGLOBAL block = ReadResourceByLayout(16, path.c_str(), kResourceAccelerators, "Keys");
  ASSERT_NE(nullptr, block);
  HACCEL table = CreateAccelerators(block, kResourceLayout16);
  ACCEL entries[4] = {};
  ASSERT_EQ(2, CopyAcceleratorTable(table, entries, 4));
  EXPECT_EQ('A', entries[0].key);
  EXPECT_EQ(7, entries[0].cmd);
  EXPECT_EQ(VK_F2, entries[1].key);
  EXPECT_EQ(8, entries[1].cmd);
  DestroyAcceleratorTable(table);
  GlobalFree(block);
  DeleteFileA(path.c_str());

  // A named TYPE or the name table ends the search before later entries.
  Res16File named;
  named.AddNamedType("CUSTOM", "X", Bytes{1}).Add(kResourceMenu, "M", Bytes{1});
  EXPECT_EQ(ResourceScan::NotFound,
            FindResource16(named.bytes().data(), named.bytes().size(), kResourceMenu, "M", &span));
  Res16File table15;
  table15.Add(kResourceNameTable, "T", Bytes{1}).Add(kResourceMenu, "M", Bytes{1});
  EXPECT_EQ(ResourceScan::NotFound,
            FindResource16(table15.bytes().data(), table15.bytes().size(), kResourceMenu, "M", &span));
}

TEST(ResourceFile16, TruncationAndOversizedDataAreRefused) {
  Res16File file;
  file.Add(kResourceMenu, "A", Bytes(20, 1)).Add(kResourceMenu, "B", Bytes(20, 2));
  const Bytes& bytes = file.bytes();
  ResourceSpan span{};
  for (size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_NE(ResourceScan::Found, FindResource16(bytes.data(), cut, kResourceMenu, "B", &span)) << cut;
  Bytes bad = bytes;
  bad[9] = 0xFF;  // A's DataSize high byte
  EXPECT_EQ(ResourceScan::Malformed, FindResource16(bad.data(), bad.size(), kResourceMenu, "B", &span));
}

}  // namespace
