// Tables made by another implementation (python3-dbf, at build time) read
// by the engine; tables the engine writes for the peers to read (the peer
// check runs after this test, natively), and what a peer appended read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "quelt_test_support.h"

namespace {

// A copy of a fixture (.DBF and .DBT) in the test's own directory.
std::string Fixture(const char* leaf) {
  const std::string dir = WorkDir("peer");
  const std::string from = std::string(QUELT_FIXTURE_DIR) + "\\" + leaf;
  CopyFileA((from + ".dbf").c_str(), (dir + leaf + ".dbf").c_str(), FALSE);
  CopyFileA((from + ".dbt").c_str(), (dir + leaf + ".dbt").c_str(), FALSE);
  return dir + leaf;
}

std::string MemoOf(Table& t, uint32_t n) {
  char rec[64];
  static char text[4096];
  if (t.ReadRecord(n, rec) != n) return "<no record>";
  return std::string(text, t.ReadMemo(text, sizeof text));
}

TEST(PeerTables, RecordsFieldsAndMemosOfAPeersTable) {
  Table t;
  ASSERT_EQ(&t, t.Open(Fixture("people").c_str())) << t.GetError();
  EXPECT_EQ(4u, t.Count());
  EXPECT_EQ(0x26, t.HeaderImage()[29]);
  char rec[64];
  ASSERT_EQ(1u, t.ReadRecord(1, rec));
  EXPECT_EQ(" Иванов" + std::string(14, ' ') + "   12    3.5020240229T         1", Text(rec, 53));
  ASSERT_EQ(2u, t.ReadRecord(2, rec));
  EXPECT_EQ("*Petrov", Text(rec, 7));
  FieldInfo info;
  EXPECT_EQ(3, t.FieldNumber("price", &info));
  EXPECT_EQ('F', info.type);
  EXPECT_EQ(26u, info.offset);
  EXPECT_EQ(std::string("PRICE"), std::string(info.name));

  std::string memo;
  for (int i = 0; i < 3; ++i) memo += "Длинный текст ";
  EXPECT_EQ(memo, MemoOf(t, 1));
  EXPECT_EQ(42u, memo.size());
  EXPECT_EQ(std::string(512, 'x'), MemoOf(t, 3));
  EXPECT_EQ("", MemoOf(t, 4));  // a block holding only the end marks
  t.Close();
}

TEST(PeerTables, OddFilesOfThePeer) {
  Table t;
  for (const char* version : {"v02", "v30", "v8b", "vf5"}) {
    EXPECT_EQ(nullptr, t.Open(Fixture(version).c_str())) << version;
    EXPECT_EQ(kErrorBadHeader, t.GetError()) << version;
  }
  char rec[64];
  ASSERT_EQ(&t, t.Open(Fixture("nomark").c_str()));
  EXPECT_EQ(4u, t.ReadRecord(4, rec));
  EXPECT_EQ(" Empty", Text(rec, 6));
  t.Close();

  ASSERT_EQ(&t, t.Open(Fixture("shortcount").c_str()));
  EXPECT_EQ(10u, t.Count());
  EXPECT_EQ(0u, t.ReadRecord(10, rec));
  EXPECT_EQ(kErrorShortRead, t.GetError());
  EXPECT_EQ(4u, t.ReadRecord(4, rec));
  t.Close();

  ASSERT_EQ(&t, t.Open(Fixture("twins").c_str()));
  EXPECT_EQ(3, t.FieldNumber("PRICE"));  // the later of the two
  t.Close();

  ASSERT_EQ(&t, t.Open(Fixture("deleted").c_str()));
  ASSERT_TRUE(t.LoadCache());
  int deleted = 0;
  for (uint32_t n = 1; n <= t.Count(); ++n) {
    ASSERT_EQ(n, t.ReadRecord(n, rec));
    deleted += rec[0] == '*';
  }
  EXPECT_EQ(200u, t.Count());
  EXPECT_EQ(180, deleted);
  t.Close();
}

// Fills the peer layout's fields of a blank record.
void Fill(char* rec, const char* name, const char* qty, const char* price, const char* born, char ok) {
  std::memcpy(rec + 1, name, std::strlen(name));
  std::memcpy(rec + 21, qty, 5);
  std::memcpy(rec + 26, price, 8);
  if (born) std::memcpy(rec + 34, born, 8);
  rec[42] = ok;
}

uint32_t MakeTable(Table& t, const std::string& name) {
  Bytes image = PeopleImage();
  char buffer[MAX_PATH];
  std::strcpy(buffer, name.c_str());
  if (!t.CreateFiles(buffer, image.data()) || !t.Open(buffer)) return 0;
  return 1;
}

// Read by the peer check: one live record and one deleted.
TEST(PeerTables, WrittenForThePeers) {
  const std::string name = WorkDir("peer") + "engine";
  Table t;
  ASSERT_TRUE(MakeTable(t, name));
  char rec[64];
  t.NewRecord(rec);
  Fill(rec, "Ёжик", "   42", "   -1.50", nullptr, 'T');
  std::string memo;
  for (int i = 0; i < 100; ++i) memo += "Туман ";
  const uint32_t block = t.WriteMemo(memo.data(), static_cast<uint32_t>(memo.size()));
  EXPECT_EQ(1u, block);
  std::snprintf(rec + 43, 11, "%10u", block);
  EXPECT_EQ(1u, t.AppendRecord(rec));
  t.NewRecord(rec);
  Fill(rec, "Удалить", "    1", "    0.00", "20000101", 'F');
  EXPECT_EQ(2u, t.AppendRecord(rec));
  EXPECT_EQ(2u, t.DeleteRecord(2));
  t.Close();
  const Bytes dbt = ReadAll(name + ".DBT");
  EXPECT_EQ(1536u, dbt.size());
  EXPECT_EQ(3u, Dword(dbt, 0));

  // For python3-dbf to append to: a dated record with a memo.
  ASSERT_TRUE(MakeTable(t, WorkDir("peer") + "shared"));
  t.NewRecord(rec);
  Fill(rec, "Первый", "    1", "    1.25", "20240101", 'T');
  std::snprintf(rec + 43, 11, "%10u", t.WriteMemo("Начало", 6));
  EXPECT_EQ(1u, t.AppendRecord(rec));
  t.Close();
}

// Runs after the peer check appended to a copy of "shared" (its own ctest
// test).
TEST(PeerReadback, WhatThePeerAppended) {
  Table t;
  ASSERT_EQ(&t, t.Open((WorkDir("peer") + "appended").c_str()));
  ASSERT_EQ(2u, t.Count());
  char rec[64];
  ASSERT_EQ(2u, t.ReadRecord(2, rec));
  EXPECT_EQ(" Пётр" + std::string(16, ' ') + "    5    2.2520200102F", Text(rec, 43));
  char text[64];
  EXPECT_EQ(7u, t.ReadMemo(text, sizeof text));
  EXPECT_STREQ("Заметка", text);
  EXPECT_EQ("Начало", MemoOf(t, 1));
  t.Close();
}

}  // namespace
