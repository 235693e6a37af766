// Praxel record sets over the KTEST data source for the grid library's
// tests: tables made with plain ODBC, opened through Praxel.dll's exports
// as a script opens them; the handle is the RecordSetObject's address.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "record_set_object.h"

namespace ostrel_test {

// Drops and makes a table by its statements (CREATE and INSERTs).
void MakeTable(const char* name, std::initializer_list<const char*> statements);

class TestRecordSet {
 public:
  // Opened "STATIC" with the cache size over the query.
  TestRecordSet(const char* query, uint32_t cash = 10);
  ~TestRecordSet();
  TestRecordSet(const TestRecordSet&) = delete;
  TestRecordSet& operator=(const TestRecordSet&) = delete;

  bool opened() const { return opened_; }
  uint32_t handle() const { return set_; }
  RecordSetObject* object() const { return reinterpret_cast<RecordSetObject*>(set_); }
  // The mode letters of all fields ('H', 'F', 'N'), field 1 first.
  std::string Modes() const;
  // GetSort's text.
  std::string Sort() const;

 private:
  uint32_t base_ = 0;
  uint32_t set_ = 0;
  bool opened_ = false;
};

// KORVEX.INI of the Windows directory: one value, "" when missing.
std::string IniValue(const char* section, const char* key);
void SetIniValue(const char* section, const char* key, const char* value);
void ClearIniSection(const char* section);

}  // namespace ostrel_test
