// The reader's rules on hand-made record strings: where a file ends, what is
// skipped and which records are rejected with message 11 at their offset.
#include <gtest/gtest.h>

#include <string>

#include "page_file_support.h"

namespace {

void Put16(PageBytes& b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}

// A record of the given length field and type, its data filled with 'x'
// and ending in a NUL (data bytes = length - 3, or `data` bytes when given).
void Rec(PageBytes& b, unsigned length, unsigned char type, int data = -1) {
  Put16(b, length);
  b.push_back(type);
  const size_t n = data < 0 ? (length >= 3 ? length - 3 : 0) : static_cast<size_t>(data);
  for (size_t i = 0; i < n; ++i) b.push_back(i + 1 == n ? 0 : 'x');
}

PageBytes Page() {
  PageBytes b;
  Rec(b, 20, '#');
  return b;
}

TEST(PageWalker, WalksWhatTheWritersWrote) {
  ScratchPageFile file;
  HANDLE h = file.handle();
  RECT box = {1, 2, 3, 4};
  ASSERT_TRUE(WritePageHeader(h, 1, nullptr, nullptr));
  ASSERT_TRUE(WritePageFont(h, "Arial", 9, 0));
  ASSERT_TRUE(WritePageBox(h, &box, 0xFF));
  ASSERT_TRUE(WritePageText(h, 'C', "T1\nT2"));
  ASSERT_TRUE(WritePageHead(h, 0, &box, 2, "ID"));
  ASSERT_TRUE(WritePageRow(h, 'L', 0, &box, DT_RIGHT, 1, "7"));
  ASSERT_TRUE(WritePageRow(h, 'R', 0, &box, 0, 0, ""));
  ASSERT_TRUE(WritePageGrid(h));
  ASSERT_TRUE(WritePageEnd(h));
  ASSERT_TRUE(WritePageText(h, 'L', "after the end"));
  const PageBytes bytes = file.Contents();

  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView r;
  std::string seen;
  while (walker.Next(&r)) {
    seen += static_cast<char>(r.type);
    if (r.text) seen += "(" + std::string(r.text, r.text_length) + ")";
  }
  EXPECT_EQ(seen, "#F(Arial)BT(T1\nT2)H(ID)L(7)R()G");
  EXPECT_EQ(walker.error(), 0);
  EXPECT_EQ(walker.offset(), bytes.size() - 3 - 18) << "stands at the 'E'";

  PageRecordWalker again(bytes.data(), bytes.size());
  ASSERT_TRUE(again.Next(&r));
  ASSERT_TRUE(again.Next(&r));
  ASSERT_TRUE(again.Next(&r));
  ASSERT_EQ(r.type, 'B');
  EXPECT_EQ(r.offset, 20u + 12u);
  const PageBoxRecord* b = r.As<PageBoxRecord>();
  EXPECT_EQ(b->sides, 0xFF);
  EXPECT_EQ(b->bottom, 4);
  EXPECT_TRUE(PageSideLeftDrawn(b->sides) && PageSideTopDrawn(b->sides) && PageSideRightDrawn(b->sides) &&
              PageSideBottomDrawn(b->sides));
  EXPECT_FALSE(PageSideLeftDrawn(0x3F) || PageSideTopDrawn(0xCF) || PageSideRightDrawn(0xF3) ||
               PageSideBottomDrawn(0xFC));
}

TEST(PageWalker, EndsAtEndTypeZeroOrTheLastByte) {
  PageBytes b = Page();
  Rec(b, 3, 0);  // type 0 ends whatever its length says
  Rec(b, 20, 'B');
  EXPECT_EQ(WalkTypes(b), "#");

  b = Page();
  Put16(b, 0xFFFF);
  b.push_back(0);
  EXPECT_EQ(WalkTypes(b), "#");

  b = Page();
  Rec(b, 27, 'G');
  EXPECT_EQ(WalkTypes(b), "#G") << "the bytes end between records";

  b = Page();
  Rec(b, 40, 'E');  // a longer 'E' still ends
  Rec(b, 2, 'B');
  EXPECT_EQ(WalkTypes(b), "#");
}

TEST(PageWalker, UnknownTypesAreSkippedByTheirLength) {
  PageBytes b = Page();
  Rec(b, 9, 'Z');
  Rec(b, 3, 0xFF);
  Rec(b, 5, 'T');
  EXPECT_EQ(WalkTypes(b), "#T");
  b = Page();
  Rec(b, 2, 'Z');
  EXPECT_EQ(WalkTypes(b), "#!11@20") << "below the three bytes of every record";
}

TEST(PageWalker, RejectsDamagedRecordsAtTheirOffset) {
  EXPECT_EQ(WalkTypes(PageBytes()), "!11@0") << "no '#' page";
  PageBytes b;
  Rec(b, 5, 'T');
  EXPECT_EQ(WalkTypes(b), "!11@0") << "first record not '#'";
  b.assign({20, 0});
  EXPECT_EQ(WalkTypes(b), "!11@0");

  // Shorter than the type's fixed part.
  const struct {
    unsigned char type;
    unsigned fixed;
  } kinds[] = {{'#', 20}, {'B', 20}, {'F', 7}, {'T', 5}, {'H', 21}, {'L', 15}, {'R', 15}, {'G', 27}, {'E', 3}};
  for (const auto& k : kinds) {
    b = Page();
    Rec(b, k.fixed - 1, k.type, k.fixed + 10);
    EXPECT_EQ(WalkTypes(b), "#!11@20") << k.type;
    b = Page();
    Rec(b, k.fixed, k.type);
    Rec(b, 3, 'E');
    EXPECT_EQ(WalkTypes(b), k.type == 'E' ? std::string("#") : std::string("#") + static_cast<char>(k.type))
        << k.type;
  }

  b = Page();
  Rec(b, 30, 'L', 20);  // runs past the end
  EXPECT_EQ(WalkTypes(b), "#!11@20");

  b = Page();
  Rec(b, 8, 'T');
  b[b.size() - 1] = 'y';  // text without its NUL
  Rec(b, 3, 'E');
  EXPECT_EQ(WalkTypes(b), "#!11@20");

  b = Page();
  Rec(b, 27, 'G');
  b.push_back(3);  // one or two bytes left over
  EXPECT_EQ(WalkTypes(b), "#G!11@47");
  b.push_back(0);
  EXPECT_EQ(WalkTypes(b), "#G!11@47");

  size_t at = 1;
  EXPECT_EQ(CheckPageFile(b.data(), b.size(), &at), kPageFileBadFormat);
  EXPECT_EQ(at, 47u);
  b.push_back('E');
  EXPECT_EQ(CheckPageFile(b.data(), b.size(), &at), 0);
}

}  // namespace
