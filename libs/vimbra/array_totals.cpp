// Sum and running halving average of the values.
#include <new>

#include "dim_array.h"
#include "kept_types.h"

VARIABLE* DimArray::Total(bool halving) {
  VARIABLE* result = new (std::nothrow) VARIABLE();
  if (!result || count_ == 0) return result;
  unsigned char type = values_[0].type;
  if (type != VAL_LONG && type != VAL_REAL && type != VAL_MONEY) {
    error_ = kErrorNotDefined;
    return result;
  }
  result->TYPE(type);  // the zero of that type
  VARIABLE two;
  two.SetLong(2);
  for (int32_t i = 0; i < count_; ++i) {
    VARIABLE step = KeepingTypes(VARIABLE::Add, result, &values_[i]);
    if (halving) {
      VARIABLE half = VARIABLE::Divide(&step, &two);
      result->ConvertFrom(half);
    } else {
      result->ConvertFrom(step);
    }
  }
  return result;
}
