// Numbers and bits.
#include <cmath>

#include "builtin_entries.h"

namespace {

bool RunMath(BuiltinFrame& f, double (*function)(double)) {
  double x;
  if (!f.PopNumber(x)) return false;
  f.Result().SetReal(function(x));
  return true;
}

bool PopTwoLongs(BuiltinFrame& f, int32_t& a, int32_t& b) { return f.PopLong(b) && f.PopLong(a); }

// Bit numbers are taken modulo 32, so a shift never exceeds the word.
uint32_t BitMask(int32_t bit) { return 1u << (static_cast<uint32_t>(bit) & 31u); }

// The random generator runs per thread and starts at 1 in each.
thread_local uint32_t t_randomState = 1;

}  // namespace

bool RunInt(BuiltinFrame& f) {
  VARIABLE* x = f.Pop();
  if (!x) return false;
  if (x->type == VAL_LONG) {
    f.Result().SetLong(x->lng);
  } else if (x->type == VAL_REAL) {
    // Inside the 32-bit range the value goes through a 32-bit integer;
    // beyond it the truncation is done on the float itself.
    double r = x->real;
    if (r > -2147483649.0 && r < 2147483648.0)
      r = static_cast<double>(static_cast<int32_t>(r));
    else
      r = std::trunc(r);
    f.Result().SetReal(r);
  } else {
    return f.Fail(kBuiltinBadType);
  }
  return true;
}

bool RunAbs(BuiltinFrame& f) {
  VARIABLE* x = f.Pop();
  if (!x) return false;
  switch (x->type) {
    case VAL_LONG:
      // Two's complement: the smallest LONG stays as it is.
      f.Result().SetLong(x->lng < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(x->lng))
                                    : x->lng);
      return true;
    case VAL_REAL: f.Result().SetReal(std::fabs(x->real)); return true;
    case VAL_MONEY: f.Result().SetMoney(MoneyAbs(x->money)); return true;
    default: return f.Fail(kBuiltinBadType);
  }
}

bool RunSin(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::sin(x); }); }
bool RunCos(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::cos(x); }); }
bool RunTan(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::tan(x); }); }
bool RunAtn(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::atan(x); }); }
bool RunLog(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::log(x); }); }
bool RunSqr(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::sqrt(x); }); }
bool RunExp(BuiltinFrame& f) { return RunMath(f, [](double x) { return std::exp(x); }); }

bool RunAsin(BuiltinFrame& f) {
  double x;
  if (!f.PopNumber(x)) return false;
  // NaN fails both comparisons.
  if (!(x >= -1.0 && x <= 1.0)) return f.Fail(kBuiltinTooLong);
  f.Result().SetReal(std::asin(x));
  return true;
}

bool RunPow(BuiltinFrame& f) {
  double base, exponent;
  if (!f.PopNumber(exponent) || !f.PopNumber(base)) return false;
  f.Result().SetReal(std::pow(base, exponent));
  return true;
}

bool RunMod(BuiltinFrame& f) {
  int32_t a, b;
  if (!PopTwoLongs(f, a, b)) return false;
  // b = -1 always leaves 0; dividing the smallest LONG by it would trap.
  f.Result().SetLong(b == 0 ? a : b == -1 ? 0 : a % b);
  return true;
}

bool RunRnd(BuiltinFrame& f) {
  int32_t seed;
  if (!f.PopLong(seed)) return false;
  if (seed != 0) t_randomState = static_cast<uint32_t>(seed);
  t_randomState = t_randomState * 214013u + 2531011u;
  f.Result().SetReal(static_cast<double>((t_randomState >> 16) & 32767u) / 32767.0);
  return true;
}

bool RunRound(BuiltinFrame& f) {
  int32_t digits;
  if (!f.PopWhole(digits)) return false;
  VARIABLE* value = f.Pop();
  if (!value) return false;
  VARIABLE::Error = 0;
  VARIABLE rounded = value->Round(digits);
  if (!f.CheckValueError()) return false;
  f.Result().Assign(rounded);
  return true;
}

bool RunNot(BuiltinFrame& f) {
  if (f.Count() == 2) {
    int32_t a, mask;
    if (!PopTwoLongs(f, a, mask)) return false;
    f.Result().SetLong(a & ~mask);
    return true;
  }
  VARIABLE* x = f.Pop();
  if (!x) return false;
  if (x->type == VAL_BOOL)
    f.Result().SetBool(x->lng == 0 ? 1 : 0);
  else if (x->type == VAL_LONG)
    f.Result().SetLong(~x->lng);
  else
    return f.Fail(kBuiltinBadType);
  return true;
}

bool RunOr(BuiltinFrame& f) {
  int32_t a, b;
  if (!PopTwoLongs(f, a, b)) return false;
  f.Result().SetLong(a | b);
  return true;
}

bool RunAnd(BuiltinFrame& f) {
  int32_t a, b;
  if (!PopTwoLongs(f, a, b)) return false;
  f.Result().SetLong(a & b);
  return true;
}

bool RunIncl(BuiltinFrame& f) {
  int32_t a, bit;
  if (!PopTwoLongs(f, a, bit)) return false;
  f.Result().SetLong(static_cast<int32_t>(static_cast<uint32_t>(a) | BitMask(bit)));
  return true;
}

bool RunExcl(BuiltinFrame& f) {
  int32_t a, bit;
  if (!PopTwoLongs(f, a, bit)) return false;
  f.Result().SetLong(static_cast<int32_t>(static_cast<uint32_t>(a) & ~BitMask(bit)));
  return true;
}

bool RunBit(BuiltinFrame& f) {
  int32_t a, bit;
  if (!PopTwoLongs(f, a, bit)) return false;
  f.Result().SetBool((static_cast<uint32_t>(a) & BitMask(bit)) ? 1 : 0);
  return true;
}

bool RunLoword(BuiltinFrame& f) {
  int32_t n;
  if (!f.PopLong(n)) return false;
  f.Result().SetLong(static_cast<int32_t>(static_cast<uint32_t>(n) & 0xFFFFu));
  return true;
}

bool RunHiword(BuiltinFrame& f) {
  int32_t n;
  if (!f.PopLong(n)) return false;
  f.Result().SetLong(static_cast<int32_t>(static_cast<uint32_t>(n) >> 16));
  return true;
}

bool RunRgb(BuiltinFrame& f) {
  int32_t red, green, blue;
  if (!f.PopLong(blue) || !f.PopLong(green) || !f.PopLong(red)) return false;
  uint32_t colour = (static_cast<uint32_t>(red) & 0xFF) |
                    (static_cast<uint32_t>(green) & 0xFF) << 8 |
                    (static_cast<uint32_t>(blue) & 0xFF) << 16;
  f.Result().SetLong(static_cast<int32_t>(colour));
  return true;
}
