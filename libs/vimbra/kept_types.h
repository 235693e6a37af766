// The value operators may retype a NULL operand (it then counts as the zero
// of the other's type). The array compares and adds its own slots and the
// caller's argument in place, so both keep the type they had.
#pragma once
#include "variable.h"

template <class Operator>
auto KeepingTypes(Operator op, VARIABLE* left, VARIABLE* right) -> decltype(op(left, right)) {
  unsigned char leftType = left->type, rightType = right->type;
  auto result = op(left, right);
  left->type = leftType;
  right->type = rightType;
  return result;
}
