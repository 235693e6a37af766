// The call frame, the conversions and the text built-ins.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "builtin_table.h"
#include "builtin_test_support.h"

namespace {

TEST(BuiltinTable, NamesAndConversions) {
  const BuiltinTable& table = InterpreterBuiltins();
  EXPECT_EQ(FindBuiltin(table, "mid").entry, kBuiltinMid);
  EXPECT_EQ(FindBuiltin(table, "Type").entry, kBuiltinType);
  // The assignment-only entries are no built-ins in an expression.
  EXPECT_EQ(FindBuiltin(table, "VARPTR").entry, 0);
  EXPECT_EQ(FindBuiltin(table, "POKE").entry, 0);
  EXPECT_EQ(FindBuiltin(table, "PEEK").entry, kBuiltinPeek);
  EXPECT_EQ(FindBuiltin(table, "NOPE").entry, 0);
  // "C" + a type name, the rest without regard to case; CNULL is none.
  BuiltinName c = FindBuiltin(table, "Clong");
  EXPECT_EQ(c.entry, kBuiltinConv);
  EXPECT_EQ(c.convertTo, VAL_LONG);
  EXPECT_EQ(FindBuiltin(table, "clong").entry, 0);
  EXPECT_EQ(FindBuiltin(table, "CNULL").entry, 0);
  EXPECT_EQ(FindBuiltin(table, "C").entry, 0);
  EXPECT_EQ(FindBuiltin(table, "CHR").entry, kBuiltinChr);
  EXPECT_EQ(FindBuiltin(table, "CTRIM").entry, kBuiltinCtrim);
  uint32_t error = 0;
  ValueStack stack(4);
  EXPECT_EQ(RunBuiltin(table, stack, error, 58, 0), -1);
  EXPECT_EQ(RunBuiltin(table, stack, error, 0, 0), -1);
  EXPECT_EQ(stack.Top(), 0);
}

TEST(BuiltinFrame, CountsTypesAndStackDiscipline) {
  // A wrong count pops nothing and pushes a NULL result.
  Outcome out = Call("LEFT", {S("abc")});
  EXPECT_EQ(out.Show(), "!122");
  EXPECT_EQ(out.pushed, 2);
  EXPECT_EQ(out.result.type, VAL_NULL);
  // A wrong type stops popping: the first argument stays on the stack.
  out = Call("ITEM", {S("a,b"), L(1), L(2)});
  EXPECT_EQ(out.Show(), "!116");
  EXPECT_EQ(out.pushed, 2);
  // Success: the arguments replaced by exactly one result.
  out = Call("ITEM", {S("a,b"), S(","), L(2)});
  EXPECT_EQ(out.Show(), "S:b");
  EXPECT_EQ(out.pushed, 1);
  RunCases({{"CLONG", {S("12")}, "L:12"},
            {"CLONG", {S("1"), S("2")}, "!122"},
            {"CREAL", {L(5)}, "R:5.000000"},
            {"CONV", {L(5), S("R")}, "R:5.000000"},
            {"CONV", {L(5), S("REAL")}, "R:5.000000"},
            {"CONV", {L(5), S("real")}, "!116"},
            {"CONV", {L(5), S("N")}, "!116"},
            {"CONV", {L(5), S("")}, "!116"},
            {"CONV", {L(5), L(1)}, "!116"},
            {"CBOOL", {L(0)}, "B:FALSE"},
            {"CSTRING", {L(-7)}, "S:-7"}});
}

TEST(BuiltinFrame, FullStackAndShortStack) {
  ValueStack stack(2);
  stack.PushLong(1);
  stack.PushLong(2);
  uint32_t error = 0;
  // A wrong count on a full stack has no room for its NULL result.
  EXPECT_EQ(RunBuiltin(InterpreterBuiltins(), stack, error, kBuiltinLen, 3), 0);
  EXPECT_EQ(error, 122u);
  EXPECT_EQ(stack.Top(), 2);
  // A count the stack does not hold is refused before anything is popped.
  error = 0;
  EXPECT_EQ(RunBuiltin(InterpreterBuiltins(), stack, error, kBuiltinRgb, 3), 0);
  EXPECT_EQ(error, 118u);
  // No room for a conversion's type name.
  error = 0;
  EXPECT_EQ(RunConversion(InterpreterBuiltins(), stack, error, VAL_LONG, 1), 0);
  EXPECT_EQ(error, 126u);
  EXPECT_EQ(stack.Top(), 2);
}

TEST(BuiltinFrame, StaleValueErrorIsNotTheirs) {
  VARIABLE::Error = 113;  // as another thread's operator may leave it
  EXPECT_EQ(Call("IIF", {B(1), S("a"), L(2)}).Show(), "S:a");
  EXPECT_EQ(Call("CLONG", {S("7")}).Show(), "L:7");
  EXPECT_EQ(Call("ROUND", {L(7), L(0)}).Show(), "L:7");
  VARIABLE::Error = 0;
}

TEST(BuiltinText, TableCases) {
  RunCases({
      {"EMPTY", {S("")}, "B:FALSE"},
      {"EMPTY", {N()}, "B:TRUE"},
      {"EMPTY", {L(0)}, "B:FALSE"},
      {"STR", {R(3.5)}, "S:3.500000"},
      {"STR", {L(1234567), S("#d")}, "S:1 234 567"},
      {"STR", {L(42), S("%5d")}, "S:42"},
      {"STR", {R(1234.5), S("#.2f")}, "S:1 234.50"},
      {"STR", {L(3), S("x%d")}, "!112"},
      {"STR", {B(1), S("%d")}, "S:"},
      {"STR", {L(3), S("")}, "!116"},
      {"STR", {N(), S("%d")}, "!116"},
      {"STR", {S("  a   b "), S("%s")}, "S:a b"},
      {"STR", {S("ab"), S("%20s")}, "S:ab"},
      {"STR", {M(123456789), S("#")}, "S:12 345.68"},
      {"STR", {M(123456789), S("%4")}, "S:12345.6789"},
      {"STR", {R(1), S("%.60f")}, "S:1.000000000000000000000000000000"},  // cut to 5 + 27
      {"STR", {L(1), S("%d%d")}, "!112"},
      {"STR", {L(1), S("%s")}, "!112"},
      {"STR", {R(1), S("%n")}, "!112"},
      {"VAL", {S("  -12.50abc")}, "R:-12.500000"},
      {"VAL", {S("12 34")}, "L:12"},
      {"VAL", {S("1.2.3")}, "R:1.200000"},
      {"VAL", {S("+5")}, "L:0"},
      {"VAL", {S("5-3")}, "L:5"},
      {"VAL", {S("")}, "L:0"},
      {"VAL", {L(5)}, "!116"},
      {"MID", {S("abcdef"), L(3)}, "S:cdef"},
      {"MID", {S("abcdef"), L(3), L(2)}, "S:cd"},
      {"MID", {S("abcdef"), L(0), L(-1)}, "S:abcdef"},
      {"MID", {S("abc"), L(5)}, "S:"},
      {"MID", {L(1), L(1)}, "!116"},
      {"INSTR", {S("abcabc"), S("c")}, "L:3"},
      {"INSTR", {L(4), S("abcabc"), S("c")}, "L:6"},
      {"INSTR", {L(7), S("abcabc"), S("c")}, "L:0"},
      {"INSTR", {L(-3), S("abcabc"), S("b")}, "L:2"},
      {"LEFT", {S("abc"), L(0)}, "S:"},
      {"LEFT", {S("abc"), L(2)}, "S:ab"},
      {"RIGHT", {S("abc"), L(5)}, "S:abc"},
      {"RIGHT", {S("abc"), L(2)}, "S:bc"},
      {"SPACE", {L(3)}, "S:   "},
      {"SPACE", {L(-3)}, "S:"},
      {"STRING", {L(3), L(0x141)}, "S:AAA"},
      {"STRING", {L(2), S("xyz")}, "S:xx"},
      {"STRING", {L(2), S("")}, "S:"},
      {"STRING", {L(2), R(65)}, "!116"},
      {"LEN", {S("abcd")}, "L:4"},
      {"LEN", {L(1234)}, "L:0"},
      {"CHR", {L(0x141)}, "S:A"},
      {"CHR", {R(66.9)}, "S:B"},
      {"CHR", {L(0)}, "S:"},
      {"CHR", {S("A")}, "!116"},
      {"ASC", {S("Abc")}, "L:65"},
      {"ASC", {S("Abc"), L(9)}, "L:0"},
      {"ASC", {S("\xFF"), R(1.5)}, "L:255"},
      {"ASC", {S("Abc"), S("1")}, "!116"},
      {"TRIM", {S(" a b ")}, "S:ab"},
      {"CTRIM", {S("  f(  a ,  b )  ")}, "S:f(a, b)"},
      {"HEX", {L(255)}, "S:FF"},
      {"HEX", {L(-1)}, "S:FFFFFFFF"},
      {"HEX", {L(0)}, "S:0"},
      {"HEX", {R(1)}, "!116"},
      {"LOWER", {S("AbC\xC0")}, "S:abc\xE0"},
      {"UPPER", {S("aBc\xE0")}, "S:ABC\xC0"},
      {"TYPE", {R(1.5)}, "S:REAL"},
      {"TYPE", {N()}, "S:NULL"},
  });
}

TEST(BuiltinText, ItemChangeReplace) {
  RunCases({
      {"ITEM", {S("a,b,c"), S(","), L(2)}, "S:b"},
      {"ITEM", {S("a,b,c"), S(","), L(7)}, "S:"},
      {"ITEM", {S("a,b,c"), S(","), L(-1)}, "S:a"},
      {"ITEM", {S("a;b,c"), S(",;"), L(3)}, "S:c"},
      {"ITEM", {S("\"x,y\",z"), S(","), L(1)}, "S:\"x,y\""},
      {"ITEM", {S("\"x,y\",z"), S(","), L(2)}, "S:z"},
      {"ITEM", {S("a,b,"), S(","), L(3)}, "S:"},
      {"ITEM", {S(""), S(","), L(1)}, "S:"},
      {"ITEM", {S("abc"), S(""), L(1)}, "S:"},
      {"CHANGE", {S("abc"), S("Xb")}, "S:aXc"},
      {"CHANGE", {S("abc"), S("XbYbZ")}, "S:aXc"},
      {"CHANGE", {S("ab"), S("baab")}, "S:ba"},
      {"REPLACE", {S("aaa"), S("a"), S("aa")}, "S:aaaaaa"},
      {"REPLACE", {S("abc"), S(""), S("x")}, "S:abc"},
      {"REPLACE", {S("a--b--"), S("--"), S("")}, "S:ab"},
      {"REPLACE", {S("xyx"), S("x"), S("[x]")}, "S:[x]y[x]"},
      {"REPLACE", {S("abc"), S("b"), L(1)}, "!116"},
  });
}

// Texts longer than the value library's 16-bit blank helpers reach.
TEST(BuiltinText, LongTextsKeepTheirTail) {
  std::string text(70000, 'x');
  text[10] = ' ';
  text[69990] = ' ';
  text[69991] = ' ';
  Outcome out = Call("TRIM", {S(text.c_str())});
  ASSERT_EQ(out.rc, 1);
  EXPECT_EQ(std::strlen(out.result.text), 69997u);
  out = Call("CTRIM", {S(text.c_str())});
  ASSERT_EQ(out.rc, 1);
  EXPECT_EQ(std::strlen(out.result.text), 69999u);
  EXPECT_EQ(out.result.text[69990], ' ');
  // SPACE of more than memory holds is the empty text, not an error.
  EXPECT_EQ(Call("SPACE", {L(0x7FFFFFFF)}).Show(), "S:");
}

TEST(BuiltinText, MidAssignment) {
  VARIABLE a = S("abcdef");
  Outcome out = Assign("MID", a, {L(2), L(3)}, S("XYZW"));
  EXPECT_EQ(out.rc, 1);
  EXPECT_EQ(out.pushed, 0);
  EXPECT_STREQ(a.text, "aXYZef");
  a = "abcdef";
  EXPECT_EQ(Assign("MID", a, {L(5)}, S("XYZ")).rc, 1);
  EXPECT_STREQ(a.text, "abcdXY");
  EXPECT_EQ(Assign("MID", a, {L(0)}, S("Q")).rc, 1);
  EXPECT_STREQ(a.text, "QbcdXY");
  EXPECT_EQ(Assign("MID", a, {L(9)}, S("Q")).rc, 1);
  EXPECT_STREQ(a.text, "QbcdXY");
  EXPECT_EQ(Assign("MID", a, {L(1)}, L(5)).Show(), "!116");
  VARIABLE n = L(5);
  EXPECT_EQ(Assign("MID", n, {L(1)}, S("x")).Show(), "!116");
  EXPECT_EQ(Assign("MID", a, {L(1), L(1), L(1)}, S("x")).Show(), "!122");
}

}  // namespace
