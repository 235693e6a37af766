// WRITE_MONEY, TEXT_ARANGE, VOLAPUK_TRANSLATE and CALC_TRANSLATE as the
// binder calls them: text pointers in (null for a NULL or 0 argument), a
// VARIABLE record out that goes back to RELEASE.
#include <gtest/gtest.h>

#include "nimbet_test_support.h"

using nimbet_test::BoxAnswerer;
using nimbet_test::Nimbet;
using nimbet_test::Taken;

namespace {

std::string Money(const char* amount) { return Taken(Nimbet()("WRITE_MONEY", {Word(amount)})); }
std::string Wrap(const char* text, long width) {
  return Taken(Nimbet()("TEXT_ARANGE", {Word(text), static_cast<uint32_t>(width)}));
}
std::string Calc(const char* formula, const char* names = nullptr) {
  return Taken(Nimbet()("CALC_TRANSLATE", {Word(formula), Word(names)}));
}

TEST(NimbetMoney, AmountsInWords) {
  EXPECT_EQ("Один рубль 00 копеек", Money("1"));
  EXPECT_EQ("Двадцать один рубль 00 копеек", Money("21"));
  EXPECT_EQ("Двадцать два рубля 22 копейки", Money("22.22"));
  EXPECT_EQ("Сто один рубль 01 копейка", Money("101.01"));
  EXPECT_EQ("Сто одиннадцать рублей 14 копеек", Money("111.14"));
  EXPECT_EQ("Одна тысяча рублей 00 копеек", Money("1 000"));
  EXPECT_EQ("Две тысячи рублей 00 копеек", Money("2000"));
  EXPECT_EQ("Один миллион рублей 00 копеек", Money("1000000"));
  EXPECT_EQ("Пять миллионов двадцать одна тысяча рублей 00 копеек", Money("5021000"));
  EXPECT_EQ("Один миллиард рублей 00 копеек", Money("1000000000"));
  EXPECT_EQ("Девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов "
            "девятьсот девяносто девять тысяч девятьсот девяносто девять рублей 99 копеек",
            Money("999 999 999 999.99"));
  EXPECT_EQ("Три миллиарда два миллиона рублей 00 копеек", Money("3002000000"));
  EXPECT_EQ("Рублей 00 копеек", Money("0"));
  EXPECT_EQ("Рублей 00 копеек", Money(nullptr));
}

// The kopecks are the first two digits after the point: one digit is tens,
// later ones do not count (a REAL's text has six decimals).
TEST(NimbetMoney, KopecksAreTwoDigitsAfterThePoint) {
  EXPECT_EQ("Одна тысяча двести тридцать четыре рубля 50 копеек", Money("1234.5"));
  EXPECT_EQ("Рублей 50 копеек", Money(".50"));
  EXPECT_EQ("Пять рублей 50 копеек", Money("5.500000"));
  EXPECT_EQ("Пять рублей 07 копеек", Money("5.07"));
  EXPECT_EQ("Пять рублей 00 копеек", Money("5."));
  EXPECT_EQ("Два рубля 03 копейки", Money("0002.03"));
}

TEST(NimbetMoney, WhatIsNoAmountGivesNull) {
  for (const char* bad : {"-5", "+5", "12,50", "5.000000E+009", "1.2.3", "abc", "5 руб",
                          "1234567890123", "1000000000000.00"})
    EXPECT_EQ("<NULL>", Money(bad)) << bad;
  EXPECT_EQ("Один рубль 00 копеек", Money("000000000000001"));
  // Only the first 199 characters count: the digit after them is not read.
  std::string longText = "1" + std::string(198, ' ') + "9";
  EXPECT_EQ("Один рубль 00 копеек", Money(longText.c_str()));
}

TEST(NimbetText, WrapAndLookAlikes) {
  EXPECT_EQ("aaaa bbbb\ncccc", Wrap("aaaa bbbb cccc", 10));
  EXPECT_EQ("ab\ncd ef\ngh", Wrap("ab\ncd ef gh", 5));
  EXPECT_EQ("abcde\nfghij\nkl", Wrap("abcdefghijkl", 5));
  EXPECT_EQ("abcde\nfghij", Wrap("abcdefghij", 5));
  EXPECT_EQ("abc de", Wrap("abc de", 0));
  EXPECT_EQ("abc de", Wrap("abc de", -3));
  EXPECT_EQ("", Wrap(nullptr, 5));
  EXPECT_EQ("\xD0\xC0\xD0\xC0 \xF5\xEE\xF0 D",
            Taken(Nimbet()("VOLAPUK_TRANSLATE", {Word("PAPA xop D")})));
  EXPECT_EQ("\xC0\xC2\xD1\xC5\xCD\xCA\xCC\xCE\xD0\xD2\xD5\xD3\xE0\xE2\xF1\xE5\xED\xEA\xEC\xEE\xF0\xF2\xF5\xF3 dfgz",
            Taken(Nimbet()("VOLAPUK_TRANSLATE", {Word("ABCEHKMOPTXYabcehkmoptxy dfgz")})));
  EXPECT_EQ("", Taken(Nimbet()("VOLAPUK_TRANSLATE", {0})));
  Nimbet()("RELEASE", {0});
}

TEST(NimbetFormula, PostfixItems) {
  BoxAnswerer boxes;
  EXPECT_EQ("A,B,C,*,+", Calc("a+b*c"));
  EXPECT_EQ("A,B,+,C,*", Calc("(a+b)*c"));
  EXPECT_EQ("A,B,>,C,&,D,<", Calc("a>b&c<d"));
  EXPECT_EQ("A,B,1,+,F(2)", Calc("f(a,b+1)"));
  EXPECT_EQ("A,B,+", Calc("a + b"));
  EXPECT_EQ("-A,B,+", Calc("-a+b"));
  EXPECT_EQ("A,B,/,C,-,D,#", Calc("a/b-c#d"));
  EXPECT_EQ("G(0)", Calc("g()"));
  EXPECT_EQ("X,-Y,H(1),*", Calc("x*h(-y)"));
  EXPECT_EQ("", Calc(""));
  EXPECT_EQ("", Calc(nullptr));
  EXPECT_TRUE(boxes.Boxes().empty());
}

// A minus before a bracket or a call negates the whole product after it.
TEST(NimbetFormula, MinusBeforeBracketOrCallSubtractsFromZero) {
  BoxAnswerer boxes;
  EXPECT_EQ("0,A,B,+,C,*,-", Calc("-(a+b)*c"));
  EXPECT_EQ("0,A,F(1),-,B,+", Calc("-f(a)+b"));
  EXPECT_EQ("A,0,B,C,-,-,>", Calc("a>-(b-c)"));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(NimbetFormula, NamesAreCheckedAgainstTheList) {
  BoxAnswerer boxes;
  EXPECT_EQ("A,B,F(2)", Calc("f(a,b)", "A|B|F(2)"));
  EXPECT_EQ("12.5,A,*", Calc("12.5*a", "a|b|f(2)"));
  EXPECT_EQ("A,B,+", Calc("a+b", ""));
  EXPECT_EQ("<NULL>", Calc("f(a)", "A|B|F(2)"));
  EXPECT_EQ("<NULL>", Calc("a+zz", "A|B|F(2)"));
  // Parsing goes on after a name error: both are shown.
  EXPECT_EQ("<NULL>", Calc("q+f(w)", "A|F(1)"));
  std::vector<std::string> expected = {
      "ОШИБКА: Функция F(1) не найдена,\nили не верное кол-во пареаметров",
      "ОШИБКА: Переменная ZZ не найдена",
      "ОШИБКА: Переменная Q не найдена",
      "ОШИБКА: Переменная W не найдена",
  };
  EXPECT_EQ(expected, boxes.Boxes());
}

TEST(NimbetFormula, MalformedFormulasGiveNull) {
  BoxAnswerer boxes;
  for (const char* bad : {"a+", "a*-b", "a>=b", "f(a>b)", "f(a,)", "(a,b)", "*a", "--a"})
    EXPECT_EQ("<NULL>", Calc(bad)) << bad;
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ("<NULL>", Calc("(a+b"));
  EXPECT_EQ("<NULL>", Calc("f(a"));
  std::vector<std::string> expected = {"Расчет: Не парные скобки", "Расчет: Не парные скобки"};
  EXPECT_EQ(expected, boxes.Boxes());
}

}  // namespace
