// A console demo of the value library's money arithmetic and text helpers.
#include <windows.h>

#include <cstdio>

#include "money.h"
#include "text_helpers.h"

int main() {
  MONEY price = 0, quantity = 0;
  TextToMoney("1234.5678", &price);
  TextToMoney("3", &quantity);
  MONEY total = MoneyMulLong(price, MoneyToLong(quantity));
  char amount[kMoneyTextSize + 8], exact[kMoneyTextSize];
  MoneyToText(amount, total);
  MoneyToTextExact(exact, total);
  GroupThousands(amount, sizeof amount, ' ');
  std::printf("price 1234.5678 x 3 = %s (exact %s)\n", amount, exact);
  std::printf("rounded to tens: %lld\n", static_cast<long long>(RoundMoney(total, -1) / 10000));
  std::printf("decimal separator of this locale: '%c'\n", DecimalSeparator());
  return 0;
}
