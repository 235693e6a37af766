#include "money.h"

#include <cfenv>
#include <cmath>
#include <cstring>

namespace {

uint64_t Magnitude(MONEY a) { return a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a); }

MONEY WithSign(uint64_t magnitude, bool negative) {
  return static_cast<MONEY>(negative ? 0 - magnitude : magnitude);
}

// Writes the decimal digits of v (at least one) and returns the count.
int WriteDigits(char* out, uint64_t v) {
  char tmp[24];
  int n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  for (int i = 0; i < n; ++i) out[i] = tmp[n - 1 - i];
  return n;
}

// Beyond these counts repeated division has reached 0 (or a double has
// reached 0 or infinity), so longer loops cannot change the result.
const int kMaxMoneySteps = 40;
const int kMaxRealSteps = 800;

}  // namespace

MONEY LongToMoney(int32_t x) { return static_cast<MONEY>(x) * 10000; }

int32_t MoneyToLong(MONEY a) { return static_cast<int32_t>(static_cast<uint64_t>(a / 10000)); }

MONEY RealToMoney(double x) { return std::llrint(x * 10000.0); }

double MoneyToReal(MONEY a) { return static_cast<double>(a) / 10000.0; }

MONEY MoneyAbs(MONEY a) { return static_cast<MONEY>(Magnitude(a)); }

MONEY MoneyNeg(MONEY a) { return static_cast<MONEY>(0 - static_cast<uint64_t>(a)); }

MONEY MoneyAdd(MONEY a, MONEY b) {
  return static_cast<MONEY>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}

MONEY MoneySub(MONEY a, MONEY b) {
  return static_cast<MONEY>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

MONEY MoneyMulLong(MONEY a, int32_t b) {
  uint64_t mb = b < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(b)) : static_cast<uint64_t>(b);
  return WithSign(Magnitude(a) * mb, (a < 0) != (b < 0));
}

MONEY MoneyDivLong(MONEY a, int32_t b) {
  if (b == 0) return 0;  // callers report the zero divisor
  uint64_t mb = b < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(b)) : static_cast<uint64_t>(b);
  return WithSign(Magnitude(a) / mb, (a < 0) != (b < 0));
}

MONEY MoneyMulMoney(MONEY a, MONEY b) {
  long double product = static_cast<long double>(a) * static_cast<long double>(b) / 10000.0L;
  MONEY result = std::llrintl(product);
  std::feclearexcept(FE_ALL_EXCEPT);
  return result;
}

MONEY MoneyDivMoney(MONEY a, MONEY b) {
  if (b == 0) return 0;  // callers report the zero divisor
  return std::llrint(static_cast<double>(a) / static_cast<double>(b) * 10000.0);
}

int MoneyCompare(MONEY a, MONEY b, const char* op) {
  if (op == nullptr) return 0;
  if (std::strcmp(op, "=") == 0) return a == b;
  if (std::strcmp(op, "<") == 0) return a < b;
  if (std::strcmp(op, "<=") == 0) return a <= b;
  if (std::strcmp(op, "<>") == 0) return a != b;
  if (std::strcmp(op, ">") == 0) return a > b;
  if (std::strcmp(op, ">=") == 0) return a >= b;
  return 0;
}

int TextToMoney(const char* text, MONEY* out) {
  const uint64_t kIntegerPlaces = 1000000000000000ULL;  // keeps places 10^0..10^14
  bool negative = false, inFraction = false;
  uint64_t integer = 0, fraction = 0;
  int fractionDigits = 0, digits = 0;
  for (const char* p = text ? text : ""; *p != '\0' && digits < 20; ++p) {
    if (*p == '-') {
      negative = !negative;
    } else if (*p == '.' && !inFraction) {
      inFraction = true;
    } else if (*p >= '0' && *p <= '9') {
      ++digits;
      if (!inFraction) {
        integer = (integer * 10 + static_cast<unsigned>(*p - '0')) % kIntegerPlaces;
      } else if (fractionDigits < 4) {
        fraction = fraction * 10 + static_cast<unsigned>(*p - '0');
        ++fractionDigits;
      }
    } else {
      break;
    }
  }
  for (; fractionDigits < 4; ++fractionDigits) fraction *= 10;
  if (out) *out = WithSign(integer * 10000 + fraction, negative);
  return 1;
}

int MoneyToText(char* buffer, MONEY a) {
  int n = 0;
  if (a < 0) buffer[n++] = '-';
  uint64_t m = Magnitude(a);
  uint64_t hundredths = m / 100 + (m % 100 >= 50 ? 1 : 0);
  n += WriteDigits(buffer + n, hundredths / 100);
  buffer[n++] = '.';
  buffer[n++] = static_cast<char>('0' + hundredths % 100 / 10);
  buffer[n++] = static_cast<char>('0' + hundredths % 10);
  buffer[n] = '\0';
  return n;
}

int MoneyToTextExact(char* buffer, MONEY a) {
  int n = 0;
  if (a < 0) buffer[n++] = '-';
  uint64_t m = Magnitude(a);
  n += WriteDigits(buffer + n, m / 10000);
  buffer[n++] = '.';
  uint64_t fraction = m % 10000;
  for (uint64_t place = 1000; place != 0; place /= 10) buffer[n++] = static_cast<char>('0' + fraction / place % 10);
  while (buffer[n - 1] == '0') --n;
  if (buffer[n - 1] == '.') --n;
  buffer[n] = '\0';
  return n;
}

MONEY RoundMoney(MONEY a, int digits) {
  if (digits >= 4) return a;
  int64_t steps = 4 - static_cast<int64_t>(digits);
  if (steps > kMaxMoneySteps) steps = kMaxMoneySteps;
  uint64_t m = Magnitude(a), remainder = 0;
  for (int64_t i = 0; i < steps; ++i) {
    remainder = m % 10;
    m /= 10;
  }
  if (remainder >= 5) ++m;
  for (int64_t i = 0; i < steps; ++i) m *= 10;
  return WithSign(m, a < 0);
}

double RoundReal(double x, int digits) {
  unsigned steps = digits < 0 ? 0u - static_cast<unsigned>(digits) : static_cast<unsigned>(digits);
  if (steps > kMaxRealSteps) steps = kMaxRealSteps;
  if (digits > 0) {
    for (unsigned i = 0; i < steps; ++i) x *= 10.0;
    x = std::rint(x);
    for (unsigned i = 0; i < steps; ++i) x /= 10.0;
  } else if (digits < 0) {
    for (unsigned i = 0; i < steps; ++i) x /= 10.0;
    x = std::rint(x);
    for (unsigned i = 0; i < steps; ++i) x *= 10.0;
  } else {
    x = std::rint(x);
  }
  return x;
}

int32_t RoundLong(int32_t x, int digits) {
  if (digits >= 0) return x;
  int steps = digits < -kMaxMoneySteps ? kMaxMoneySteps : -digits;
  uint32_t m = x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
  for (int i = 0; i < steps; ++i) {
    if (i == steps - 1) m += 5;
    m /= 10;
  }
  for (int i = 0; i < steps; ++i) m *= 10;
  return static_cast<int32_t>(x < 0 ? 0u - m : m);
}
