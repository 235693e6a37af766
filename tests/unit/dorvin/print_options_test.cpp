// The option words of DORVIN_Type.
#include <gtest/gtest.h>

#include <string>

#include "print_options.h"

namespace {

// "F T D e" for the flags set and the event number, or "refused".
std::string Parse(const char* text) {
  PrintOptions o;
  if (!ParsePrintOptions(text, o)) return "refused";
  return std::string(o.file ? "F" : "-") + (o.table ? "T" : "-") + (o.byDefault ? "D" : "-") + " " +
         std::to_string(o.event);
}

TEST(PrintOptions, WordsInAnyCaseWithBlanksAndEmptyTokens) {
  EXPECT_EQ("--- 0", Parse(""));
  EXPECT_EQ("--- 0", Parse("   "));
  EXPECT_EQ("--- 0", Parse(nullptr));
  EXPECT_EQ("FT- 0", Parse(" file | table "));
  EXPECT_EQ("-TD 2005", Parse("TABLE|EVENT=2005|DEFAULT"));
  EXPECT_EQ("FTD 0", Parse("||Fi le|||tAbLe|default|"));
  EXPECT_EQ("-T- 7", Parse("TABLE|EVENT|7"));
  // The number keeps its low 16 bits.
  EXPECT_EQ("-T- 1", Parse("TABLE|EVENT=65537"));
}

TEST(PrintOptions, UnknownWordsAndMissingNumbersRefuseEverything) {
  EXPECT_EQ("refused", Parse("TABLE|BOGUS"));
  EXPECT_EQ("refused", Parse("FILES"));
  EXPECT_EQ("refused", Parse("TABLE|EVENT=x1"));
  EXPECT_EQ("refused", Parse("TABLE|EVENT"));
  EXPECT_EQ("refused", Parse("2005"));
  // Only 64 characters count: a word cut there is unknown.
  EXPECT_EQ("F-- 0", Parse((std::string(60, ' ') + "FILE|TABLE").c_str()));
  EXPECT_EQ("refused", Parse((std::string(62, '|') + "TABLE").c_str()));
}

}  // namespace
