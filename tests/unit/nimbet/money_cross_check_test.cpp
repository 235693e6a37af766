// WRITE_MONEY against a second, independent source: the words that the npm
// package `rubles` gives for 22,399 amounts (written before this test by
// tests/tools/money_words). Compared with the first letter in lower case.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "nimbet_test_support.h"

using nimbet_test::Nimbet;
using nimbet_test::Taken;

namespace {

std::string Ansi(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  int m = WideCharToMultiByte(1251, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(1251, 0, wide.data(), n, &out[0], m, nullptr, nullptr);
  return out;
}

TEST(NimbetMoney, AgreesWithAnIndependentSource) {
  std::ifstream list(KORVEX_MONEY_WORDS);
  ASSERT_TRUE(list) << "no list from tests/tools/money_words: " << KORVEX_MONEY_WORDS;
  int compared = 0, mismatches = 0;
  for (std::string line; std::getline(list, line);) {
    size_t tab = line.find('\t');
    ASSERT_NE(std::string::npos, tab) << line;
    std::string amount = line.substr(0, tab);
    std::string expected = Ansi(line.substr(tab + 1));
    std::string actual = Taken(Nimbet()("WRITE_MONEY", {Word(amount.c_str())}));
    if (!actual.empty()) CharLowerBuffA(&actual[0], 1);
    if (actual != expected && ++mismatches <= 10)
      ADD_FAILURE() << amount << ": " << actual << " | " << expected;
    ++compared;
  }
  EXPECT_GT(compared, 22000);
  EXPECT_EQ(0, mismatches);
}

}  // namespace
