#include "record_text.h"

#include <cstdio>
#include <cstring>

LRESULT CopyRecordText(unsigned long record, WPARAM size, char* buffer) {
  if (!buffer || size == 0) return 0;
  char digits[16];
  size_t length = static_cast<size_t>(std::snprintf(digits, sizeof digits, "%lu", record));
  if (length > size - 1) length = size - 1;
  std::memcpy(buffer, digits, length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}
