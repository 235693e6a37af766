#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "blank_helpers.h"
#include "keyword_list.h"
#include "path_helpers.h"
#include "text_helpers.h"

namespace {

template <typename F>
std::string InPlace(const char* text, F f) {
  char buffer[128];
  std::strcpy(buffer, text);
  f(buffer);
  return buffer;
}

TEST(PathHelpers, Extensions) {
  EXPECT_EQ(-1, FindExtension("C:\\DIR.X\\FILE"));
  EXPECT_EQ(8, FindExtension("FILE.TAR.GZ"));
  EXPECT_EQ(-1, FindExtension(""));
  EXPECT_EQ(-1, FindExtension("A:B"));
  EXPECT_EQ("A.bas", InPlace("A.TXT", [](char* p) { EXPECT_EQ(1, SetExtension(p, 128, "bas")); }));
  EXPECT_EQ("A.", InPlace("A.TXT", [](char* p) { SetExtension(p, 128, ""); }));
  EXPECT_EQ("DIR.X\\F.bas", InPlace("DIR.X\\F", [](char* p) { SetExtension(p, 128, "bas"); }));
  EXPECT_EQ("A", InPlace("A.TXT", [](char* p) { StripExtension(p); }));
  EXPECT_EQ("RUN.bas", InPlace("RUN.x.y", [](char* p) { ForceExtension(p, 128, "bas"); }));
  EXPECT_EQ(1, HasExtension("RUN.BAS", "bas"));
  EXPECT_EQ(0, HasExtension("RUN.BASIC", "bas"));
  EXPECT_EQ(1, HasExtension("RUN.BASIC", "basic"));
  EXPECT_EQ(0, HasExtension("RUN", "bas"));
}

TEST(PathHelpers, GrowingNeverPassesTheCapacity) {
  char buffer[8] = "ABCDE.T";
  EXPECT_EQ(0, SetExtension(buffer, sizeof buffer, "bas"));  // "ABCDE.bas" needs 10
  EXPECT_STREQ("ABCDE.T", buffer);
  EXPECT_EQ(1, SetExtension(buffer, sizeof buffer, "b"));
  EXPECT_STREQ("ABCDE.b", buffer);
  char dir[5] = "C:\\A";
  EXPECT_EQ(0, AddBackslash(dir, sizeof dir));
  EXPECT_STREQ("C:\\A", dir);
  char dir2[6] = "C:\\A";
  EXPECT_EQ(1, AddBackslash(dir2, sizeof dir2));
  EXPECT_STREQ("C:\\A\\", dir2);
}

TEST(PathHelpers, Parts) {
  EXPECT_EQ("C:\\A\\", InPlace("C:\\A\\B.TXT", [](char* p) { DirectoryPart(p); }));
  EXPECT_EQ("B.TXT", InPlace("C:\\A\\B.TXT", [](char* p) { FileNamePart(p); }));
  EXPECT_EQ("C:", InPlace("C:FILE", [](char* p) { DirectoryPart(p); }));
  EXPECT_EQ("\\FILE", InPlace("\\FILE", [](char* p) { DirectoryPart(p); }));
  EXPECT_EQ("B", InPlace("A B", [](char* p) { FileNamePart(p); }));
  EXPECT_EQ("NAME", InPlace("NAME", [](char* p) { FileNamePart(p); }));
  EXPECT_EQ("C:\\TMP\\", InPlace("C:\\TMP", [](char* p) { AddBackslash(p, 128); }));
  EXPECT_EQ("C:", InPlace("C:", [](char* p) { AddBackslash(p, 128); }));
  EXPECT_EQ("C:\\TMP\\", InPlace("C:\\TMP\\", [](char* p) { AddBackslash(p, 128); }));
  EXPECT_EQ("", InPlace("", [](char* p) { AddBackslash(p, 128); }));
}

TEST(PathHelpers, FileExistsOpensWithoutAccess) {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::strcat(path, "korvex_exists.tmp");
  DeleteFileA(path);
  EXPECT_EQ(0, FileExists(path));
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  CloseHandle(h);
  EXPECT_EQ(1, FileExists(path));
  DeleteFileA(path);
}

TEST(BlankHelpers, SqueezeAndTrim) {
  auto squeeze = [](const char* t) { return InPlace(t, [](char* p) { SqueezeBlanks(p, 128); }); };
  EXPECT_EQ("F(X)", squeeze("F( X )"));
  EXPECT_EQ("A, B", squeeze("A , B"));
  EXPECT_EQ("(-5)", squeeze("( -5)"));
  EXPECT_EQ("(-5)", squeeze("(-5)"));
  EXPECT_EQ("A B C", squeeze("   A   B  C   "));
  EXPECT_EQ("X=1", squeeze("X =1"));
  EXPECT_EQ("", squeeze("    "));
  char text[] = "  A B  ";
  EXPECT_EQ(3u, SqueezeBlanks(text, 100));
  EXPECT_EQ(0u, SqueezeBlanks(text, 0));
  EXPECT_EQ(0u, SqueezeBlanks(text, 65536));  // the count is 16-bit

  EXPECT_EQ("AB", InPlace(" A B ", [](char* p) { EXPECT_EQ(2u, RemoveBlanks(p, 100)); }));
  EXPECT_EQ("A B ", InPlace("  A B ", [](char* p) { EXPECT_EQ(4u, TrimLeft(p, 100)); }));
  EXPECT_EQ("  A B", InPlace("  A B  ", [](char* p) { EXPECT_EQ(5u, TrimRight(p, 100)); }));
  EXPECT_EQ(" A", InPlace(" A  X", [](char* p) { EXPECT_EQ(2u, TrimRight(p, 4)); }));
}

TEST(BlankHelpers, FindAndLength) {
  EXPECT_EQ(2u, FindChar("ABCABC", 100, 'C'));
  EXPECT_EQ(2u, FindChar("ABCABC", 2, 'C'));
  EXPECT_EQ(100u, FindChar("AB", 100, 'Z'));
  EXPECT_EQ(3u, BoundedLength("ABCDEF", 3));
  EXPECT_EQ(6u, BoundedLength("ABCDEF", 300));
}

TEST(KeywordLists, IndexPrefixAndItems) {
  const char list[] = "NULL\0LONG\0REAL\0";
  EXPECT_EQ(3, KeywordIndex(list, "real"));
  EXPECT_EQ(0, KeywordIndex(list, "INT"));
  EXPECT_EQ(0, KeywordIndex(list, ""));
  EXPECT_STREQ("LONG", KeywordAt(list, 2));
  EXPECT_EQ(nullptr, KeywordAt(list, 4));
  EXPECT_EQ(nullptr, KeywordAt(list, 0));
  EXPECT_EQ(2, KeywordPrefixIndex(list, "longer"));
  EXPECT_EQ(0, KeywordPrefixIndex(list, "LON"));
  char words[] = "ONE;TWO;";
  SetNullToText(words, ';');
  EXPECT_EQ(2, KeywordIndex(words, "two"));
  // Cyrillic items compare byte for byte (the C runtime's rules).
  EXPECT_EQ(1, KeywordIndex("ИТОГ\0", "ИТОГ"));
}

TEST(KeywordLists, IndexTableAnswersAsTheList) {
  const char list[] = "DIM\0DEF\0IF\0FOR\0NEXT\0END\0ENDIF\0IF\0CSTRING\0";
  KeywordIndexTable index(list);
  for (const char* word : {"DIM", "def", "If", "for", "NeXt", "END", "endif", "CSTRING", "cstring",
                           "", "D", "DI", "DIMS", "EN", "ENDI", "ENDIFX", "FOR ", "NEXT1", "CSTRINGS",
                           "ДИМ", "ЕND", "N\xC5XT", "DIM\x80"})
    EXPECT_EQ(KeywordIndex(list, word), index.Find(word)) << word;
  EXPECT_EQ(3, index.Find("if"));  // a repeated item: the first one
}

TEST(TextLength, EveryLengthAtEveryAlignment) {
  // Across the 16- and 64-byte blocks the text is scanned by, with bytes of
  // every value in front of and behind the text.
  EXPECT_EQ(0u, TextLength(nullptr));
  alignas(64) char buffer[512];
  for (size_t offset = 0; offset < 64; ++offset)
    for (size_t length = 0; length < 300; length += length < 80 ? 1 : 7) {
      for (size_t i = 0; i < sizeof buffer; ++i) buffer[i] = static_cast<char>(0x80 | (i * 7 + 1));
      buffer[offset ? offset - 1 : 0] = offset ? 0 : buffer[0];
      buffer[offset + length] = 0;
      ASSERT_EQ(length, TextLength(buffer + offset)) << offset << " " << length;
    }
}

int Match(const char* text, const char* pattern) {
  char t[64], p[64];
  std::strcpy(t, text);
  std::strcpy(p, pattern);
  return MatchWildcard(t, static_cast<unsigned>(std::strlen(t)), p, static_cast<unsigned>(std::strlen(p)));
}

TEST(KeywordLists, WildcardsWithoutBacktracking) {
  EXPECT_EQ(1, Match("ABC", "AB"));
  EXPECT_EQ(1, Match("ABC", "A*C"));
  EXPECT_EQ(1, Match("ABXC", "A*C"));
  EXPECT_EQ(1, Match("AXBC", "A*BC"));
  EXPECT_EQ(0, Match("ABXBC", "A*BC"));
  EXPECT_EQ(0, Match("ABC", ""));
  EXPECT_EQ(0, Match("", "A"));
  EXPECT_EQ(1, Match("abc", "A?C"));
  EXPECT_EQ(1, Match("ABC", "A*"));
  EXPECT_EQ(0, Match("AB", "ABC"));
  EXPECT_EQ(0, Match("ABD", "A*C"));
  char t[] = "", p[] = "";
  EXPECT_EQ(1, MatchWildcard(t, 0, p, 0));
  char lower[] = "abc", pat[] = "A*";
  MatchWildcard(lower, 3, pat, 2);
  EXPECT_STREQ("ABC", lower);  // the caller's text is upper-cased
}

TEST(TextHelpers, GroupThousands) {
  auto group = [](const char* t) { return InPlace(t, [](char* p) { GroupThousands(p, 128, ','); }); };
  EXPECT_EQ("1,234,567.891", group("1234567.891"));
  EXPECT_EQ("123", group("123"));
  EXPECT_EQ("1,234", group("1234"));
  EXPECT_EQ("-,123", group("-123"));  // the sign is a character of its group
  EXPECT_EQ("7", group("7"));
  EXPECT_EQ(".12345", group(".12345"));
  char small[8] = "1234567";
  EXPECT_EQ(7, GroupThousands(small, sizeof small, ','));
  EXPECT_STREQ("1234567", small);
  char fits[10] = "1234567";
  EXPECT_EQ(9, GroupThousands(fits, sizeof fits, ' '));
  EXPECT_STREQ("1 234 567", fits);
}

TEST(TextHelpers, CopyFilterUnescapeCount) {
  char small[4];
  char* end = CopyText(small, sizeof small, "ABCDEF");
  EXPECT_STREQ("ABC", small);
  EXPECT_EQ(small + 3, end);
  EXPECT_EQ(nullptr, CopyText(small, 0, "X"));

  char id[16];
  EXPECT_EQ(5, FilterIdentifierChars(id, sizeof id, "a_b-1 Жя!ё"));  // ё is 0xB8
  EXPECT_STREQ("ab1Жя", id);
  char none[2] = {'x', 'y'};
  EXPECT_EQ(0, FilterIdentifierChars(none, 0, "abc"));
  EXPECT_EQ('x', none[0]);
  EXPECT_EQ(2, FilterIdentifierChars(id, 3, "abcdef"));
  EXPECT_STREQ("ab", id);

  char out[32];
  EXPECT_EQ(5, UnescapeText(out, "a\\nb\\x"));
  EXPECT_STREQ("a\nb\\x", out);
  EXPECT_EQ(0, UnescapeText(nullptr, "a"));
  EXPECT_EQ(3, CountChar("a.b.c.", '.'));
}

TEST(TextHelpers, WrapLines) {
  char text[] = "one two three four";
  EXPECT_EQ(4, WrapLines(text, 9));
  EXPECT_STREQ("one two\nthree\nfour", text);
  char feed[] = "ab\ncdef ghij";
  WrapLines(feed, 5);
  EXPECT_STREQ("ab\ncdef\nghij", feed);
  char solid[] = "abcdefghijkl mn";
  WrapLines(solid, 4);  // a piece without a blank stays whole and it ends
  EXPECT_STREQ("abcdefghijkl\nmn", solid);
  char same[] = "a b c";
  EXPECT_EQ(5, WrapLines(same, 0));
  EXPECT_STREQ("a b c", same);
}

TEST(TextHelpers, DecimalSeparatorFollowsTheLocale) {
  // Tests run in the Russian locale, whose separator is the comma.
  EXPECT_EQ(',', DecimalSeparator());
}

}  // namespace
