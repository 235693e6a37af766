// The writers' bytes, field by field, and what they do with a null handle,
// a handle without write access and texts out of range.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "page_file_support.h"

namespace {

PageBytes Hex(std::initializer_list<unsigned> values) {
  PageBytes b;
  for (unsigned v : values) b.push_back(static_cast<unsigned char>(v));
  return b;
}

int32_t I32(const PageBytes& b, size_t at) {
  int32_t v;
  std::memcpy(&v, &b[at], 4);
  return v;
}

TEST(PageWriter, RecordsAreTheDocumentedBytes) {
  ScratchPageFile file;
  ASSERT_NE(file.handle(), INVALID_HANDLE_VALUE);
  ASSERT_TRUE(WritePageFont(file.handle(), "Abcde", 10, 'B'));
  EXPECT_EQ(file.Contents(), Hex({0x0C, 0x00, 0x46, 0x0A, 0x42, 0x00, 0x41, 0x62, 0x63, 0x64, 0x65, 0x00}));

  ScratchPageFile text;
  ASSERT_TRUE(WritePageText(text.handle(), 'C', "abc"));
  EXPECT_EQ(text.Contents(), Hex({0x08, 0x00, 0x54, 0x43, 0x61, 0x62, 0x63, 0x00}));

  ScratchPageFile row;
  RECT box = {7, 100, 9, 120};
  ASSERT_TRUE(WritePageRow(row.handle(), 'L', 1, &box, 0x12, 3, "abc"));
  EXPECT_EQ(row.Contents(), Hex({0x12, 0x00, 0x4C, 0x01, 0x12, 0x00, 0x64, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00,
                                 0x00, 0x61, 0x62, 0x63, 0x00}));

  ScratchPageFile rest;
  RECT head = {10, 20, 300, 40};
  ASSERT_TRUE(WritePageHead(rest.handle(), 2, &head, 3, "Abc"));
  ASSERT_TRUE(WritePageBox(rest.handle(), &head, kPageSideLeft | kPageSideBottom));
  ASSERT_TRUE(WritePageGrid(rest.handle()));
  ASSERT_TRUE(WritePageEnd(rest.handle()));
  const PageBytes b = rest.Contents();
  ASSERT_EQ(b.size(), 24u + 20u + 27u + 3u);
  EXPECT_EQ(PageBytes(b.begin(), b.begin() + 4), Hex({24, 0, 'H', 2}));
  EXPECT_EQ(I32(b, 4), 10);
  EXPECT_EQ(I32(b, 8), 20);
  EXPECT_EQ(I32(b, 12), 300);
  EXPECT_EQ(I32(b, 16), 40);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[20])), "Abc");
  EXPECT_EQ(PageBytes(b.begin() + 24, b.begin() + 28), Hex({20, 0, 'B', 0x41}));
  EXPECT_EQ(I32(b, 24 + 12), 300);
  EXPECT_EQ(PageBytes(b.begin() + 44, b.begin() + 47), Hex({27, 0, 'G'}));
  EXPECT_EQ(PageBytes(b.begin() + 47, b.begin() + 71), PageBytes(24, 0));
  EXPECT_EQ(PageBytes(b.begin() + 71, b.end()), Hex({3, 0, 'E'}));
}

TEST(PageWriter, PageHeaderTakesTheDeviceAndFontMetrics) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-37, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  ScratchPageFile file;
  ASSERT_TRUE(WritePageHeader(file.handle(), 7, dc, font));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before) << "the DC's own font comes back";

  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  const PageBytes b = file.Contents();
  ASSERT_EQ(b.size(), 20u);
  EXPECT_EQ(PageBytes(b.begin(), b.begin() + 4), Hex({20, 0, '#', 7}));
  EXPECT_EQ(I32(b, 4), GetDeviceCaps(dc, HORZRES));
  EXPECT_EQ(I32(b, 8), GetDeviceCaps(dc, VERTRES));
  EXPECT_EQ(I32(b, 12), tm.tmAveCharWidth);
  EXPECT_EQ(I32(b, 16), tm.tmHeight + tm.tmExternalLeading);
  EXPECT_GT(tm.tmHeight, 30);

  // Page numbers are one byte: 0 and 256 cannot be stored.
  EXPECT_FALSE(WritePageHeader(file.handle(), 0, dc, font));
  EXPECT_FALSE(WritePageHeader(file.handle(), 256, dc, font));
  EXPECT_TRUE(WritePageHeader(file.handle(), 255, dc, font));
  EXPECT_EQ(file.Contents().size(), 40u);
  EXPECT_EQ(file.Contents()[23], 255);
  DeleteObject(font);
  DeleteDC(dc);
}

TEST(PageWriter, NullHandleAndReadOnlyHandleGiveZero) {
  RECT box = {1, 2, 3, 4};
  GruskFont font = {12, 0, "Courier New"};
  EXPECT_FALSE(WritePageFileData(nullptr, "ab", 2));
  EXPECT_FALSE(WritePageHeader(nullptr, 1, nullptr, nullptr));
  EXPECT_FALSE(WritePageFont(nullptr, "Arial", 10, 0));
  EXPECT_FALSE(WritePagePrintFont(nullptr, &font));
  EXPECT_FALSE(WritePageBox(nullptr, &box, 0));
  EXPECT_FALSE(WritePageText(nullptr, 'L', "x"));
  EXPECT_FALSE(WritePageHead(nullptr, 0, &box, 1, "x"));
  EXPECT_FALSE(WritePageRow(nullptr, 'L', 0, &box, 0, 1, "x"));
  EXPECT_FALSE(WritePageGrid(nullptr));
  EXPECT_FALSE(WritePageEnd(nullptr));

  ScratchPageFile file;
  ASSERT_TRUE(WritePageEnd(file.handle()));
  HANDLE reader = CreateFileA(file.name().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WritePageRow(reader, 'L', 0, &box, 0, 1, "x"));
  EXPECT_FALSE(WritePageFont(reader, "Arial", 10, 0));
  EXPECT_FALSE(WritePageEnd(reader));
  CloseHandle(reader);
  EXPECT_EQ(file.Contents().size(), 3u);
}

TEST(PageWriter, TextsOutOfRange) {
  ScratchPageFile file;
  RECT box = {0, 5, 0, 6};
  ASSERT_TRUE(WritePageText(file.handle(), 'L', nullptr));                  // null text: empty
  ASSERT_TRUE(WritePageRow(file.handle(), 'R', 0, &box, 0, 10, "ab"));      // length past the NUL
  ASSERT_TRUE(WritePageHead(file.handle(), 1, &box, -4, "abc"));            // negative length: empty
  ASSERT_TRUE(WritePageFont(file.handle(), "Arial", 300, 'I'));              // points above 255
  GruskFont font = {1000, 0, {}};
  std::memset(font.face, 'x', sizeof font.face);                            // face without its NUL
  ASSERT_TRUE(WritePagePrintFont(file.handle(), &font));
  const PageBytes b = file.Contents();
  ASSERT_EQ(b.size(), 5u + 17u + 21u + 12u + 39u);
  EXPECT_EQ(PageBytes(b.begin(), b.begin() + 5), Hex({5, 0, 'T', 'L', 0}));
  EXPECT_EQ(PageBytes(b.begin() + 5, b.begin() + 9), Hex({17, 0, 'R', 0}));
  EXPECT_EQ(PageBytes(b.begin() + 19, b.begin() + 22), Hex({'a', 'b', 0}));
  EXPECT_EQ(b[22], 21);
  EXPECT_EQ(b[42], 0);
  EXPECT_EQ(PageBytes(b.begin() + 43, b.begin() + 49), Hex({12, 0, 'F', 255, 'I', 0}));
  EXPECT_EQ(PageBytes(b.begin() + 55, b.begin() + 61), Hex({39, 0, 'F', 255, 0, 0}));
  EXPECT_EQ(b.back(), 0);
}

TEST(PageWriter, TextTooLongForTheLengthIsCutAndTheRecordStaysWhole) {
  ScratchPageFile file;
  RECT box = {};
  const std::string huge(70000, 'q');
  ASSERT_TRUE(WritePageHeader(file.handle(), 1, nullptr, nullptr));
  ASSERT_TRUE(WritePageText(file.handle(), 'C', huge.c_str()));
  ASSERT_TRUE(WritePageRow(file.handle(), 'L', 0, &box, 0, 70000, huge.c_str()));
  ASSERT_TRUE(WritePageFont(file.handle(), huge.c_str(), 8, 0));
  ASSERT_TRUE(WritePageEnd(file.handle()));
  const PageBytes b = file.Contents();
  ASSERT_EQ(b.size(), 20u + 3 * 0xFFFFu + 3u);
  EXPECT_EQ(WalkTypes(b), "#TLF");
  PageRecordWalker walker(b.data(), b.size());
  PageRecordView record;
  ASSERT_TRUE(walker.Next(&record));
  ASSERT_TRUE(walker.Next(&record));
  EXPECT_EQ(record.length, 0xFFFFu);
  EXPECT_EQ(record.text_length, 0xFFFFu - 5);
  ASSERT_TRUE(walker.Next(&record));
  EXPECT_EQ(record.text_length, 0xFFFFu - 15);
}

}  // namespace
