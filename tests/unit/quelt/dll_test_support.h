// For the tests of Quelt.dll's exports.
#pragma once
#include <cstdio>
#include <cstring>

#include "quelt_api.h"

// Appends a blank record of the first checks' layout (A N(5,0) first) with
// A set; the number appended or 0.
inline DWORD AppendNumber(Table* t, int a) {
  char rec[32];
  QUELT_NewRec(t, rec);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%5d", a);
  std::memcpy(rec + 1, digits, 5);
  return QUELT_Append(t, rec);
}
