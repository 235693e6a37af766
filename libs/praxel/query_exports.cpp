// PRAXEL's exports of order, search, filters and links.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "library_frame.h"
#include "live_record_sets.h"
#include "record_set.h"
#include "variable.h"
#include "wennic.h"

namespace {

enum : int { kBadParameter = 87, kWrongType = 116, kArgumentCount = 122 };
const int kValueText = 32;
const size_t kLinkNameLength = 15;

// Up to four field names separated by "|", each cut to 15 characters and
// found in the set; false after the field error for an unknown one.
bool LinkColumns(RecordSet* set, const char* list, uint16_t columns[kMaxSortColumns], int* count) {
  std::string all = list ? list : "";
  *count = 0;
  size_t start = 0;
  while (*count < kMaxSortColumns) {
    size_t end = all.find('|', start);
    std::string name = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (name.size() > kLinkNameLength) name.resize(kLinkNameLength);
    long column = set->FieldIndex(name.c_str());
    if (!column) {
      set->ReportFieldError(name.c_str(), "FldLink");
      return false;
    }
    columns[(*count)++] = static_cast<uint16_t>(column);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

long SeekPattern(uintptr_t handle, const char* pattern, unsigned long length) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return 0;
  if (!pattern) {
    ERRBOX(GetFocus(), kBadParameter, 0, nullptr);
    return 0;
  }
  return set->Seek(pattern, length);
}

}  // namespace

KORVEX_EXPORT BOOL WINAPI PRAXEL_FldSort(uintptr_t handle, const char* name) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set || !name) return FALSE;
  if (*name >= '0' && *name <= '9') {
    unsigned long column = std::strtoul(name, nullptr, 10) & 0xFFFF;
    if (column < 1 || column > static_cast<unsigned long>(set->FieldCount())) {
      set->ReportFieldError(name, "FldSort");
      return FALSE;
    }
    return set->SetSortColumn(column);
  }
  return set->SetSort(name);
}

KORVEX_EXPORT long WINAPI PRAXEL_Find(uintptr_t handle, const char* pattern) {
  return SeekPattern(handle, pattern, pattern ? std::strlen(pattern) + 1 : 0);
}

KORVEX_EXPORT long WINAPI PRAXEL_Seek(uintptr_t handle, const char* pattern, unsigned long length) {
  return SeekPattern(handle, pattern, length);
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_PatPut(uintptr_t handle, const char* name, const VARIABLE* value) {
  RecordSet* set = LiveRecordSet(handle);
  if (!set) return FALSE;
  char text[kValueText] = "";
  const char* pattern = nullptr;
  int error = 0;
  switch (value ? value->type : static_cast<unsigned char>(VAL_NULL)) {
    case VAL_LONG: case VAL_REAL: case VAL_MONEY: case VAL_TIME:
      pattern = value->GetText(text, sizeof text, 0);
      break;
    case VAL_STRING:
      pattern = value->text ? value->text : "";
      break;
    default:
      error = kWrongType;
  }
  if (!error) error = set->SetPattern(name, pattern);
  if (error) {
    ERRBOX(GetFocus(), error, 0, nullptr);
    return FALSE;
  }
  return TRUE;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_PatGet(uintptr_t handle, const char* name) {
  VARIABLE* result = new (std::nothrow) VARIABLE;
  RecordSet* set = LiveRecordSet(handle);
  if (!result || !set) return result;
  result->TYPE(VAL_STRING);
  std::string pattern;
  int error = set->GetPattern(name, &pattern);
  if (error) ERRBOX(GetFocus(), error, 0, nullptr);
  else *result = pattern.c_str();
  return result;
}

KORVEX_EXPORT long WINAPI PRAXEL_Link(uintptr_t master, const char* masterKeys, const char* masterText,
                                      uintptr_t detail, const char* detailKeys) {
  RecordSet* own = LiveRecordSet(master);
  RecordSet* other = LiveRecordSet(detail);
  if (!own || !other) return 0;
  uint16_t detailColumns[kMaxSortColumns] = {}, masterColumns[kMaxSortColumns] = {};
  int detailCount = 0, masterCount = 0;
  if (!LinkColumns(other, detailKeys, detailColumns, &detailCount)) return 0;
  if (!LinkColumns(own, masterKeys, masterColumns, &masterCount)) return 0;
  long text = own->FieldIndex(masterText);
  if (!text) {
    own->ReportFieldError(masterText ? masterText : "", "FldLink");
    return 0;
  }
  if (detailCount != masterCount) {
    ERRBOX(GetFocus(), kArgumentCount, 0, nullptr);
    return 0;
  }
  return other->LinkDetail(detailColumns, own, masterColumns, static_cast<unsigned long>(text));
}
