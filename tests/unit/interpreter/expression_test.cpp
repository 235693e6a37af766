#include <gtest/gtest.h>

#include <string>

#include "eval_helpers.h"

namespace {

struct Case {
  const char* text;
  const char* expected;
};

void ExpectAll(Interpreter& in, std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(Eval(in, c.text), c.expected) << "text: " << c.text;
}

TEST(Expression, PrecedenceAndAssociativity) {
  Interpreter in;
  ExpectAll(in, {
                    {"2+3*4", "LONG:14"},
                    {"(2+3)*4", "LONG:20"},
                    {"10-2-3", "LONG:5"},
                    {"-2*3", "LONG:-6"},
                    {"--3", "LONG:3"},
                    {"2*(3+4)-1", "LONG:13"},
                    {"7/2", "REAL:3.500000"},
                    {"1+2=3", "BOOL:TRUE"},
                    {"1=1=TRUE", "BOOL:TRUE"},
                    {"2=1=FALSE", "BOOL:TRUE"},
                    {"6&3", "LONG:2"},
                    {"6|3", "LONG:7"},
                    {"6|3&1", "LONG:1"},  // one level, left to right
                    {"1+6&3", "LONG:3"},
                });
}

TEST(Expression, Comparisons) {
  Interpreter in;
  ExpectAll(in, {
                    {"2<3", "BOOL:TRUE"},
                    {"3<3", "BOOL:FALSE"},
                    {"3<=3", "BOOL:TRUE"},
                    {"3<>3", "BOOL:FALSE"},
                    {"3<>4", "BOOL:TRUE"},
                    {"4>3", "BOOL:TRUE"},
                    {"3>=4", "BOOL:FALSE"},
                    {"3==3", "BOOL:TRUE"},
                    {"3=>3", "BOOL:TRUE"},  // the second character is ignored
                    {"\"a\"<\"b\"", "BOOL:TRUE"},
                    {"1<\"a\"", "error 113"},
                });
}

TEST(Expression, Literals) {
  Interpreter in;
  ExpectAll(in, {
                    {"12", "LONG:12"},
                    {"&HFF", "LONG:255"},
                    {"&B101", "LONG:5"},
                    {"&O17", "LONG:15"},
                    {"&HFFFFFFFF", "LONG:-1"},
                    {"&H1G", "LONG:1"},
                    {"1.5E2", "REAL:150.000000"},
                    {"1E-2", "REAL:0.010000"},
                    {"16777217.0", "REAL:16777217.000000"},  // not cut to float precision
                    {"\"abc\"", "STRING:abc"},
                    {"\"\"", "STRING:"},
                    {"\"a;b\"", "STRING:a;b"},
                    {"TRUE", "BOOL:TRUE"},
                    {"FALSE", "BOOL:FALSE"},
                    {"true", "NULL:0"},  // an ordinary variable
                    {"00000000000000000000000000000042", "LONG:42"},
                });
}

TEST(Expression, AmpersandBeforeRadixLiteralIsTheOperator) {
  Interpreter in;
  // X = &HFF & &H0F loads as X=&HFF&&H0F
  ExpectAll(in, {
                    {"&HFF&&H0F", "LONG:15"},
                    {"&HFF&&B1010", "LONG:10"},
                    {"&HFF&&O7", "LONG:7"},
                    {"1&&2", "LONG:1"},  // "&&" ends the expression
                    {"1||2", "LONG:1"},
                });
}

TEST(Expression, TextsAndUnaryOperators) {
  Interpreter in;
  ExpectAll(in, {
                    {"\"a\"&1", "STRING:a1"},
                    {"1&\"a\"", "error 113"},
                    {"\"ab\"+\"cd\"", "STRING:abcd"},
                    {"!TRUE", "BOOL:FALSE"},
                    {"!1", "error 113"},
                    {"~0", "LONG:-1"},
                    {"-\"a\"", "error 113"},
                    {"7/0", "error 114"},
                    {"7/NOTHING", "error 114"},
                });
}

TEST(Expression, BlanksBeforeOperatorsAreSkipped) {
  Interpreter in;
  Let(in, "A", "6");
  Let(in, "B", "3");
  ExpectAll(in, {
                    {"A | B", "LONG:7"},
                    {"A |B", "LONG:7"},
                    {"A ~", "LONG:6"},  // '~' is no binary operator: the expression ends
                    {"(A | B )", "LONG:7"},
                });
  const char* text = "A THEN";
  in.Evaluate(text);
  EXPECT_STREQ(text, " THEN");  // the blank in front of a word stays
}

TEST(Expression, MalformedTextGivesErrorNumbers) {
  Interpreter in;
  ExpectAll(in, {
                    {"\"abc", "error 112"},
                    {"\"ab\ncd\"", "error 112"},
                    {"(1", "error 112"},
                    {"(1+2", "error 112"},
                    {"(", "error 112"},
                    {"()", "error 112"},
                    {"1+", "error 118"},
                    {"1*", "error 118"},
                    {"1<", "error 118"},
                    {"-", "error 118"},
                    {"1+)", "error 112"},
                    {"*3", "error 112"},
                    {"1<<2", "error 112"},
                    {"1.2.3", "error 112"},
                    {"000000000000000000000000000000001", "error 112"},
                    {"", "empty"},
                    {"  ", "empty"},
                    {";X", "empty"},
                });
}

TEST(Expression, StackOverflowAndDeepNestingAreRefused) {
  Interpreter in;
  std::string deep;
  for (int i = 0; i < 70; ++i) deep += "1+(";
  deep += "1" + std::string(70, ')');
  EXPECT_EQ(Eval(in, deep.c_str()), "error 126");
  EXPECT_EQ(in.Depth(), 0);
  std::string parens(5000, '(');
  EXPECT_EQ(Eval(in, parens.c_str()), "error 126");
  std::string minus(5000, '-');
  EXPECT_EQ(Eval(in, (minus + "1").c_str()), "error 126");
  std::string ok;
  for (int i = 0; i < 30; ++i) ok += "1+(";
  ok += "1" + std::string(30, ')');
  EXPECT_EQ(Eval(in, ok.c_str()), "LONG:31");
}

TEST(Expression, ArgumentLists) {
  Interpreter in;
  struct ArgCase {
    const char* text;
    int count;
    uint32_t error;
    const char* rest;
  };
  for (const ArgCase& c : {ArgCase{"1,2,3)", 3, 0, ")"}, ArgCase{")", 0, 0, ")"},
                           ArgCase{" ]", 0, 0, "]"}, ArgCase{"\"a\",2]", 2, 0, "]"},
                           ArgCase{"1", 1, 0, ""}, ArgCase{"1,)", -1, 112, nullptr},
                           ArgCase{"1,", -1, 118, nullptr}, ArgCase{"1 2)", -1, 112, nullptr},
                           ArgCase{";", -1, 118, nullptr}}) {
    in.SetError(0);
    const char* p = c.text;
    int n = in.ParseArguments(p);
    EXPECT_EQ(n, c.count) << c.text;
    EXPECT_EQ(in.GetError(), c.error) << c.text;
    if (c.rest) {
      EXPECT_STREQ(p, c.rest) << c.text;
    }
    EXPECT_EQ(in.Depth(), n > 0 ? n : 0) << c.text;
    in.DropTo(0);
  }
}

TEST(Expression, FailedOperationDoesNotLeakIntoTheNext) {
  Interpreter a, b;
  EXPECT_EQ(Eval(a, "1/0"), "error 114");
  EXPECT_EQ(VARIABLE::Error, 0u);
  EXPECT_EQ(Eval(a, "1+1"), "LONG:2");
  EXPECT_EQ(Eval(b, "2*2"), "LONG:4");
  // a word left over by some other value operation does not fail operands
  VARIABLE::Error = 113;
  EXPECT_EQ(Eval(b, "X"), "NULL:0");
  VARIABLE::Error = 113;
  EXPECT_EQ(Eval(b, "3-1"), "LONG:2");
}

}  // namespace
