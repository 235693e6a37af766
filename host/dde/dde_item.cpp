#include "dde_item.h"

#include <cstring>

#include "shared_variables.h"
#include "variable_table.h"

namespace {

const int kNameKept = sizeof(DdeItemName::name) - 1;
// Matrix dimensions are 16-bit: a larger index names no element.
const int32_t kLargestIndex = 65535;

const char* SkipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

// A decimal number without sign; false when there is no digit or it is out
// of range.
bool ReadIndex(const char*& p, int32_t& value) {
  p = SkipBlanks(p);
  if (*p < '0' || *p > '9') return false;
  value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > kLargestIndex) return false;
  }
  p = SkipBlanks(p);
  return true;
}

}  // namespace

bool ParseItemName(const char* item, DdeItemName& parsed) {
  parsed = DdeItemName{};
  const char* bracket = std::strchr(item, '(');
  size_t length = bracket ? static_cast<size_t>(bracket - item) : std::strlen(item);
  if (length == 0) return false;
  std::memcpy(parsed.name, item, length < kNameKept ? length : kNameKept);
  if (!bracket) return true;

  const char* p = bracket + 1;
  if (!ReadIndex(p, parsed.row)) return false;
  if (*p == ',') {
    ++p;
    if (!ReadIndex(p, parsed.col)) return false;
  }
  if (*p != ')' || p[1] != '\0') return false;
  parsed.element = true;
  return true;
}

VARIABLE* FindItemVariable(VariableTable& windowTable, const DdeItemName& item) {
  VariableTable& table = item.name[0] == '$' ? SharedVariables() : windowTable;
  return item.element ? table.FindElement(item.name, item.row, item.col) : table.Find(item.name);
}
