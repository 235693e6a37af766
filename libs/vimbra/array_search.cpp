// Finding keys and extreme values with the value comparisons.
#include "dim_array.h"
#include "kept_types.h"

int32_t DimArray::Seek(VARIABLE* key) {
  for (int32_t i = 0; i < count_; ++i) {
    if (KeepingTypes(VARIABLE::Equal, &keys_[i], key)) return i;
  }
  return -1;
}

VARIABLE* DimArray::Find(VARIABLE* key) {
  int32_t position = Seek(key);
  return position < 0 ? nullptr : &values_[position];
}

VARIABLE* DimArray::Greatest() { return Extreme(VARIABLE::Greater); }
VARIABLE* DimArray::Smallest() { return Extreme(VARIABLE::Less); }

// Moves only on a strict true, so the first of equal extremes wins.
VARIABLE* DimArray::Extreme(int (*better)(VARIABLE*, VARIABLE*)) {
  if (count_ == 0) return nullptr;
  int32_t best = 0;
  for (int32_t i = 1; i < count_; ++i) {
    if (KeepingTypes(better, &values_[i], &values_[best])) best = i;
  }
  return &values_[best];
}
