#include "variable_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(VariableTable, NamesCountByEightCharactersWithCase) {
  VariableTable t;
  uint32_t error = 0;
  VARIABLE* a = t.FindOrCreate("ABCDEFGH1", error);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->type, VAL_NULL);
  a->SetLong(1);
  EXPECT_EQ(t.FindOrCreate("ABCDEFGH2", error), a);
  EXPECT_EQ(t.Find("abcdefgh"), nullptr);
  EXPECT_NE(t.FindOrCreate("abc", error), t.FindOrCreate("ABC", error));
  EXPECT_EQ(error, 0u);
}

TEST(VariableTable, EnumerationFollowsInsertionOrder) {
  VariableTable t;
  uint32_t error = 0;
  for (const char* n : {"ZETA", "ALPHA", "MIDDLE"}) t.FindOrCreate(n, error);
  t.DeclareArray("ARR2", 1, 1, VAL_LONG, error);
  t.DeclareArray("ARR1", 1, 1, VAL_LONG, error);
  std::vector<std::string> names;
  char name[kNameKeySize + 1];
  for (VARIABLE* v = t.NextVariable(nullptr, name); v; v = t.NextVariable(v, name))
    names.push_back(name);
  for (ValueMatrix* m = t.NextArray(nullptr, name); m; m = t.NextArray(m, name))
    names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"ZETA    ", "ALPHA   ", "MIDDLE  ", "ARR2    ",
                                             "ARR1    "}));
}

TEST(VariableTable, ManyNamesAreFoundListedInOrderAndEmptied) {
  VariableTable t;
  uint32_t error = 0;
  std::vector<std::string> made;
  for (int i = 0; i < 300; ++i) {
    made.push_back((i % 2 ? "v" : "V") + std::to_string(i * 7919 % 100000));
    t.FindOrCreate(made.back().c_str(), error)->SetLong(i);
  }
  std::vector<std::string> listed;
  char name[kNameKeySize + 1];
  for (VARIABLE* v = t.NextVariable(nullptr, name); v; v = t.NextVariable(v, name)) {
    std::string key(name);
    listed.push_back(key.substr(0, key.find(' ')));
  }
  EXPECT_EQ(made, listed);
  for (int i = 0; i < 300; ++i) {
    VARIABLE* v = t.Find(made[i].c_str());
    ASSERT_NE(nullptr, v) << made[i];
    EXPECT_EQ(i, v->lng);
  }
  EXPECT_EQ(nullptr, t.Find("V1"));
  EXPECT_EQ(nullptr, t.Find("v0"));

  // Emptied, as a subroutine frame's locals at RETURN: no name is left,
  // and a name made again starts NULL, first in the list.
  t.Empty();
  EXPECT_EQ(nullptr, t.Find(made[0].c_str()));
  EXPECT_EQ(nullptr, t.NextVariable(nullptr, name));
  VARIABLE* again = t.FindOrCreate(made[5].c_str(), error);
  EXPECT_EQ(VAL_NULL, again->type);
  EXPECT_EQ(0, again->links);
  EXPECT_EQ(again, t.NextVariable(nullptr, name));
  EXPECT_EQ(0u, error);
}

TEST(VariableTable, ArraysAreDeclaredOnceAndCheckTheirBounds) {
  VariableTable t;
  uint32_t error = 0;
  ASSERT_EQ(t.DeclareArray("A", 2, 3, VAL_LONG, error), 1);
  EXPECT_EQ(t.DeclareArray("A", 5, 5, VAL_LONG, error), 0);
  EXPECT_EQ(error, 130u);
  error = 0;
  uint16_t rows = 0, cols = 0;
  ASSERT_TRUE(t.GetDimensions("A", rows, cols));
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(cols, 3);
  VARIABLE* e = t.GetElement("A", 1, 2, error);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->type, VAL_LONG);
  EXPECT_EQ(t.GetElement("A", 2, 0, error), nullptr);
  EXPECT_EQ(error, 117u);
  error = 0;
  EXPECT_EQ(t.GetElement("A", -1, 0, error), nullptr);
  EXPECT_EQ(error, 117u);
  error = 0;
  EXPECT_EQ(t.GetElement("B", 0, 0, error), nullptr);
  EXPECT_EQ(error, 131u);
  EXPECT_EQ(t.FindElement("A", 0, 3), nullptr);
  // a count of 0 counts as 1
  ASSERT_EQ(t.DeclareArray("Z", 0, 0, VAL_STRING, error), 1);
  ASSERT_TRUE(t.GetDimensions("Z", rows, cols));
  EXPECT_EQ(rows * cols, 1);
}

TEST(VariableTable, ResizeAndRemove) {
  VariableTable t;
  uint32_t error = 0;
  ASSERT_EQ(t.DeclareArray("A", 2, 3, VAL_LONG, error), 1);
  t.FindElement("A", 1, 0)->SetLong(7);  // record 3
  ASSERT_EQ(t.ResizeArray("A", 3, 2, error), 1);
  EXPECT_EQ(t.FindElement("A", 1, 1)->lng, 7);  // records keep their places
  EXPECT_EQ(t.ResizeArray("NONE", 1, 1, error), 0);
  EXPECT_EQ(error, 131u);
  error = 0;
  ASSERT_EQ(t.Remove("A", error), 1);
  EXPECT_EQ(t.FindElement("A", 0, 0), nullptr);
  EXPECT_EQ(t.Remove("A", error), 0);
  EXPECT_EQ(error, 131u);
}

}  // namespace
