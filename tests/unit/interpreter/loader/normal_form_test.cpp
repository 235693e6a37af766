#include <gtest/gtest.h>

#include <string>

#include "loader_test_support.h"

namespace {

using loader_test::Load;
using loader_test::Loaded;
using loader_test::Scan;

struct Case {
  const char* source;
  const char* normal;
};

void ExpectNormalForms(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    Loaded r = Load(c.source);
    EXPECT_TRUE(r.ok) << "source: " << c.source << " error " << r.error << " line " << r.line;
    EXPECT_EQ(std::string(c.normal), r.text) << "source: " << c.source;
  }
}

struct Failure {
  const char* source;
  unsigned short error;
  DWORD line;
};

void ExpectFailures(std::initializer_list<Failure> cases) {
  for (const Failure& c : cases) {
    Loaded r = Load(c.source);
    EXPECT_FALSE(r.ok) << "source: " << c.source << " loaded as " << r.text;
    EXPECT_EQ(c.error, r.error) << "source: " << c.source;
    EXPECT_EQ(c.line, r.line) << "source: " << c.source;
  }
}

TEST(NormalForm, BlanksAroundTheSqueezeSetGo) {
  ExpectNormalForms({
      {"A = (1 + 2) * 3", "A=(1+2)*3"},
      {"X = F (1)", "X=F(1)"},
      {"X  =   A , B / C - D", "X=A,B/C-D"},
      {"A < > B", "A<>B"},
      {"L1 : X = 1", "L1:X=1"},
      {"S = A & \"x  y\"", "S=A&\"x  y\""},
      {"PRINT   A    B", "PRINT A B"},
      {"  \t  X = 1", "X=1"},
      {"A = 1;  B = 2", "A=1; B=2"},
  });
}

TEST(NormalForm, IfKeepsItsBlankBeforeTheParenthesis) {
  ExpectNormalForms({
      {"IF (A > 1) THEN", "IF (A>1)THEN"},
      {"if (A > 1) THEN", "if (A>1)THEN"},
      {"  IF   (A)THEN", "IF (A)THEN"},
      {"WHILE (A)", "WHILE(A)"},
      {"X = 1\nIF (B) GOTO L", "X=1\nIF (B)GOTO L"},
  });
}

TEST(NormalForm, OperatorCharactersOutsideTheSetKeepTheirBlanks) {
  ExpectNormalForms({
      {"A = B | C", "A=B | C"},
      {"A = ~ B", "A=~ B"},
      {"IF ! A THEN", "IF ! A THEN"},
      {"X = O.P [ 1 ]", "X=O.P [ 1 ]"},
      {"FOR L = 5 TO -5 STEP -5", "FOR L=5 TO-5 STEP-5"},
      {"FOR I = 1 TO (N)", "FOR I=1 TO(N)"},
  });
}

TEST(NormalForm, QuotedTextIsKeptButLosesControlCharacters) {
  ExpectNormalForms({
      {"PRINT \"a ' b\"", "PRINT \"a ' b\""},
      {"PRINT \"a  ( b\"", "PRINT \"a  ( b\""},
      {"PRINT \"a\tb\"", "PRINT \"ab\""},
      {"X = \"\xC0\xE1\xE2 \xFF\" + Y", "X=\"\xC0\xE1\xE2 \xFF\"+Y"},
  });
}

TEST(NormalForm, CommentsAndShortLinesVanish) {
  ExpectNormalForms({
      {"A = 1 ' note\nB = 2", "A=1 \nB=2"},
      {"' only a comment\nX = 1", "X=1"},
      {"X\nXY", "XY"},
      {"XY\nX", "XY\n"},
      {"\n\n\nAB\n\n", "AB\n"},
      {"\r\nA = 1\r\n\r\nB = 2\r\n", "A=1\nB=2\n"},
      {"x", ""},
      {"", ""},
  });
}

TEST(NormalForm, ContinuedLinesAreJoined) {
  ExpectNormalForms({
      {"X = 1 + _\n2", "X=1+2"},
      {"X = 1 _\n+ 2", "X=1 +2"},
      {"CALL A, _\r\nB, _\r\nC\r\nD = 1", "CALL A,B,C\nD=1"},
      {"X = 1 ' not joined _\nY = 2", "X=1 \nY=2"},
  });
}

TEST(NormalForm, DoubledCommentMarkOpensAVerbatimBlockThatTheNextCloses) {
  ExpectNormalForms({
      {"A = 1 '' open\n  raw  text ( \"\n\tmore\r\n'' close\nB = 2", "A=1 \n  raw  text ( \"\n\tmore\nB=2"},
      {"''\n  a  _\nCHAIN \"none.bas\"\n''\nC = (1)", "  a  _\nCHAIN \"none.bas\"\nC=(1)"},
      {"''\n  open to the end \n", "  open to the end \n"},
      {"PRINT \"''\"", "PRINT \"''\""},
  });
}

TEST(NormalForm, UnbalancedLinesReportTheirOwnLineNumber) {
  ExpectFailures({
      {"X = (1", 119, 1},
      {"A = 1\nX = \"abc", 125, 2},
      {"A = 1\nB = 2)\n", 119, 2},
      {"A = 1\r\n\r\nB = (\r\n", 119, 3},
      {"X = (1 + _\n2)", 119, 1},
      {"X = 1 + _\n2\nY = (", 119, 3},
      {"''\na(\nb\"\n''\nX = (", 119, 5},
      {"' ok (\nREM \"\n", 125, 2},
  });
}

TEST(NormalForm, NulBytesAreDroppedLikeOtherControlCharacters) {
  Loaded r = Load(std::string("A = 1\0B = 2\nC = 3", 17));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ("A=1B=2\nC=3", r.text);
}

TEST(NormalForm, ScriptsOver64KBLoadWhole) {
  std::string source, expected;
  for (int i = 0; i < 6000; ++i) {
    std::string n = std::to_string(i);
    source += "V" + n + " = " + n + " + 1   ' counter\r\n";
    expected += "V" + n + "=" + n + "+1 \n";
  }
  source += "X = (1";  // the error line is counted past 65,535 bytes
  Loaded bad = Load(source);
  EXPECT_EQ(119, bad.error);
  EXPECT_EQ(6001u, bad.line);

  source.resize(source.size() - 6);
  source += "LAST = \"" + std::string(70000, 'q') + "\"";
  expected += "LAST=\"" + std::string(70000, 'q') + "\"";
  Loaded r = Load(source);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_GT(source.size(), 200000u);
  EXPECT_EQ(expected.size(), r.text.size());
  EXPECT_TRUE(expected == r.text);
}

TEST(LoadScript, RefusesMissingAndEmptyPaths) {
  unsigned short error = 1;
  DWORD line = 1;
  EXPECT_EQ(nullptr, LoadScript(nullptr, &error, &line));
  EXPECT_EQ(0, error);
  EXPECT_EQ(nullptr, LoadScript("", &error, &line));
  EXPECT_EQ(0, error);
  std::string missing = loader_test::TempDir() + "no_such_script.bas";
  EXPECT_EQ(nullptr, LoadScript(missing.c_str(), &error, &line));
  EXPECT_EQ(140, error);
}

TEST(LoadScript, GivesAMovableBlockSizedToTheText) {
  std::string path = loader_test::WriteScript("block.bas", "A = 1\nB = 2\n");
  unsigned short error = 1;
  DWORD line = 7;
  HGLOBAL block = LoadScript(path.c_str(), &error, &line);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, error);
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  EXPECT_GE(GlobalSize(block), 9u);
  char* text = static_cast<char*>(GlobalLock(block));
  EXPECT_STREQ("A=1\nB=2\n", text);
  GlobalUnlock(block);
  EXPECT_EQ(nullptr, GlobalFree(block));
}

}  // namespace
