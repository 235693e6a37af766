// Truncated and byte-flipped expressions: each must end in a value or an
// error number, leave the stack as it found it (plus at most the value) and
// read nothing past the text's end (each text sits in a block of its exact
// size).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "eval_helpers.h"

namespace {

const char* const kBases[] = {
    "2+3*4-(5/2)",
    "&HFF&&H0F|&B101",
    "\"text\"&12&\"x\"",
    "A(1,2)+$S(0)",
    "VARPTR(X)=VARPTR(X)",
    "-(~7)*!FALSE",
    "1.5E-2*100<>0.015",
    "M!F(1,\"a\",2.5)",
    "OBJ.MEMBER(1)+2",
    "(((1)))<=((2))",
    "X>=Y=TRUE",
    "VARPTR(A(1))",
    "A | B & C",
    "@L+@M*2",
};
const char kFlips[] = {'(', ')', '"', '&', 'H', '.', 'E', '-', '\n', ';', ',', '!', '$',
                       '@', ' ', '=', '<', '|', '~', '0', '[', ']', '\x80', '\xFF', 'A'};

void EvaluateExactly(Interpreter& in, const std::string& text) {
  char* block = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(block, text.c_str(), text.size() + 1);
  const char* p = block;
  in.SetError(0);
  unsigned depth = in.Depth();
  int failed = in.Evaluate(p);
  ASSERT_GE(p, block);
  ASSERT_LE(p, block + text.size()) << text;
  if (failed) {
    EXPECT_NE(in.GetError(), 0u) << text;
    EXPECT_EQ(in.Depth(), depth) << text;
  } else {
    EXPECT_LE(in.Depth(), depth + 1) << text;
  }
  in.DropTo(0);
  // the same text as the value of an assignment statement
  p = block;
  in.ExecAssignment("T", p);
  EXPECT_EQ(in.Depth(), 0u) << text;
  std::free(block);
}

TEST(Mutation, TruncatedAndFlippedExpressionsNeverCrash) {
  Interpreter in;
  uint32_t error = 0;
  in.Variables().DeclareArray("A", 3, 3, VAL_LONG, error);
  ProcedureFrame frame;
  in.SetFrame(&frame);
  int runs = 0;
  for (const char* base : kBases) {
    std::string text(base);
    for (size_t n = 0; n <= text.size(); ++n, ++runs) EvaluateExactly(in, text.substr(0, n));
    for (size_t i = 0; i < text.size(); ++i)
      for (char flip : kFlips) {
        std::string mutated = text;
        mutated[i] = flip;
        EvaluateExactly(in, mutated);
        EvaluateExactly(in, mutated.substr(0, i + 1));
        runs += 2;
      }
  }
  in.SetFrame(nullptr);
  EXPECT_GT(runs, 3000);
}

}  // namespace
