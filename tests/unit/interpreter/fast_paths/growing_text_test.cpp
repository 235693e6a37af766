// T = T & X and T = T + X grow T's own text: the same values, errors and
// change notices as the general path, and the text's block grows by steps.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstring>
#include <string>

#include "eval_helpers.h"
#include "interpreter.h"

int updates = 0;
void VariableUpdated(VARIABLE*) { ++updates; }

namespace {

// A built-in of the window kind, SETT(): it stores "zz" into T and gives
// "!", as a window's built-in may run code that changes variables.
class Probe : public Interpreter {
 public:
  int CallBuiltin(const char* name, const char*& p) override {
    if (std::strcmp(name, "SETT") != 0) return Interpreter::CallBuiltin(name, p);
    uint32_t error = 0;
    *Variables().FindOrCreate("T", error) = "zz";
    return PushText("!", 1) ? 0 : 1;
  }
};

uint32_t RunText(Interpreter& in, const std::string& text) {
  in.SetStart(text.c_str());
  if (!in.ScanLabels(text.c_str())) return in.GetError();
  in.Run(text.c_str());
  return in.GetError();
}

std::string Var(Interpreter& in, const char* name) {
  VARIABLE* v = in.Variables().Find(name);
  return v ? Describe(*v) : "missing";
}

std::string Text(Interpreter& in, const char* name) {
  VARIABLE* v = in.Variables().Find(name);
  return v && v->type == VAL_STRING && v->text ? v->text : "?";
}

TEST(GrowingText, EightyThousandAppendsGiveTheWholeText) {
  Probe in;
  ASSERT_EQ(0u, RunText(in, "T = \"\"\nFOR I = 1 TO 80000\nT = T & \"ab\"\nNEXT\nN = LEN(T)"));
  EXPECT_EQ("LONG:160000", Var(in, "N"));
  std::string expected;
  for (int i = 0; i < 80000; ++i) expected += "ab";
  EXPECT_TRUE(Text(in, "T") == expected);
}

TEST(GrowingText, MixedAppendsMatchTheGeneralPath) {
  // An array element takes the general path: both ways give one text.
  Probe in;
  ASSERT_EQ(0u, RunText(in,
                        "DIM A(1)\nT = \"\"\nA(0) = \"\"\nFOR I = 1 TO 10000\n"
                        "T = T & CSTRING(I)\nT = T + \"x\"\n"
                        "A(0) = A(0) & CSTRING(I)\nA(0) = A(0) + \"x\"\nNEXT\nB = A(0)"));
  std::string expected;
  for (int i = 1; i <= 10000; ++i) expected += std::to_string(i) + "x";
  EXPECT_TRUE(Text(in, "T") == expected);
  EXPECT_TRUE(Text(in, "B") == expected);
}

TEST(GrowingText, TheBlockGrowsBySteps) {
  Probe in;
  ASSERT_EQ(0u, RunText(in, "T = \"a\""));
  VARIABLE* t = in.Variables().Find("T");
  int grown = 0;
  size_t size = _msize(t->text);
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(0u, Let(in, "T=", "T&\"ab\""));
    if (_msize(t->text) != size) ++grown, size = _msize(t->text);
  }
  EXPECT_EQ(40001u, std::strlen(t->text));
  EXPECT_LT(grown, 30);  // half again each time: about 17 steps to 40 KB
}

TEST(GrowingText, CopiesKeepTheirTextsAndRewritesAreSeen) {
  // T's length is remembered from append to append: copies taken before
  // and after keep their texts, and a shorter text written into T's own
  // block (or given it anew) is what the next append extends.
  std::string grown = "a";
  for (int i = 0; i < 2000; ++i) grown += "0123456789";
  const std::string rewrites[][2] = {
      {"T = \"c\"", "cd"},
      {"T = LEFT(T, 2)", "a0d"},
      {"T = B", "ad"},
      {"T = NOSUCH", "d"},
      {"T = T & SETT()", grown + "!d"},
      {"X = SETT()", "zzd"},  // a shorter text written into T's block in place
  };
  for (const auto& rewrite : rewrites) {
    Probe in;
    std::string text = "T = \"a\"\nB = T\nFOR I = 1 TO 2000\nT = T & \"0123456789\"\nNEXT\nV = T\n";
    ASSERT_EQ(0u, RunText(in, text + rewrite[0] + "\nT = T & \"d\"")) << rewrite[0];
    EXPECT_TRUE(Text(in, "T") == rewrite[1]) << rewrite[0];
    EXPECT_EQ("STRING:a", Var(in, "B")) << rewrite[0];
    EXPECT_TRUE(Text(in, "V") == grown) << rewrite[0];
  }
}

struct Case {
  const char* text;
  const char* name;
  const char* value;
  uint32_t error;
};

TEST(GrowingText, ValuesAndErrorsAsTheGeneralPath) {
  const Case cases[] = {
      // What is joined reads T as it was before the statement.
      {"T=\"a\"\nT = T & T & T", "T", "STRING:aaa", 0},
      {"T=\"ab\"\nT = T & LEN(T) & MID(T, 2, 1)", "T", "STRING:ab2b", 0},
      {"T=\"a\"\nT = T & (T & \"x\")", "T", "STRING:aax", 0},
      {"T=\"a\"\nT = T + \"b\" + T", "T", "STRING:aba", 0},
      {"T=\"a\"\nT = T & 5 & 2.5 & TRUE & NOSUCH", "T", "STRING:a52.5000001", 0},
      // An operator other than a join takes the whole text.
      {"T=\"a\"\nT = T & \"b\" = \"ab\"", "T", "BOOL:TRUE", 0},
      {"T=\"ab\"\nT = T & \"c\" > \"abb\"", "T", "BOOL:TRUE", 0},
      // Errors leave T as it was.
      {"T=\"a\"\nT = T + 1", "T", "STRING:a", 113},
      {"T=\"a\"\nT = T & \"b\" + 1", "T", "STRING:a", 113},
      {"T=\"a\"\nT = T & \"b\" & (1/0)", "T", "STRING:a", 114},
      {"T=\"a\"\nT = T & \"b\" & Y.M", "T", "STRING:a", 131},
      {"T=\"a\"\nT = T &", "T", "STRING:a", 118},
      // Forms that are not the join of T itself.
      {"TRUE=\"a\"\nTRUE = TRUE & \"b\"", "TRUE", "STRING:a", 116},
      {"ABCDEFGH1=\"x\"\nABCDEFGH1 = ABCDEFGH2 & \"y\"", "ABCDEFGH", "STRING:xy", 0},
      {"U=\"u\"\nT=\"t\"\nT = U & T", "T", "STRING:ut", 0},
      {"T=6\nT = T & 3", "T", "LONG:2", 0},
      {"T = T & \"ab\"", "T", "STRING:ab", 0},
      {"$GROWN=\"a\"\n$GROWN = $GROWN & \"b\"\nT = $GROWN", "T", "STRING:ab", 0},
      {"GOSUB F(\"a\")\nT = RESULT\nEND\nF:FUNC(@S)\n@S = @S & \"b\" & @S\nRETURN @S", "T",
       "STRING:aba", 0},
      // MCOPY writes memory: T is taken whole before it runs.
      {"T=\"a\"\nT = T & CSTRING(MCOPY(0, \"z\"))", "T", "STRING:a0", 0},
      // So is it before a built-in of the window, which may change T.
      {"T=\"a\"\nT = T & SETT()", "T", "STRING:a!", 0},
      {"T=\"a\"\nT = T & \"b\" & SETT() & \"c\"", "T", "STRING:ab!c", 0},
      {"T=\"a\"\nT = T & LEFT(SETT(), 1)", "T", "STRING:a!", 0},
  };
  for (const Case& c : cases) {
    Probe in;
    EXPECT_EQ(c.error, RunText(in, c.text)) << c.text;
    EXPECT_EQ(c.value, Var(in, c.name)) << c.text;
  }
}

TEST(GrowingText, AnAdvisedVariableIsToldOncePerAssignment) {
  Probe in;
  uint32_t error = 0;
  VARIABLE* t = in.Variables().FindOrCreate("T", error);
  *t = "";
  t->Link(1);
  updates = 0;
  ASSERT_EQ(0u, RunText(in, "FOR I = 1 TO 100\nT = T & \"x\"\nNEXT\nT = T & \"a\" & \"b\""));
  EXPECT_EQ(101, updates);
  EXPECT_EQ(102u, std::strlen(t->text));
  RunText(in, "T = T & \"c\" & (1/0)");
  EXPECT_EQ(101, updates);  // a failed assignment stores nothing
  t->Link(0);
}

}  // namespace
