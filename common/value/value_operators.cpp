// The binary operators + - * / & | of the script language. Each result is a
// new value; failures leave their number in VARIABLE::Error and give a value
// of the result type with a zero payload (NULL where none was reached).
#include <cstdlib>
#include <cstring>

#include "date_time.h"
#include "value_internal.h"

namespace {

const int32_t kFirstMomentDate = 19800101;

VARIABLE Fail(unsigned error, unsigned char type = VAL_NULL) {
  VARIABLE::Error = error;
  VARIABLE v;
  v.type = type;
  return v;
}

VARIABLE MakeLong(uint32_t x) {
  VARIABLE v;
  v.type = VAL_LONG;
  v.lng = static_cast<int32_t>(x);  // 32-bit wrap-around
  return v;
}

VARIABLE MakeReal(double x) {
  VARIABLE v;
  v.type = VAL_REAL;
  v.real = x;
  return v;
}

VARIABLE MakeMoney(MONEY x) {
  VARIABLE v;
  v.type = VAL_MONEY;
  v.money = x;
  return v;
}

int32_t Seconds(const VARIABLE& t) {
  return static_cast<int32_t>(DateTimeToSeconds(t.time.date, t.time.seconds));
}

VARIABLE MakeTime(int32_t seconds) {
  VARIABLE v;
  v.type = VAL_TIME;
  int32_t date = 0, time = 0;
  SecondsToDateTime(seconds, &date, &time);
  v.time.date = date;
  v.time.seconds = time;
  return v;
}

// A TIME moved by a number of seconds; its date must be in the moment range.
VARIABLE ShiftTime(const VARIABLE& t, int32_t seconds) {
  if (t.time.date < kFirstMomentDate) return Fail(kErrorDateRange, VAL_TIME);
  return MakeTime(static_cast<int32_t>(static_cast<uint32_t>(Seconds(t)) + static_cast<uint32_t>(seconds)));
}

// Steps common to every operator: a NULL operand takes the other's type.
// True when both stay NULL.
bool BothNull(VARIABLE& l, VARIABLE& r) {
  if (r.type == VAL_NULL) r.type = l.type;
  if (l.type == VAL_NULL) l.type = r.type;
  return l.type == VAL_NULL;
}

// LONG, REAL or MONEY as MONEY; false for other types.
bool AsMoney(const VARIABLE& v, MONEY* out) {
  if (v.type == VAL_LONG)
    *out = LongToMoney(v.lng);
  else if (v.type == VAL_REAL)
    *out = RealToMoney(v.real);
  else if (v.type == VAL_MONEY)
    *out = v.money;
  else
    return false;
  return true;
}

VARIABLE Join(const char* head, const char* tail) {
  size_t a = TextLength(head), b = TextLength(tail);
  VARIABLE v;
  v.type = VAL_STRING;
  if (!v.Allocate(static_cast<unsigned long>(a + b + 1))) return v;
  if (a) std::memcpy(v.text, head, a);
  if (b) std::memcpy(v.text + a, tail, b);
  v.text[a + b] = '\0';
  return v;
}

bool IsZero(const VARIABLE& v) {
  switch (v.type) {
    case VAL_NULL: return true;
    case VAL_LONG: return v.lng == 0;
    case VAL_REAL: return v.real == 0.0;
    case VAL_MONEY: return v.money == 0;
    default: return false;
  }
}

}  // namespace

VARIABLE VARIABLE::Add(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  if (BothNull(l, r)) return VARIABLE();
  MONEY m = 0;
  switch (l.type) {
    case VAL_LONG:
      switch (r.type) {
        case VAL_LONG: return MakeLong(static_cast<uint32_t>(l.lng) + static_cast<uint32_t>(r.lng));
        case VAL_REAL: return MakeReal(l.lng + r.real);
        case VAL_MONEY: return MakeMoney(MoneyAdd(LongToMoney(l.lng), r.money));
        case VAL_TIME: return ShiftTime(r, l.lng);
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_REAL:
      switch (r.type) {
        case VAL_LONG: return MakeReal(l.real + r.lng);
        case VAL_REAL: return MakeReal(l.real + r.real);
        case VAL_MONEY: return MakeMoney(MoneyAdd(RealToMoney(l.real), r.money));
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_STRING: {
      const char* tail = JoinedText('+', r, nullptr);
      if (!tail) return Fail(kErrorTypeMismatch);
      return Join(l.text, tail);
    }
    case VAL_MONEY:
      if (!AsMoney(r, &m)) return Fail(kErrorTypeMismatch);
      return MakeMoney(MoneyAdd(l.money, m));
    case VAL_TIME:
      if (r.type == VAL_TIME)
        return MakeTime(static_cast<int32_t>(static_cast<uint32_t>(Seconds(l)) + static_cast<uint32_t>(Seconds(r))));
      if (r.type == VAL_LONG) return ShiftTime(l, r.lng);
      return Fail(kErrorTypeMismatch);
    default:
      return Fail(kErrorNotDefined);
  }
}

VARIABLE VARIABLE::Subtract(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  if (BothNull(l, r)) return VARIABLE();
  MONEY m = 0;
  switch (l.type) {
    case VAL_LONG:
      switch (r.type) {
        case VAL_LONG: return MakeLong(static_cast<uint32_t>(l.lng) - static_cast<uint32_t>(r.lng));
        case VAL_REAL: return MakeReal(l.lng - r.real);
        case VAL_MONEY: return MakeMoney(MoneySub(LongToMoney(l.lng), r.money));
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_REAL:
      switch (r.type) {
        case VAL_LONG: return MakeReal(l.real - r.lng);
        case VAL_REAL: return MakeReal(l.real - r.real);
        case VAL_MONEY: return MakeMoney(MoneySub(RealToMoney(l.real), r.money));
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_MONEY:
      if (!AsMoney(r, &m)) return Fail(kErrorTypeMismatch);
      return MakeMoney(MoneySub(l.money, m));
    case VAL_TIME:
      if (r.type == VAL_TIME)
        return MakeTime(static_cast<int32_t>(static_cast<uint32_t>(Seconds(l)) - static_cast<uint32_t>(Seconds(r))));
      if (r.type == VAL_LONG) return ShiftTime(l, static_cast<int32_t>(0u - static_cast<uint32_t>(r.lng)));
      return Fail(kErrorTypeMismatch);
    default:
      return Fail(kErrorNotDefined);
  }
}

VARIABLE VARIABLE::Multiply(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  if (BothNull(l, r)) return VARIABLE();
  switch (l.type) {
    case VAL_LONG:
      switch (r.type) {
        case VAL_LONG: return MakeLong(static_cast<uint32_t>(l.lng) * static_cast<uint32_t>(r.lng));
        case VAL_REAL: return MakeReal(l.lng * r.real);
        case VAL_MONEY: return MakeMoney(MoneyMulLong(r.money, l.lng));
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_REAL:
      switch (r.type) {
        case VAL_LONG: return MakeReal(l.real * r.lng);
        case VAL_REAL: return MakeReal(l.real * r.real);
        case VAL_MONEY: return MakeMoney(MoneyMulMoney(RealToMoney(l.real), r.money));
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_MONEY:
      switch (r.type) {
        case VAL_LONG: return MakeMoney(MoneyMulLong(l.money, r.lng));
        case VAL_REAL: return MakeMoney(MoneyMulMoney(l.money, RealToMoney(r.real)));
        default: return Fail(kErrorTypeMismatch);
      }
    default:
      return Fail(kErrorNotDefined);
  }
}

VARIABLE VARIABLE::Divide(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  BothNull(l, r);
  if (IsZero(r)) return Fail(kErrorZeroDivisor);
  switch (l.type) {
    case VAL_LONG:
      switch (r.type) {
        case VAL_LONG: return MakeReal(static_cast<double>(l.lng) / r.lng);
        case VAL_REAL: return MakeReal(l.lng / r.real);
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_REAL:
      switch (r.type) {
        case VAL_LONG: return MakeReal(l.real / r.lng);
        case VAL_REAL: return MakeReal(l.real / r.real);
        default: return Fail(kErrorTypeMismatch);
      }
    case VAL_MONEY:
      switch (r.type) {
        case VAL_LONG: return MakeMoney(MoneyDivLong(l.money, r.lng));
        case VAL_REAL: {
          // A divisor below the smallest amount is a zero divisor too.
          MONEY divisor = RealToMoney(r.real);
          if (divisor == 0) return Fail(kErrorZeroDivisor);
          return MakeMoney(MoneyDivMoney(l.money, divisor));
        }
        case VAL_MONEY: return MakeReal(MoneyToReal(MoneyDivMoney(l.money, r.money)));
        default: return Fail(kErrorTypeMismatch);
      }
    default:
      return Fail(kErrorNotDefined);
  }
}

VARIABLE VARIABLE::Ampersand(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  if (BothNull(l, r)) return VARIABLE();
  if (l.type == VAL_LONG) {
    if (r.type != VAL_LONG) return Fail(kErrorTypeMismatch);
    return MakeLong(static_cast<uint32_t>(l.lng & r.lng));
  }
  if (l.type != VAL_STRING) return Fail(kErrorNotDefined);
  char local[kValueTextSize];
  const char* tail = JoinedText('&', r, local);
  if (!tail) return Fail(kErrorTypeMismatch);
  return Join(l.text, tail);
}

const char* VARIABLE::JoinedText(char op, const VARIABLE& right, char* local) {
  // A NULL right operand counts as a STRING without text.
  if (right.type == VAL_NULL) return "";
  if (right.type == VAL_STRING) return right.text ? right.text : "";
  if (op != '&') return nullptr;
  switch (right.type) {
    case VAL_LONG:
    case VAL_REAL:
      return right.GetText(local, kValueTextSize, 0);
    case VAL_MONEY:
      MoneyToText(local, right.money);
      return local;
    case VAL_BOOL:
      return right.lng ? "1" : "0";
    default:
      return nullptr;
  }
}

VARIABLE VARIABLE::Bar(VARIABLE* left, VARIABLE* right) {
  if (!left || !right) return VARIABLE();
  VARIABLE &l = *left, &r = *right;
  if (BothNull(l, r)) return VARIABLE();
  // The roles are turned round: the right operand is checked first.
  if (r.type != VAL_LONG) return Fail(kErrorNotDefined);
  if (l.type != VAL_LONG) return Fail(kErrorTypeMismatch);
  return MakeLong(static_cast<uint32_t>(l.lng | r.lng));
}
