#include "label_table.h"

#include <gtest/gtest.h>

namespace {

const char kText[] = "BEGIN-TEXT";

TEST(LabelTable, LabelsAreEightCharacterKeysComparedWithCase) {
  LabelTable t;
  ASSERT_EQ(t.AddLabel("BEGIN", kText), 1);
  ASSERT_EQ(t.AddLabel("LONGLABEL1:", kText + 1), 1);
  EXPECT_EQ(t.FindLabel("LONGLABE"), kText + 1);
  EXPECT_EQ(t.FindLabel("LONGLABEL2"), kText + 1);  // same first 8 characters
  EXPECT_EQ(t.AddLabel("LONGLABELX", kText + 2), 0);
  EXPECT_EQ(t.FindLabel("longlabel1"), nullptr);
  // a label key ends at ':' or a character of code 32 or below
  ASSERT_EQ(t.AddLabel("L1:X=1", kText + 3), 1);
  EXPECT_EQ(t.FindLabel("L1"), kText + 3);
  EXPECT_EQ(t.FindLabel("L1 GOTO"), kText + 3);
  EXPECT_EQ(t.FindLabel("NOWHERE"), nullptr);
}

TEST(LabelTable, RemovalKeepsTheFirstEntry) {
  LabelTable t;
  t.AddLabel("BEGIN", kText);
  t.AddLabel("@CMD1", kText + 1);
  t.AddLabel("KEEP", kText + 2);
  t.AddLabel("@CMD2", kText + 3);
  t.RemoveLabel("BEGIN");
  EXPECT_EQ(t.FindLabel("BEGIN"), kText);
  t.DropAtLabels();
  EXPECT_EQ(t.FindLabel("@CMD1"), nullptr);
  EXPECT_EQ(t.FindLabel("@CMD2"), nullptr);
  EXPECT_EQ(t.FindLabel("KEEP"), kText + 2);
  t.RemoveLabel("KEEP");
  EXPECT_EQ(t.FindLabel("KEEP"), nullptr);
  EXPECT_EQ(t.AddLabel("KEEP", kText + 4), 1);
}

TEST(LabelTable, BindingsMatchTheLow16BitsAndStackInOrder) {
  LabelTable t;
  t.AddLabel("BEGIN", kText);
  t.AddLabel("ONE", kText + 1);
  t.AddLabel("TWO", kText + 2);
  EXPECT_EQ(t.BindEvent(5, "NOWHERE"), 0);
  ASSERT_EQ(t.BindEvent(0x10005, "ONE"), 1);
  ASSERT_EQ(t.BindEvent(5, "TWO"), 1);
  EXPECT_EQ(t.FindBinding(5), kText + 1);
  EXPECT_EQ(t.FindBinding(0x70005), kText + 1);
  t.UnbindEvent(5);
  EXPECT_EQ(t.FindBinding(5), kText + 2);  // the second takes effect
  t.UnbindEvent(5);
  EXPECT_EQ(t.FindBinding(5), nullptr);
  t.UnbindEvent(5);  // nothing bound: harmless
}

TEST(LabelTable, CommandTextsAreOwnedCopies) {
  LabelTable t;
  char text[] = "X=1";
  ASSERT_EQ(t.BindCommand(2001, text), 1);
  text[0] = 'Y';
  EXPECT_STREQ(t.FindBinding(2001), "X=1");
  ASSERT_EQ(t.BindCommand(2002, ""), 1);
  EXPECT_STREQ(t.FindBinding(2002), "");
  t.ClearBindings();
  EXPECT_EQ(t.FindBinding(2001), nullptr);
  EXPECT_EQ(t.FindBinding(2002), nullptr);
}

}  // namespace
