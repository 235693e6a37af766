// Memo texts in their 512-byte blocks, byte for byte, and the memo file's
// next free block kept past every block in use.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "quelt_test_support.h"

namespace {

class MemoFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = WorkDir("memo");
    Bytes image = NumbersImage();
    std::strcpy(name, (dir + ::testing::UnitTest::GetInstance()->current_test_info()->name()).c_str());
    ASSERT_TRUE(t.CreateFiles(name, image.data()));
    ASSERT_EQ(&t, t.Open(name));
  }
  void TearDown() override { t.Close(); }
  Bytes Dbt() { return ReadAll(std::string(name) + ".DBT"); }
  Bytes Block(uint32_t n) {
    Bytes all = Dbt();
    if (all.size() < (n + 1) * 512) return Bytes();
    return Bytes(all.begin() + n * 512, all.begin() + (n + 1) * 512);
  }
  // A record whose memo field holds block: appended, so it is the record
  // in the table's buffer.
  uint32_t AppendWithMemo(uint32_t block) {
    char rec[32];
    t.NewRecord(rec);
    std::snprintf(rec + 14, 11, "%10u", block);
    return t.AppendRecord(rec);
  }
  // Writes text as the memo of record n and stores its block there.
  uint32_t Store(uint32_t n, const std::string& text) {
    char rec[32];
    if (t.ReadRecord(n, rec) != n) return 0;
    const uint32_t block = t.WriteMemo(text.data(), static_cast<uint32_t>(text.size()));
    std::snprintf(rec + 14, 11, "%10u", block);
    return t.WriteRecord(n, rec) == n ? block : 0;
  }
  std::string Load(uint32_t n) {
    char rec[32];
    static char text[70000];
    if (t.ReadRecord(n, rec) != n) return "<no record>";
    const uint32_t length = t.ReadMemo(text, sizeof text);
    return std::string(text, length);
  }
  Table t;
  std::string dir;
  char name[MAX_PATH];
};

Bytes MemoBlock(const std::string& text) {
  Bytes b(512, 0);
  std::memcpy(b.data(), text.data(), text.size());
  if (text.size() < 512) b[text.size()] = 0x1A;
  return b;
}

TEST_F(MemoFile, EmptyFieldsReadAnEmptyText) {
  char text[8] = "xxxxxxx";
  AppendWithMemo(0);
  EXPECT_EQ(0u, t.ReadMemo(text, sizeof text));
  EXPECT_EQ('\0', text[0]);
  // A blank field reads the same.
  char rec[32];
  t.ReadRecord(1, rec);
  std::memset(rec + 14, ' ', 10);
  t.WriteRecord(1, rec);
  std::strcpy(text, "xxxxxxx");
  EXPECT_EQ(0u, t.ReadMemo(text, sizeof text));
  EXPECT_EQ('\0', text[0]);
  EXPECT_EQ(0u, t.ReadMemo(nullptr, 8));
  EXPECT_EQ(0u, t.ReadMemo(text, 0));
  EXPECT_EQ(0u, t.WriteMemo(nullptr, 4));
}

TEST_F(MemoFile, FirstMemoRewrittenInPlaceOrMoved) {
  AppendWithMemo(0);
  AppendWithMemo(0);
  const std::string hundred(100, 'a');
  EXPECT_EQ(1u, Store(1, hundred));
  EXPECT_EQ(1024u, Dbt().size());
  EXPECT_EQ(2u, Dword(Dbt(), 0));
  EXPECT_EQ(MemoBlock(hundred), Block(1));

  const std::string three(300, 'b');
  EXPECT_EQ(1u, Store(1, three));  // fits in its old block
  EXPECT_EQ(MemoBlock(three), Block(1));
  EXPECT_EQ(2u, Dword(Dbt(), 0));

  EXPECT_EQ(2u, Store(2, "second"));  // another memo follows the first now
  const std::string six(600, 'c');
  EXPECT_EQ(3u, Store(1, six));
  EXPECT_EQ(5u, Dword(Dbt(), 0));
  EXPECT_EQ(MemoBlock(three), Block(1));  // left unused
  EXPECT_EQ(Bytes(six.begin(), six.begin() + 512), Block(3));
  EXPECT_EQ(MemoBlock(six.substr(512)), Block(4));
  EXPECT_EQ(six, Load(1));
  EXPECT_EQ("second", Load(2));
}

TEST_F(MemoFile, TextsOfWholeBlocksEndInABlockOfTheirOwn) {
  AppendWithMemo(0);
  const std::string full(512, 'z');
  EXPECT_EQ(1u, Store(1, full));
  EXPECT_EQ(3u, Dword(Dbt(), 0));
  EXPECT_EQ(Bytes(full.begin(), full.end()), Block(1));
  EXPECT_EQ(MemoBlock(""), Block(2));
  EXPECT_EQ(full, Load(1));
  // A buffer shorter than the memo gets its size and no zero after it.
  char text[100];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(99u, t.ReadMemo(text, 99));
  EXPECT_EQ(std::string(99, 'z'), std::string(text, 99));
  EXPECT_EQ('#', text[99]);
}

TEST_F(MemoFile, TheLastMemoGrownInPlaceKeepsItsBlocks) {
  AppendWithMemo(0);
  AppendWithMemo(0);
  EXPECT_EQ(1u, Store(1, std::string(100, 'a')));
  const std::string grown(1100, 'g');
  EXPECT_EQ(1u, Store(1, grown));  // the last memo: grows where it is
  EXPECT_EQ(4u, Dword(Dbt(), 0));
  EXPECT_EQ(4u, Store(2, "after"));
  EXPECT_EQ(grown, Load(1));
  EXPECT_EQ("after", Load(2));
  // Shrinking in place leaves the next free block where it was.
  EXPECT_EQ(1u, Store(1, "short"));
  EXPECT_EQ(5u, Dword(Dbt(), 0));
  EXPECT_EQ("short", Load(1));
}

TEST_F(MemoFile, TextIsOemInTheFileUnlessRaw) {
  AppendWithMemo(0);
  EXPECT_EQ(1u, Store(1, "Туман"));
  EXPECT_EQ(MemoBlock("\x92\xE3\xAC\xA0\xAD"), Block(1));
  EXPECT_EQ("Туман", Load(1));
  t.SetFlags(kTableRaw, 0);
  EXPECT_EQ("\x92\xE3\xAC\xA0\xAD", Load(1));
}

TEST_F(MemoFile, RefusedWrites) {
  AppendWithMemo(0);
  const std::string big(65536, 'b');
  EXPECT_EQ(0u, t.WriteMemo(big.data(), 65536));
  EXPECT_EQ(kErrorBadArgument, t.GetError());
  EXPECT_EQ(512u, Dbt().size());
  EXPECT_EQ(1u, t.WriteMemo(big.data(), 65535));
  EXPECT_EQ(129u, Dword(Dbt(), 0));

  // A next free block of 0 would put the memo over the file's header.
  Bytes dbt = Dbt();
  dbt[0] = 0;
  WriteAll(std::string(name) + ".DBT", dbt);
  char rec[32];
  t.ReadRecord(1, rec);
  EXPECT_EQ(0u, t.WriteMemo("x", 1));
  EXPECT_EQ(kErrorBadHeader, t.GetError());
  EXPECT_EQ(dbt, Dbt());

  // A memo field pointing at or past the next free block holds no memo:
  // the text goes to the next free block, not far past the file's end.
  dbt[0] = 129;
  WriteAll(std::string(name) + ".DBT", dbt);
  AppendWithMemo(900000);
  EXPECT_EQ(129u, t.WriteMemo("x", 1));
  EXPECT_EQ(130u * 512, Dbt().size());

  // A memo file that is missing.
  DeleteFileA((std::string(name) + ".DBT").c_str());
  EXPECT_EQ(0u, t.WriteMemo("x", 1));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, t.GetError());
  char text[8];
  EXPECT_EQ(0u, t.ReadMemo(text, sizeof text));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, t.GetError());
}

TEST(MemoFields, ATableWithoutAMemoFieldHasNoMemos) {
  const std::string dir = WorkDir("memo");
  Bytes image = MakeImage(0x03, {{"A", 'N', 5, 0}});
  char name[MAX_PATH];
  std::strcpy(name, (dir + "plain").c_str());
  Table t;
  ASSERT_TRUE(t.CreateFiles(name, image.data()));
  EXPECT_FALSE(FileExists((dir + "plain.DBT").c_str()));
  ASSERT_EQ(&t, t.Open(name));
  char text[8];
  EXPECT_EQ(0u, t.ReadMemo(text, sizeof text));
  EXPECT_EQ(kErrorNoField, t.GetError());
  EXPECT_EQ(0u, t.WriteMemo("x", 1));
  EXPECT_EQ(kErrorNoField, t.GetError());
  t.Close();
}

}  // namespace
