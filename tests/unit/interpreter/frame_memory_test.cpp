// Subroutine calls when memory runs out: the call fails with 115, the
// frames already made stay intact, and nothing crashes. Memory is made to
// run out by this executable's own nothrow operator new, which fails once
// a countdown set by the test reaches zero (the interpreter's records are
// all allocated through it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "interpreter.h"

namespace {
int allocationsLeft = -1;  // below 0: no limit
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  return std::malloc(size ? size : 1);
}

namespace {

struct Limit {
  explicit Limit(int n) { allocationsLeft = n; }
  ~Limit() { allocationsLeft = -1; }
};

TEST(FrameMemory, CallWithoutMemoryIs115AndKeepsTheCurrentFrame) {
  const std::string text = "GOSUB F\nEND 7\nF:\nRETURN";
  Interpreter in;
  in.SetStart(text.c_str());
  ASSERT_EQ(1, in.ScanLabels(text.c_str()));
  uint32_t result;
  {
    Limit none(0);
    result = in.Run(text.c_str());
  }
  EXPECT_EQ(0u, result);
  EXPECT_EQ(115u, in.GetError());
  EXPECT_EQ(nullptr, in.Frame());
}

TEST(FrameMemory, DeepRecursionEndsIn115NotACrash) {
  const std::string text = "GOSUB F(0)\nEND\nF:FUNC(@N)\nGOSUB F(@N+1)\nRETURN 0";
  Interpreter in;
  in.SetStart(text.c_str());
  ASSERT_EQ(1, in.ScanLabels(text.c_str()));
  {
    Limit some(3000);
    EXPECT_EQ(0u, in.Run(text.c_str()));
  }
  EXPECT_EQ(115u, in.GetError());
  // Every frame made is still chained to the main level.
  int depth = 0;
  for (ProcedureFrame* f = in.Frame(); f; f = f->parent) ++depth;
  EXPECT_GT(depth, 1000);
  EXPECT_EQ(0, in.Depth());
}  // the interpreter frees the frames left by the failed run

}  // namespace
