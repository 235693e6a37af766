#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "money.h"

namespace {

MONEY Parse(const char* text) {
  MONEY m = 999;
  EXPECT_EQ(1, TextToMoney(text, &m));
  return m;
}

std::string Text(MONEY m) {
  char buffer[kMoneyTextSize];
  int n = MoneyToText(buffer, m);
  EXPECT_EQ(static_cast<int>(std::string(buffer).size()), n);
  return buffer;
}

std::string Exact(MONEY m) {
  char buffer[kMoneyTextSize];
  int n = MoneyToTextExact(buffer, m);
  EXPECT_EQ(static_cast<int>(std::string(buffer).size()), n);
  return buffer;
}

TEST(MoneyText, ParsingCutsAndStops) {
  EXPECT_EQ(123456, Parse("12.34567"));
  EXPECT_EQ(-5000, Parse("-0.5"));
  EXPECT_EQ(-120000, Parse("1-2"));
  EXPECT_EQ(120000, Parse("12,5"));
  EXPECT_EQ(0, Parse(" 5"));
  EXPECT_EQ(0, Parse(""));
  EXPECT_EQ(10000, Parse("--1"));
  EXPECT_EQ(15000, Parse("1.5.7"));
  EXPECT_EQ(30000, Parse("3+4"));
  // Integer places above 10^14 are dropped; the 20th digit ends reading.
  EXPECT_EQ(234567890123456LL * 10000, Parse("1234567890123456"));
  // 19 integer digits and the first fraction digit make 20: reading ends.
  EXPECT_EQ(567890123456789LL * 10000, Parse("1234567890123456789.01234"));
  EXPECT_EQ(0, Parse(nullptr));
}

TEST(MoneyText, TwoDecimalsRoundHalfAwayFromZero) {
  EXPECT_EQ("12.35", Text(123456));
  EXPECT_EQ("0.00", Text(0));
  EXPECT_EQ("0.00", Text(5));
  EXPECT_EQ("0.01", Text(50));
  EXPECT_EQ("-0.01", Text(-50));
  EXPECT_EQ("1.23", Text(12345));
  EXPECT_EQ("1.24", Text(12350));
  EXPECT_EQ("-1.24", Text(-12350));
  EXPECT_EQ("-922337203685477.58", Text(INT64_MIN));
  EXPECT_EQ("922337203685477.58", Text(INT64_MAX));
}

TEST(MoneyText, ExactDropsTrailingZeros) {
  EXPECT_EQ("12.3456", Exact(123456));
  EXPECT_EQ("0.0005", Exact(5));
  EXPECT_EQ("1.2", Exact(12000));
  EXPECT_EQ("12", Exact(120000));
  EXPECT_EQ("0", Exact(0));
  EXPECT_EQ("-0.5", Exact(-5000));
  EXPECT_EQ("-922337203685477.5808", Exact(INT64_MIN));
}

TEST(MoneyRounding, MoneyLongReal) {
  EXPECT_EQ(12300, RoundMoney(12345, 2));
  EXPECT_EQ(12350, RoundMoney(12345, 3));
  EXPECT_EQ(-12400, RoundMoney(-12350, 2));
  EXPECT_EQ(100000, RoundMoney(50000, -1));
  EXPECT_EQ(0, RoundMoney(12345, -1));
  EXPECT_EQ(12345, RoundMoney(12345, 4));
  EXPECT_EQ(0, RoundMoney(INT64_MAX, INT32_MIN));

  EXPECT_EQ(1300, RoundLong(1250, -2));
  EXPECT_EQ(-1300, RoundLong(-1250, -2));
  EXPECT_EQ(1200, RoundLong(1249, -2));
  EXPECT_EQ(1249, RoundLong(1249, 3));
  EXPECT_EQ(0, RoundLong(1249, INT32_MIN));

  EXPECT_EQ(2.0, RoundReal(2.5, 0));
  EXPECT_EQ(4.0, RoundReal(3.5, 0));
  EXPECT_DOUBLE_EQ(1.23, RoundReal(1.234, 2));
  EXPECT_EQ(1200.0, RoundReal(1249.0, -2));
  EXPECT_EQ(0.0, RoundReal(1249.0, INT32_MIN));
}

TEST(MoneyArithmetic, ConversionsAndOperations) {
  EXPECT_EQ(70000, LongToMoney(7));
  EXPECT_EQ(-1, MoneyToLong(-19999));
  EXPECT_EQ(-3, MoneyDivLong(-7, 2));
  EXPECT_EQ(-70, MoneyMulLong(7, -10));
  EXPECT_EQ(12, RealToMoney(0.00125));  // 12.5 rounds to the even 12
  EXPECT_EQ(14, RealToMoney(0.00135));  // 13.5 -> 14
  EXPECT_EQ(1.5, MoneyToReal(15000));
  EXPECT_EQ(5, MoneyAbs(-5));
  EXPECT_EQ(-5, MoneyNeg(5));
  EXPECT_EQ(INT64_MIN, MoneyAdd(INT64_MAX, 1));  // wraps, no trap
  EXPECT_EQ(30000, MoneySub(50000, 20000));
  EXPECT_EQ(60000, MoneyMulMoney(20000, 30000));
  EXPECT_EQ(2, MoneyMulMoney(25, 1000));  // 0.0025 * 0.1: 2.5 ten-thousandths -> 2
  EXPECT_EQ(5000, MoneyDivMoney(10000, 20000));
  EXPECT_EQ(0, MoneyDivMoney(10000, 0));
  EXPECT_EQ(0, MoneyDivLong(10000, 0));
}

TEST(MoneyArithmetic, CompareByOperatorText) {
  EXPECT_EQ(1, MoneyCompare(10000, 20000, "<>"));
  EXPECT_EQ(0, MoneyCompare(10000, 10000, "<>"));
  EXPECT_EQ(1, MoneyCompare(10000, 10000, "<="));
  EXPECT_EQ(1, MoneyCompare(10000, 10000, ">="));
  EXPECT_EQ(1, MoneyCompare(-1, 0, "<"));
  EXPECT_EQ(0, MoneyCompare(-1, 0, ">"));
  EXPECT_EQ(1, MoneyCompare(3, 3, "="));
  EXPECT_EQ(0, MoneyCompare(1, 1, "=>"));
  EXPECT_EQ(0, MoneyCompare(1, 1, "=="));
}

}  // namespace
