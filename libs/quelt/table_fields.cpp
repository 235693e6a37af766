// Fields by name and the decimal numbers in the record buffer (memo block
// numbers).
#include <cstring>

#include "quelt.h"
#include "table_bytes.h"

int Table::FieldNumber(const char* fieldName, FieldInfo* info) {
  if (!fieldName || !header) return 0;
  for (int i = fieldCount; i >= 1; --i) {
    const uint8_t* d = Descriptor(i);
    char stored[12];
    std::memcpy(stored, d, 11);
    stored[11] = '\0';
    if (_stricmp(stored, fieldName) == 0) {
      if (info) std::memcpy(info, d, sizeof *info);
      return i;
    }
  }
  return 0;
}

uint32_t Table::FieldValue(int field) {
  if (field < 1 || field > fieldCount || !record) return 0;
  const uint8_t* d = Descriptor(field);
  const uint8_t* p = record + GetDword(d + 12);
  const uint8_t* end = p + d[16];
  while (p < end && *p == ' ') ++p;
  uint64_t value = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(value);
}

void Table::SetFieldValue(int field, uint32_t number) {
  if (field < 1 || field > fieldCount || !record) return;
  const uint8_t* d = Descriptor(field);
  uint8_t* p = record + GetDword(d + 12);
  const uint8_t length = d[16];
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number);
  if (n > length) return;
  std::memset(p, ' ', length - n);
  for (int i = 0; i < n; ++i) p[length - 1 - i] = static_cast<uint8_t>(digits[i]);
}
