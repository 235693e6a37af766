// Reports in a real script window of this process over Praxel's record sets
// (table DORVIN_PEOPLE of the SQLite data source KTEST: ID 1..20, NAME
// "Абонент 01".."Абонент 20", CITY "Омск" for odd IDs and "Тула" for even
// ones, CODE "X12345"). The owner script holds NAME, S = CMONEY(1234.5) and
// CODE.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "library_call.h"
#include "record_set_object.h"

class ReportFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A record set of the first rows people (ordered by ID), on record.
  RecordSetObject* People(long record = 1, int rows = 20);
  // The first rows records of DORVIN_MANY (ID 1..300, NAME "Номер n", CITY
  // "Город n").
  RecordSetObject* Many(int rows = 300);
  // Stores a text into the owner's variable.
  void SetText(const char* variable, const char* text);
  // The bytes of a file ("" when it cannot be read).
  static std::string ReadFile(const std::string& path);

  HWND window_ = nullptr;
  uint32_t base_ = 0;
  std::vector<uint32_t> sets_;
};

// The test's text in UTF-8 turned into the code page given (1251, 866).
std::string InCodePage(const char* utf8, UINT codePage);
