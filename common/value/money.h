// MONEY: signed 64-bit fixed point counting ten-thousandths (1.2345 is 12345).
#pragma once
#include <cstdint>

typedef int64_t MONEY;

// Room for any MONEY text: "-922337203685477.5808" and its zero.
const int kMoneyTextSize = 24;

MONEY LongToMoney(int32_t x);
int32_t MoneyToLong(MONEY a);
MONEY RealToMoney(double x);
double MoneyToReal(MONEY a);
MONEY MoneyAbs(MONEY a);
MONEY MoneyNeg(MONEY a);
MONEY MoneyAdd(MONEY a, MONEY b);
MONEY MoneySub(MONEY a, MONEY b);
MONEY MoneyMulLong(MONEY a, int32_t b);
MONEY MoneyDivLong(MONEY a, int32_t b);
MONEY MoneyMulMoney(MONEY a, MONEY b);
MONEY MoneyDivMoney(MONEY a, MONEY b);
// 1 when "a op b" holds for op one of = < <= <> > >=; any other text gives 0.
int MoneyCompare(MONEY a, MONEY b, const char* op);

// Always 1: reading stops at the first character that is not a digit,
// '-' (flips the sign) or the first '.'.
int TextToMoney(const char* text, MONEY* out);
// Two decimals, rounded half away from zero; buffer holds kMoneyTextSize.
int MoneyToText(char* buffer, MONEY a);
// Up to four decimals, trailing zeros and point removed.
int MoneyToTextExact(char* buffer, MONEY a);

MONEY RoundMoney(MONEY a, int digits);
double RoundReal(double x, int digits);
int32_t RoundLong(int32_t x, int digits);
