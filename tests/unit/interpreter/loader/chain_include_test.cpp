#include <gtest/gtest.h>

#include <string>

#include "loader_test_support.h"

namespace {

using loader_test::DeleteScript;
using loader_test::Load;
using loader_test::Loaded;
using loader_test::WriteScript;

TEST(ChainInclude, SplicesTheFileInPlace) {
  WriteScript("inc_a.bas", "  S = 1\r\nT = (2)\r\n");
  Loaded r = Load("A = 1\nCHAIN \"inc_a.bas\"\nB = 2");
  ASSERT_TRUE(r.ok) << r.error;
  // The included text starts a line: its leading blanks go.
  EXPECT_EQ("A=1\nS=1\nT=(2)\nB=2", r.text);

  EXPECT_EQ("A=1\nS=1\nT=(2)\n", Load("A = 1\nchain   \"inc_a.bas\"").text);
  EXPECT_EQ("S=1\nT=(2)\nB=1", Load("CHAIN \"inc _a. bas\" whatever ' follows\nB = 1").text);
  EXPECT_EQ("CHAIN\"inc_a.bas\"", Load("CHAIN\"inc_a.bas\"").text);  // no include
  EXPECT_EQ("S=1\nT=(2)\nB=(1)", Load("CHAIN \"inc_a.bas\" '' no block\nB = (1)").text);
  EXPECT_EQ("", Load("' CHAIN \"inc_a.bas\"").text);
  EXPECT_EQ("S=1\nT=(2)\nS=1\nT=(2)\n", Load("CHAIN \"inc_a.bas\"\nCHAIN \"inc_a.bas\"").text);
}

TEST(ChainInclude, SameFileTwiceInARowIsNoCycle) {
  WriteScript("inc_twice.bas", "S = 1");
  Loaded r = Load("CHAIN \"inc_twice.bas\"\nCHAIN \"inc_twice.bas\"\nX = 2");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ("S=1\nS=1\nX=2", r.text);
}

TEST(ChainInclude, NestedFilesAreFoundBesideTheMainScript) {
  // sub\outer.bas names "nest_inner.bas": looked up as written (not in the
  // working directory), then in the main script's directory, not in sub\.
  WriteScript("sub\\outer.bas", "O = 1\nCHAIN \"nest_inner.bas\"\nO = 2\n");
  WriteScript("nest_inner.bas", "I = (1)\n");
  Loaded r = Load("M = 1\nCHAIN \"sub\\outer.bas\"\nM = 2");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ("M=1\nO=1\nI=(1)\nO=2\nM=2", r.text);

  WriteScript("sub\\only_in_sub.bas", "X = 1\n");
  WriteScript("sub\\outer2.bas", "CHAIN \"only_in_sub.bas\"\n");
  Loaded missing = Load("M = 1\nCHAIN \"sub\\outer2.bas\"\n");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(140, missing.error);
  EXPECT_EQ(2u, missing.line);
}

TEST(ChainInclude, AnAbsoluteNameOpensAsWritten) {
  std::string path = WriteScript("sub\\absolute.bas", "Q = 9");
  Loaded r = Load("CHAIN \"" + path + "\"");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ("Q=9", r.text);
}

TEST(ChainInclude, MissingFileFailsWithNoText) {
  DeleteScript("gone.bas");
  Loaded r = Load("A = 1\nB = 2\nCHAIN \"gone.bas\"\nC = 3");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(140, r.error);
  EXPECT_EQ(3u, r.line);
}

TEST(ChainInclude, SelfAndCyclicIncludesFail) {
  WriteScript("self.bas", "X = 1\nCHAIN \"self.bas\"\n");
  EXPECT_EQ(140, Load("CHAIN \"CON\"").error);  // a device, not a script file
  Loaded self = Load("CHAIN \"self.bas\"");
  EXPECT_EQ(140, self.error);
  EXPECT_EQ(2u, self.line);

  // The main script itself, under another spelling of its name.
  Loaded main = Load("A = 1\nCHAIN \".\\main.bas\"\n");
  EXPECT_EQ(140, main.error);
  EXPECT_EQ(2u, main.line);

  WriteScript("cyc_a.bas", "A = 1\nCHAIN \"cyc_b.bas\"");
  WriteScript("cyc_b.bas", "B = 1\nCHAIN \"cyc_c.bas\"\n");
  WriteScript("cyc_c.bas", "C = 1\r\nCHAIN \"cyc_a.bas\"\r\n");
  Loaded cycle = Load("M = 0\nCHAIN \"cyc_a.bas\"\n");
  EXPECT_FALSE(cycle.ok);
  EXPECT_EQ(140, cycle.error);
  EXPECT_EQ(5u, cycle.line);  // M, A, B and C come before it
}

TEST(ChainInclude, LinesCountWhereTheyStandInTheCombinedText) {
  WriteScript("lines_nl.bas", "X = 1\nY = 2\n");
  WriteScript("lines_bare.bas", "X = 1\nY = 2");
  WriteScript("lines_bad.bas", "X = 1\nY = (\n");
  Loaded afterNl = Load("A = 1\nCHAIN \"lines_nl.bas\"\nB = (");
  EXPECT_EQ(119, afterNl.error);
  EXPECT_EQ(5u, afterNl.line);  // the file's last newline leaves an empty line
  Loaded afterBare = Load("A = 1\nCHAIN \"lines_bare.bas\"\nB = \"");
  EXPECT_EQ(125, afterBare.error);
  EXPECT_EQ(4u, afterBare.line);
  Loaded inside = Load("A = 1\nCHAIN \"lines_bad.bas\"\nB = 1");
  EXPECT_EQ(119, inside.error);
  EXPECT_EQ(3u, inside.line);
}

TEST(ChainInclude, IncludedFilesOver64KBSpliceWhole) {
  std::string big, expected;
  for (int i = 0; i < 5000; ++i) {
    std::string n = std::to_string(i);
    big += "PRINT \"line " + n + "\" ,  " + n + "\r\n";
    expected += "PRINT \"line " + n + "\"," + n + "\n";
  }
  ASSERT_GT(big.size(), 70000u);
  WriteScript("big_inc.bas", big);
  Loaded r = Load("CHAIN \"big_inc.bas\"\nCHAIN \"big_inc.bas\"\nEND");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(expected + expected + "END" == r.text) << r.text.size();
}

}  // namespace
