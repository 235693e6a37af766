// Message numbers of the form library (texts in Wennic's table).
#pragma once
#include <cstdint>

enum : uint32_t {
  kFormNoMemory = 8,
  kFormNoTable = 92,  // a field reference's letter names no record set
  kFormSyntax = 99,
  kFormBadFile = 107,
  kFormUnexpectedEnd = 118,
  kFormUnknownWord = 123,
  kFormTooLong = 126,
};
