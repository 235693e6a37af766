// Damaged tables and memo files by the thousand: mutants of the peer's
// fixtures and of an engine-made table are opened, read, cached, written
// and closed on copies. Only numbered errors may come out, never a crash
// or a hang, and a table reopens with a count its file can hold.
// QUELT_MUTANTS and QUELT_SEED in the environment run more by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "mutator.h"
#include "quelt_test_support.h"

namespace {

uint32_t EnvNumber(const char* name, uint32_t fallback) {
  char text[32];
  if (!GetEnvironmentVariableA(name, text, sizeof text)) return fallback;
  return static_cast<uint32_t>(std::strtoul(text, nullptr, 0));
}

bool Numbered(uint16_t error) {
  static const std::set<uint16_t> known = {0, 2, 8, 38, 87, 90, 91, 93};
  return known.count(error) != 0;
}

class TableMutation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = WorkDir("mutants");
    const std::string from = std::string(QUELT_FIXTURE_DIR) + "\\";
    for (const char* leaf : {"people", "deleted"}) {
      Sample s;
      s.dbf = ReadAll(from + leaf + ".dbf");
      s.dbt = ReadAll(from + leaf + ".dbt");
      samples.push_back(s);
    }
    // One made by the engine, with memos.
    Bytes image = NumbersImage();
    char name[MAX_PATH];
    std::strcpy(name, (dir + "made").c_str());
    Table t;
    ASSERT_TRUE(t.CreateFiles(name, image.data()));
    ASSERT_EQ(&t, t.Open(name));
    for (int i = 0; i < 6; ++i) {
      char rec[32];
      t.NewRecord(rec);
      const std::string text(200 * i, static_cast<char>('a' + i));
      const uint32_t block = t.WriteMemo(text.data(), static_cast<uint32_t>(text.size()));
      std::snprintf(rec + 14, 11, "%10u", block);
      ASSERT_EQ(static_cast<uint32_t>(i + 1), t.AppendRecord(rec));
    }
    t.Close();
    samples.push_back({ReadAll(dir + "made.DBF"), ReadAll(dir + "made.DBT")});
    for (const Sample& s : samples) ASSERT_FALSE(s.dbf.empty());
  }

  // Everything a client does with a table, recording every error seen.
  void Exercise(const std::string& name) {
    Table t;
    if (!t.Open(name.c_str())) {
      Seen(t.GetError());
      return;
    }
    ++opened;
    static char rec[70000];
    static char text[70000];
    const uint32_t last = t.Count() < 40 ? t.Count() : 40;
    for (uint32_t n = 0; n <= last + 1; ++n) {
      if (t.ReadRecord(n, rec)) {
        t.ReadMemo(text, sizeof text);
        Seen(t.GetError());
      } else {
        Seen(t.GetError());
      }
    }
    t.ReadRecord(t.Count(), rec);
    Seen(t.GetError());
    if (t.LoadCache()) {
      for (uint32_t n = 1; n <= last; ++n) t.ReadRecord(n, rec);
    }
    Seen(t.GetError());
    if (t.ReadRecord(1, rec) == 1) {
      t.WriteMemo("mutant", 6);
      Seen(t.GetError());
      t.WriteRecord(1, rec);
      t.DeleteRecord(1);
      Seen(t.GetError());
    }
    t.NewRecord(rec);
    t.AppendRecord(rec);
    Seen(t.GetError());
    t.Close();
    Seen(t.GetError());
    // What it wrote reopens with a count the file holds.
    if (t.Open(name.c_str())) {
      const Bytes dbf = ReadAll(name + ".DBF");
      const uint64_t held = (dbf.size() - t.HeaderLength()) / t.RecordLength();
      EXPECT_LE(t.Count(), std::max<uint64_t>(held, original)) << name;
      t.Close();
    }
  }
  void Seen(uint16_t error) {
    if (!Numbered(error)) unknown.insert(error);
  }

  struct Sample {
    Bytes dbf, dbt;
  };
  std::vector<Sample> samples;
  std::string dir;
  std::set<uint16_t> unknown;
  uint64_t original = 0;
  uint32_t opened = 0;
};

TEST_F(TableMutation, DamagedTablesAndMemoFiles) {
  const uint32_t seed = EnvNumber("QUELT_SEED", 28);
  const uint32_t mutants = EnvNumber("QUELT_MUTANTS", 2000);
  Mutator mutator(seed);
  const std::string name = dir + "mutant";
  for (uint32_t i = 0; i < mutants; ++i) {
    const Sample& s = samples[i % samples.size()];
    Bytes dbf = s.dbf, dbt = s.dbt;
    // Mostly the table, a third of the time the memo file, sometimes both.
    switch (mutator.Next() % 3) {
      case 0:
        dbt = mutator.Mutate(dbt);
        break;
      case 1:
        dbf = mutator.Mutate(mutator.Mutate(dbf));
        dbt = mutator.Mutate(dbt);
        break;
      default:
        dbf = mutator.Mutate(dbf);
        break;
    }
    ASSERT_TRUE(WriteAll(name + ".DBF", dbf));
    ASSERT_TRUE(WriteAll(name + ".DBT", dbt));
    original = dbf.size() >= 8 ? Dword(dbf, 4) : 0;
    Exercise(name);
    ASSERT_EQ(nullptr, FirstOpenTable()) << "mutant " << i;
    ASSERT_TRUE(unknown.empty()) << "mutant " << i << " seed " << seed << ": error " << *unknown.begin();
  }
  // Most damage leaves a table that opens: the reads and writes ran.
  EXPECT_GT(opened, mutants / 2);
}

}  // namespace
