// The six comparisons > < = >= <= <> (the script's <> is NotEqual).
#include <cstring>
#include <utility>

#include "value_internal.h"

namespace {

enum Comparison { kGreater, kLess, kEqual, kGreaterEqual, kLessEqual, kNotEqual };

const char* const kMoneyOperators[] = {">", "<", "=", ">=", "<=", "<>"};

template <class T>
int Apply(Comparison op, T a, T b) {
  switch (op) {
    case kGreater: return a > b;
    case kLess: return a < b;
    case kEqual: return a == b;
    case kGreaterEqual: return a >= b;
    case kLessEqual: return a <= b;
    default: return a != b;
  }
}

int Mismatch() {
  VARIABLE::Error = kErrorTypeMismatch;
  return 0;
}

// The pairs that compare only for equality.
template <class T>
int Equality(Comparison op, T a, T b) {
  if (op == kEqual) return a == b;
  if (op == kNotEqual) return a != b;
  return Mismatch();
}

int Money(Comparison op, MONEY a, MONEY b) { return MoneyCompare(a, b, kMoneyOperators[op]); }

int Compare(VARIABLE* left, VARIABLE* right, Comparison op) {
  if (!left || !right) return 0;
  VARIABLE &l = *left, &r = *right;
  if (r.type == VAL_NULL) r.type = l.type;
  if (l.type == VAL_NULL) l.type = r.type;
  if (l.type == VAL_NULL) return op == kEqual || op == kGreaterEqual || op == kLessEqual;
  switch (l.type) {
    case VAL_LONG:
      switch (r.type) {
        case VAL_LONG: return Apply(op, l.lng, r.lng);
        case VAL_REAL: return Apply(op, static_cast<double>(l.lng), r.real);
        case VAL_MONEY: return Money(op, LongToMoney(l.lng), r.money);
        case VAL_BOOL: return Equality(op, l.lng, r.lng);
        default: return Mismatch();
      }
    case VAL_REAL:
      switch (r.type) {
        case VAL_LONG: return Apply(op, l.real, static_cast<double>(r.lng));
        case VAL_REAL: return Apply(op, l.real, r.real);
        case VAL_MONEY: return Money(op, RealToMoney(l.real), r.money);
        default: return Mismatch();
      }
    case VAL_MONEY:
      switch (r.type) {
        case VAL_LONG: return Money(op, l.money, LongToMoney(r.lng));
        case VAL_REAL: return Money(op, l.money, RealToMoney(r.real));
        case VAL_MONEY: return Money(op, l.money, r.money);
        default: return Mismatch();
      }
    case VAL_STRING:
      if (r.type != VAL_STRING) return Mismatch();
      return Apply(op, std::strcmp(l.text ? l.text : "", r.text ? r.text : ""), 0);
    case VAL_TIME:
      if (r.type != VAL_TIME) return Mismatch();
      return Apply(op, std::pair<int32_t, int32_t>(int32_t(l.time.date), int32_t(l.time.seconds)),
                   std::pair<int32_t, int32_t>(int32_t(r.time.date), int32_t(r.time.seconds)));
    case VAL_BOOL:
      if (r.type != VAL_BOOL && r.type != VAL_LONG) return Mismatch();
      return Equality(op, l.lng, r.lng);
    case VAL_POINTER:
      if (r.type != VAL_POINTER) return Mismatch();
      return Equality(op, l.target, r.target);
    case VAL_OBJECT:
      if (r.type != VAL_OBJECT) return Mismatch();
      return Equality(op, l.object.handle, r.object.handle);
    case VAL_DISPATCH:
      if (r.type != VAL_DISPATCH) return Mismatch();
      return Equality(op, l.dispatch.pointer, r.dispatch.pointer);
    case VAL_IMAGE:
      if (r.type != VAL_IMAGE) return Mismatch();
      return Equality(op, l.image.handle, r.image.handle);
    case VAL_GUID:
      if (r.type != VAL_GUID) return Mismatch();
      return Equality(op, std::memcmp(l.raw, r.raw, sizeof l.raw), 0);
    default:
      return Mismatch();
  }
}

}  // namespace

int VARIABLE::Greater(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kGreater); }
int VARIABLE::Less(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kLess); }
int VARIABLE::Equal(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kEqual); }
int VARIABLE::GreaterEqual(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kGreaterEqual); }
int VARIABLE::LessEqual(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kLessEqual); }
int VARIABLE::NotEqual(VARIABLE* left, VARIABLE* right) { return Compare(left, right, kNotEqual); }
