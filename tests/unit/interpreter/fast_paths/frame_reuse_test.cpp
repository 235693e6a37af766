// Subroutine frames are kept for the next call: every call still starts
// with empty locals, and what a call left in them is gone after RETURN.
#include <gtest/gtest.h>

#include <string>

#include "eval_helpers.h"
#include "interpreter.h"

namespace {

TEST(FrameReuse, EveryCallStartsWithEmptyLocals) {
  const std::string text =
      "GOSUB F(1)\nGOSUB F(2)\nGOSUB G(3)\nEND\n"
      "F:FUNC(@N)\nOUT = OUT & \"<\" & CSTRING(@X) & CSTRING(@N) & \">\"\n@X = 5\n@T = \"text\"\n"
      "IF @N < 2 THEN\nGOSUB F(@N + 1)\nENDIF\nRETURN\n"
      "G:PROC(@Y)\nOUT = OUT & \"[\" & CSTRING(@X) & CSTRING(@T) & CSTRING(@Y) & \"]\"\nRETURN";
  Interpreter in;
  in.SetStart(text.c_str());
  ASSERT_EQ(1, in.ScanLabels(text.c_str()));
  EXPECT_EQ(1u, in.Run(text.c_str()));
  EXPECT_EQ(0u, in.GetError());
  VARIABLE* out = in.Variables().Find("OUT");
  ASSERT_NE(nullptr, out);
  EXPECT_EQ("STRING:<1><2><2>[3]", Describe(*out));
  EXPECT_EQ(nullptr, in.Frame());
}

}  // namespace
