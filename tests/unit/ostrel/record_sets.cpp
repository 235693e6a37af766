#include "record_sets.h"

#include <gtest/gtest.h>

#include "library_call.h"
#include "odbc_session.h"

namespace ostrel_test {

namespace {

const char kIni[] = "KORVEX.INI";

const LibraryCall& Praxel() {
  static const LibraryCall praxel("PRAXEL");
  return praxel;
}

}  // namespace

void MakeTable(const char* name, std::initializer_list<const char*> statements) {
  OdbcSession odbc("KTEST");
  ASSERT_TRUE(odbc.connected());
  std::string drop = std::string("DROP TABLE IF EXISTS ") + name;
  odbc.Run({drop.c_str()});
  for (const char* statement : statements) odbc.Run({statement});
}

TestRecordSet::TestRecordSet(const char* query, uint32_t cash) {
  base_ = Praxel()("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
  if (!base_) return;
  set_ = Praxel()("PRAXEL_New", {base_, Word("GRID"), cash});
  if (!set_) return;
  opened_ = Praxel()("PRAXEL_Open", {set_, Word(query), Word("STATIC")}) != 0;
}

TestRecordSet::~TestRecordSet() {
  if (set_) Praxel()("PRAXEL_Close", {set_, 0});
  if (base_) Praxel()("PRAXEL_BaseClose", {base_});
}

std::string TestRecordSet::Modes() const {
  std::string modes;
  for (long field = 1; field <= object()->FieldCount(); ++field)
    modes += object()->FieldOption(field, 10) ? 'H' : object()->FieldOption(field, 11) ? 'F' : 'N';
  return modes;
}

std::string TestRecordSet::Sort() const {
  char text[256] = "";
  object()->GetSort(text, sizeof text);
  return text;
}

std::string IniValue(const char* section, const char* key) {
  char value[512] = "";
  GetPrivateProfileStringA(section, key, "", value, sizeof value, kIni);
  return value;
}

void SetIniValue(const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, kIni);
}

void ClearIniSection(const char* section) { WritePrivateProfileStringA(section, nullptr, nullptr, kIni); }

}  // namespace ostrel_test
