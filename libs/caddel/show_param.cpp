#include "show_param.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

bool SameWord(const std::string& key, const char* word) { return lstrcmpiA(key.c_str(), word) == 0; }

// The names of value, separated by "|", looked up; false for an empty or
// unknown name or more than kMaxKeys of them.
bool ReadFields(const std::string& value, RecordSetObject& records, uint16_t* fields, int& count) {
  count = 0;
  size_t start = 0;
  for (;;) {
    size_t bar = value.find('|', start);
    std::string name = value.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (name.empty() || count == kMaxKeys) return false;
    name.resize(std::min<size_t>(name.size(), kFieldNameKept));
    long field = records.FieldIndex(name.c_str());
    if (field <= 0) return false;
    fields[count++] = static_cast<uint16_t>(field);
    if (bar == std::string::npos) return true;
    start = bar + 1;
  }
}

}  // namespace

bool ReadShowParam(const char* text, RecordSetObject& records, ShowParam& param) {
  std::string all = text ? text : "";
  int idCount = -1, ownCount = -1;  // -1: not named
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find(';', start);
    if (end == std::string::npos) end = all.size();
    std::string item = all.substr(start, end - start);
    start = end + 1;
    size_t equals = item.find('=');
    std::string key = item.substr(0, equals);
    std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
    if (SameWord(key, "EVENT")) {
      param.hasEvent = true;
      param.event = static_cast<UINT>(std::atol(value.c_str()));
    } else if (SameWord(key, "SORT")) {
      param.sorted = true;
    } else if (SameWord(key, "ID")) {
      if (!ReadFields(value, records, param.idField, idCount)) return false;
    } else if (SameWord(key, "OWN")) {
      if (!ReadFields(value, records, param.ownField, ownCount)) return false;
    }
  }
  if (idCount != ownCount) return false;
  param.hasKeys = idCount > 0;
  param.keyCount = static_cast<uint16_t>(idCount > 0 ? idCount : 0);
  return true;
}
