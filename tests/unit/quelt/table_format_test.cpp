// The .DBF as the engine writes and reads it: creation byte for byte,
// records, deletion, truncation, counts at close, temporary tables, the
// header checks, the cache and the notifications.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "quelt_test_support.h"

namespace {

class TableFormat : public ::testing::Test {
 protected:
  void SetUp() override { dir = WorkDir("format"); }
  // Creates name (no extension) from image and opens it.
  void Make(Table& t, const std::string& leaf, Bytes image = NumbersImage()) {
    std::strcpy(nameBuffer, (dir + leaf).c_str());
    ASSERT_TRUE(t.CreateFiles(nameBuffer, image.data()));
    ASSERT_EQ(&t, t.Open(nameBuffer)) << t.GetError();
  }
  uint32_t Append(Table& t, const char* a) {
    char rec[64];
    t.NewRecord(rec);
    std::memcpy(rec + 1, a, 5);
    return t.AppendRecord(rec);
  }
  std::string dir;
  char nameBuffer[MAX_PATH];
};

TEST_F(TableFormat, CreateWritesTheHeaderAndAnEmptyMemoFile) {
  Bytes image = NumbersImage();
  std::strcpy(nameBuffer, (dir + "numbers.xyz").c_str());
  ASSERT_TRUE(Table().CreateFiles(nameBuffer, image.data()));
  const Bytes dbf = ReadAll(dir + "numbers.DBF");
  ASSERT_EQ(130u, dbf.size());
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_EQ(0x83, dbf[0]);
  EXPECT_EQ(now.wYear - 1900, dbf[1]);
  EXPECT_EQ(now.wMonth, dbf[2]);
  EXPECT_EQ(now.wDay, dbf[3]);
  EXPECT_EQ(0u, Dword(dbf, 4));
  EXPECT_EQ(Bytes({0x81, 0x00, 0x18, 0x00}), Bytes(dbf.begin() + 8, dbf.begin() + 12));
  EXPECT_EQ(Bytes(8, 0), Bytes(dbf.begin() + 12, dbf.begin() + 20));
  EXPECT_EQ(0x0D, dbf[128]);
  EXPECT_EQ(0x1A, dbf[129]);
  // The caller's image got today's date.
  EXPECT_EQ(dbf[1], image[1]);
  Bytes dbt = ReadAll(dir + "numbers.DBT");
  ASSERT_EQ(512u, dbt.size());
  EXPECT_EQ(1u, Dword(dbt, 0));
  EXPECT_EQ(Bytes(508, 0), Bytes(dbt.begin() + 4, dbt.end()));

  Table t;
  ASSERT_EQ(&t, t.Open((dir + "numbers").c_str()));
  EXPECT_EQ(3, t.FieldCount());
  FieldInfo info[3];
  const char* names[] = {"a", "B", "m"};
  const char types[] = {'N', 'F', 'M'};
  const uint32_t offsets[] = {1, 6, 14};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i + 1, t.FieldNumber(names[i], &info[i]));
    EXPECT_EQ(types[i], info[i].type);
    EXPECT_EQ(offsets[i], info[i].offset);
  }
  EXPECT_EQ(2, info[1].decimals);
  EXPECT_EQ(0, t.FieldNumber("NOPE"));
  t.Close();
  // Descriptors are never written back.
  EXPECT_EQ(dbf, ReadAll(dir + "numbers.DBF"));
}

TEST_F(TableFormat, NewAppendReadAndWriteRecords) {
  Table t;
  Make(t, "records");
  char rec[32] = {};
  EXPECT_EQ(0u, t.ReadRecord(1, rec));
  EXPECT_EQ(kErrorBadRecord, t.GetError());
  t.NewRecord(rec);
  EXPECT_EQ("$    0    0.00         0", Text(rec, 24));
  EXPECT_EQ(0u, t.Current());
  EXPECT_EQ(1u, t.AppendRecord(rec));
  EXPECT_EQ(' ', rec[0]);
  EXPECT_EQ(0u, t.AppendRecord(rec));  // not a blank record
  EXPECT_EQ(1u, t.ReadRecord(0, rec));
  EXPECT_EQ(1u, t.ReadRecord(6, rec));
  EXPECT_EQ(1u, t.Current());
  t.Close();
  Bytes dbf = ReadAll(dir + "records.DBF");
  ASSERT_EQ(154u, dbf.size());
  EXPECT_EQ(1u, Dword(dbf, 4));
  EXPECT_EQ(0x1A, dbf[153]);
  EXPECT_EQ(" ", Text(&dbf[129], 1));

  // Above the count a record is written after the last one, which the count
  // does not take in; an append then writes over it.
  ASSERT_EQ(&t, t.Open((dir + "records").c_str()));
  std::memcpy(rec, "     7", 6);
  EXPECT_EQ(2u, t.WriteRecord(9, rec));
  EXPECT_EQ(1u, t.Count());
  EXPECT_EQ(2u, Append(t, "    8"));
  EXPECT_EQ(2u, t.Count());
  EXPECT_EQ(2u, t.ReadRecord(2, rec));
  EXPECT_EQ("    8", Text(rec + 1, 5));
  t.Close();
  EXPECT_EQ(129u + 2 * 24 + 1, ReadAll(dir + "records.DBF").size());
}

TEST_F(TableFormat, NarrowNumbersAndDatesOfBlankRecords) {
  Table t;
  Make(t, "narrow", MakeImage(0x03, {{"N", 'N', 3, 2}, {"D", 'D', 8, 0}, {"L", 'L', 1, 0}, {"C", 'C', 3, 0}}));
  char rec[16];
  t.NewRecord(rec);
  EXPECT_EQ("$   19000000    ", Text(rec, 16));
  t.Close();
}

TEST_F(TableFormat, HeadersThatCannotBeOpenedAreRefused) {
  Bytes shortRecord = NumbersImage();
  shortRecord[10] = 23;
  Bytes tooLong = MakeImage(0x03, {});
  tooLong.resize(33 + 256 * 32);
  tooLong[8] = static_cast<uint8_t>(tooLong.size());
  tooLong[9] = static_cast<uint8_t>(tooLong.size() >> 8);
  Bytes shortHeader = NumbersImage();
  shortHeader[8] = 32;
  Bytes version = NumbersImage();
  version[0] = 0x30;
  int i = 0;
  for (Bytes* image : {&shortRecord, &tooLong, &shortHeader, &version}) {
    const std::string name = dir + "refused" + std::to_string(i++);
    std::strcpy(nameBuffer, name.c_str());
    DeleteFileA((name + ".DBF").c_str());
    Table t;
    EXPECT_FALSE(t.CreateFiles(nameBuffer, image->data()));
    EXPECT_EQ(kErrorBadHeader, t.GetError());
    EXPECT_FALSE(FileExists((name + ".DBF").c_str())) << name;

    // The same header written by someone else does not open.
    Bytes file = *image;
    file.push_back(0x1A);
    WriteAll(name + ".DBF", file);
    EXPECT_EQ(nullptr, t.Open(name.c_str()));
    EXPECT_EQ(kErrorBadHeader, t.GetError()) << name;
    EXPECT_EQ(nullptr, FirstOpenTable());
  }
  // A header longer than the file, a file shorter than 32 bytes, none.
  Bytes beyond = NumbersImage();
  beyond[8] = 200;
  WriteAll(dir + "beyond.DBF", beyond);
  WriteAll(dir + "tiny.DBF", Bytes(20, 3));
  Table t;
  EXPECT_EQ(nullptr, t.Open((dir + "beyond").c_str()));
  EXPECT_EQ(kErrorBadHeader, t.GetError());
  EXPECT_EQ(nullptr, t.Open((dir + "tiny").c_str()));
  EXPECT_EQ(kErrorBadHeader, t.GetError());
  EXPECT_EQ(nullptr, t.Open((dir + "nosuch").c_str()));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, t.GetError());
}

TEST_F(TableFormat, DeletionRewritesOnlyTheMarkAndNotifies) {
  Table t;
  Make(t, "deleting", MakeImage(0x03, {{"T", 'C', 3, 0}}));
  NotifyLog log;
  LoggingClient client(1, &log);
  t.AddClient(&client);
  char rec[4];
  t.NewRecord(rec);
  ASSERT_EQ(1u, t.AppendRecord(rec));
  // OEM box drawing has no ANSI letter to go back to.
  t.SetFlags(kTableRaw, 0);
  std::memcpy(rec, " \xC9\xCD\xBB", 4);
  ASSERT_EQ(1u, t.WriteRecord(1, rec));
  t.SetFlags(0, kTableRaw);
  EXPECT_EQ(0u, t.DeleteRecord(2));
  EXPECT_EQ(kErrorBadRecord, t.GetError());
  EXPECT_EQ(0u, t.DeleteRecord(0));
  EXPECT_EQ(1u, t.DeleteRecord(1));
  EXPECT_EQ(1u, t.Current());
  t.Close();
  const Bytes dbf = ReadAll(dir + "deleting.DBF");
  EXPECT_EQ("*\xC9\xCD\xBB", Text(&dbf[65], 4));
  EXPECT_EQ((NotifyLog{{1, {2, 1}}, {1, {2, 1}}, {1, {3, 1}}}), log);
}

TEST_F(TableFormat, ClientsAreToldInRegistrationOrder) {
  Table t;
  Make(t, "notify");
  NotifyLog log;
  LoggingClient first(1, &log), second(2, &log), third(3, &log);
  t.AddClient(&first);
  t.AddClient(&second);
  t.AddClient(&third);
  EXPECT_TRUE(t.RemoveClient(&second));
  EXPECT_FALSE(t.RemoveClient(&second));
  t.AddClient(&second);
  EXPECT_EQ(3, t.ClientCount());
  char rec[32];
  Append(t, "    1");
  Append(t, "    2");
  t.ReadRecord(1, rec);
  t.WriteRecord(1, rec);
  t.WriteRecord(3, rec);  // past the count: no change to tell
  rec[0] = '*';
  t.WriteRecord(2, rec);  // a deletion written by the client
  EXPECT_TRUE(t.Truncate(1));
  const NotifyLog expected = {{1, {2, 1}}, {3, {2, 1}}, {2, {2, 1}}, {1, {2, 2}}, {3, {2, 2}},
                              {2, {2, 2}}, {1, {2, 1}}, {3, {2, 1}}, {2, {2, 1}}, {1, {5, 1}},
                              {3, {5, 1}}, {2, {5, 1}}};
  EXPECT_EQ(expected, log);
  t.Close();
}

TEST_F(TableFormat, TruncationEndsTheFileAfterTheMark) {
  Table t;
  Make(t, "cut");
  for (const char* a : {"    1", "    2", "    3"}) Append(t, a);
  EXPECT_FALSE(t.Truncate(4));
  EXPECT_EQ(kErrorBadRecord, t.GetError());
  EXPECT_EQ(3u, t.Count());
  EXPECT_TRUE(t.Truncate(1));
  Bytes dbf = ReadAll(dir + "cut.DBF");
  ASSERT_EQ(129u + 24 + 1, dbf.size());
  EXPECT_EQ(1u, Dword(dbf, 4));
  EXPECT_EQ(0x1A, dbf.back());
  EXPECT_TRUE(t.Truncate(0));
  dbf = ReadAll(dir + "cut.DBF");
  EXPECT_EQ(130u, dbf.size());
  EXPECT_EQ(0x1A, dbf.back());
  t.Close();
}

// Two handles on one file stand in for two processes.
TEST_F(TableFormat, CloseWritesTheLargerCountThatTheFileHolds) {
  Table a, b;
  Make(a, "counts");
  ASSERT_EQ(&b, b.Open((dir + "counts").c_str()));
  for (const char* v : {"    1", "    2", "    3"}) Append(a, v);
  char rec[32];
  a.ReadRecord(1, rec);
  ASSERT_EQ(1u, b.WriteRecord(1, rec));  // b still counts 0
  b.Close();
  EXPECT_EQ(3u, Dword(ReadAll(dir + "counts.DBF"), 4));

  ASSERT_EQ(&b, b.Open((dir + "counts").c_str()));
  ASSERT_EQ(1u, b.WriteRecord(1, rec));  // b counts 3, modified
  EXPECT_TRUE(a.Truncate(1));
  b.Close();
  Bytes dbf = ReadAll(dir + "counts.DBF");
  EXPECT_EQ(1u, Dword(dbf, 4));
  EXPECT_EQ(129u + 24 + 1, dbf.size());
  a.Close();
}

TEST_F(TableFormat, TemporaryTablesLeaveNoFilesBehind) {
  CreateDirectoryA("C:\\TMP", nullptr);
  Bytes image = MakeImage(0x03, {{"A", 'N', 5, 0}});
  char name[MAX_PATH] = "";
  Table t;
  ASSERT_TRUE(t.CreateFiles(name, image.data())) << t.GetError();
  EXPECT_EQ(0, std::strncmp(name, "C:\\TMP\\$", 8)) << name;
  EXPECT_EQ(-1, FindExtension(name));
  ASSERT_EQ(&t, t.Open(name));
  EXPECT_EQ(kTableTemporary | kTableNoLock | kTableOpen, t.Flags());
  const std::string base(name);
  EXPECT_TRUE(FileExists((base + ".DBF").c_str()));
  char rec[8];
  t.NewRecord(rec);
  EXPECT_EQ(1u, t.AppendRecord(rec));
  t.Close();
  EXPECT_FALSE(FileExists((base + ".DBF").c_str()));
  EXPECT_FALSE(FileExists((base + ".TMP").c_str()));
}

TEST_F(TableFormat, RecordsPastTheFileOrPastTwoGigabytes) {
  // A count above what the file holds.
  Table t;
  Make(t, "short");
  Append(t, "    1");
  t.Close();
  Bytes dbf = ReadAll(dir + "short.DBF");
  dbf[4] = 5;
  WriteAll(dir + "short.DBF", dbf);
  ASSERT_EQ(&t, t.Open((dir + "short").c_str()));
  char rec[32];
  std::memset(rec, '#', sizeof rec);
  EXPECT_EQ(0u, t.ReadRecord(3, rec));
  EXPECT_EQ(kErrorShortRead, t.GetError());
  EXPECT_EQ('#', rec[0]);
  EXPECT_FALSE(t.LoadCache());
  EXPECT_EQ(kErrorShortRead, t.GetError());
  EXPECT_FALSE(t.Flags() & kTableCached);
  EXPECT_EQ(1u, t.ReadRecord(1, rec));
  t.Close();

  // Records of 60,000 bytes counted past 2 GB.
  Bytes wide = MakeImage(0x03, {{"W", 'C', 250, 0}});
  wide[10] = 0x60;
  wide[11] = 0xEA;
  wide[4] = wide[5] = wide[6] = 0xFF;
  wide[7] = 0x0F;
  wide.push_back(0x1A);
  WriteAll(dir + "wide.DBF", wide);
  ASSERT_EQ(&t, t.Open((dir + "wide").c_str()));
  EXPECT_EQ(0u, t.ReadRecord(0x0FFFFFFF, rec));
  EXPECT_EQ(kErrorBadRecord, t.GetError());
  EXPECT_EQ(0u, t.DeleteRecord(40000));
  EXPECT_EQ(kErrorBadRecord, t.GetError());
  EXPECT_FALSE(t.LoadCache());
  EXPECT_EQ(kErrorNoMemory, t.GetError());
  t.Close();
}

TEST_F(TableFormat, CachedRecordsFollowTheWrites) {
  Table t;
  Make(t, "cached");
  for (const char* v : {"    1", "    2"}) Append(t, v);
  NotifyLog log;
  LoggingClient keeper(1, &log);
  keeper.mask = kClientKeepsCache;
  t.AddClient(&keeper);
  EXPECT_FALSE(t.DropCache());
  ASSERT_TRUE(t.LoadCache());
  ASSERT_TRUE(t.LoadCache());
  char rec[32];
  EXPECT_EQ(3u, Append(t, "    3"));  // the cache grows
  // What the cache answers is what the file holds: change the file behind it.
  Table other;
  ASSERT_EQ(&other, other.Open((dir + "cached").c_str()));
  other.ReadRecord(1, rec);
  std::memcpy(rec + 1, "   99", 5);
  other.WriteRecord(1, rec);
  other.Close();
  EXPECT_EQ(3u, t.ReadRecord(3, rec));
  EXPECT_EQ("    3", Text(rec + 1, 5));
  EXPECT_EQ(1u, t.ReadRecord(1, rec));
  EXPECT_EQ("    1", Text(rec + 1, 5));
  EXPECT_FALSE(t.DropCache());
  t.RemoveClient(&keeper);
  EXPECT_TRUE(t.DropCache());
  EXPECT_FALSE(t.DropCache());
  EXPECT_EQ(1u, t.ReadRecord(1, rec));
  EXPECT_EQ("   99", Text(rec + 1, 5));
  t.Close();
}

TEST_F(TableFormat, TextIsOemInTheFileUnlessRaw) {
  Table t;
  Make(t, "coder", MakeImage(0x03, {{"T", 'C', 6, 0}}));
  char rec[8];
  t.NewRecord(rec);
  std::memcpy(rec + 1, "Ёжик№", 5);
  ASSERT_EQ(1u, t.AppendRecord(rec));
  t.Close();
  const Bytes dbf = ReadAll(dir + "coder.DBF");
  EXPECT_EQ(Bytes({0xF0, 0xA6, 0xA8, 0xAA, 0xFC}), Bytes(dbf.begin() + 66, dbf.begin() + 71));
  ASSERT_EQ(&t, t.Open((dir + "coder").c_str()));
  t.ReadRecord(1, rec);
  EXPECT_EQ(" Ёжик№ ", Text(rec, 7));
  t.SetFlags(kTableRaw, 0);
  t.ReadRecord(1, rec);
  EXPECT_EQ(Text(&dbf[65], 7), Text(rec, 7));
  t.Close();
}

}  // namespace
