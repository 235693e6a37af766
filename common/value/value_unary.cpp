// ROUND and the unary operators.
#include "value_internal.h"

using namespace value_internal;

VARIABLE VARIABLE::Round(int digits) const {
  VARIABLE result;
  result.type = type;
  switch (type) {
    case VAL_LONG:
      result.lng = RoundLong(lng, digits);
      break;
    case VAL_REAL:
      result.real = RoundReal(real, digits);
      break;
    case VAL_MONEY:
      result.money = RoundMoney(money, digits);
      break;
    case VAL_TIME:
      result.time.date = time.date;
      if (digits == 1)
        result.time.seconds = time.seconds / 3600 * 3600;
      else if (digits >= 2)
        result.time.seconds = time.seconds / 60 * 60;
      else if (digits == -1)
        result.time.date = RoundLong(time.date, -2) + 1;
      else if (digits < -1)
        result.time.date = RoundLong(time.date, -4) + 101;
      break;
    default:
      Error = kErrorNotDefined;
      break;
  }
  return result;
}

VARIABLE& VARIABLE::BitNot() {
  if (type == VAL_LONG)
    lng = ~lng;
  else
    Error = kErrorTypeMismatch;
  NotifyCopied(*this);
  return *this;
}

VARIABLE& VARIABLE::Not() {
  if (type == VAL_BOOL)
    lng = lng == 0;
  else
    Error = kErrorTypeMismatch;
  NotifyCopied(*this);
  return *this;
}

VARIABLE& VARIABLE::Negate() {
  if (type == VAL_LONG)
    lng = static_cast<int32_t>(0u - static_cast<uint32_t>(lng));
  else if (type == VAL_REAL)
    real = -real;
  else if (type == VAL_MONEY)
    money = MoneyNeg(money);
  else
    Error = kErrorTypeMismatch;
  NotifyCopied(*this);
  return *this;
}
