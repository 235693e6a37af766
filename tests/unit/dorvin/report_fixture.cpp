#include "report_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "odbc_session.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

namespace {

const LibraryCall praxel("PRAXEL");

const char kOwnerScript[] =
    "REM HIDE,WINDOW\r\n"
    "NAME = \"Иванов\"\r\n"
    "S = CMONEY(1234.5)\r\n"
    "CODE = \"X12345\"\r\n"
    "READY = 1\r\n";

}  // namespace

void ReportFixture::SetUpTestSuite() {
  hInst = GetModuleHandleA(nullptr);
  RegisterHostClasses();
  OdbcSession session("KTEST");
  session.Try("DROP TABLE DORVIN_PEOPLE");
  session.Run({"CREATE TABLE DORVIN_PEOPLE (ID INTEGER, NAME VARCHAR(20), CITY VARCHAR(20), "
               "CODE VARCHAR(10))"});
  std::string insert = "INSERT INTO DORVIN_PEOPLE VALUES ";
  for (int i = 1; i <= 20; ++i) {
    char row[80];
    std::snprintf(row, sizeof row, "%s(%d, 'Абонент %02d', '%s', 'X12345')", i > 1 ? ", " : "", i, i,
                  i % 2 ? "Омск" : "Тула");
    insert += row;
  }
  session.Run({insert.c_str()});
  session.Try("DROP TABLE DORVIN_MANY");
  session.Run({"CREATE TABLE DORVIN_MANY (ID INTEGER, NAME VARCHAR(20), CITY VARCHAR(20))",
               "INSERT INTO DORVIN_MANY WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
               "WHERE I < 300) SELECT I, 'Номер ' || I, 'Город ' || I FROM N"});
}

void ReportFixture::SetUp() {
  ScriptWindowCount = 0;
  ActiveScriptWindow = nullptr;
  LastScriptOptions = kRunHide;
  FrameWindow = CreateFrameWindow();
  ASSERT_TRUE(FrameWindow);
  window_ = StartScript(nullptr, host_test::WriteScript("report_owner.bas", kOwnerScript).c_str());
  LastScriptOptions |= kRunHide;
  ASSERT_TRUE(window_);
  ASSERT_TRUE(host_test::PumpUntil(
      [&] { return InterpreterOf(window_)->Variables().Find("READY"); }, 5000));
  base_ = praxel("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
  ASSERT_NE(0u, base_);
}

void ReportFixture::TearDown() {
  for (uint32_t set : sets_) praxel("PRAXEL_Close", {set});
  if (base_) praxel("PRAXEL_BaseClose", {base_});
  for (HWND child : gui::Children(MdiClient, nullptr))
    SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  LastScriptOptions |= kRunHide;
  host_test::PumpUntil([] { return !IsWindow(FrameWindow); }, 2000);
}

RecordSetObject* ReportFixture::People(long record, int rows) {
  uint32_t set = praxel("PRAXEL_New", {base_, Word("DORVIN_PEOPLE"), 10});
  EXPECT_NE(0u, set);
  sets_.push_back(set);
  std::string query =
      "SELECT NAME, CITY, CODE, ID FROM DORVIN_PEOPLE WHERE ID <= " + std::to_string(rows) +
      " ORDER BY ID";
  EXPECT_NE(0u, praxel("PRAXEL_Open", {set, Word(query.c_str()), Word("STATIC")}));
  EXPECT_NE(0u, praxel("PRAXEL_RecGet", {set, static_cast<uint32_t>(record)}));
  return reinterpret_cast<RecordSetObject*>(set);
}

RecordSetObject* ReportFixture::Many(int rows) {
  uint32_t set = praxel("PRAXEL_New", {base_, Word("DORVIN_MANY"), 10});
  EXPECT_NE(0u, set);
  sets_.push_back(set);
  std::string query =
      "SELECT NAME, CITY, ID FROM DORVIN_MANY WHERE ID <= " + std::to_string(rows) + " ORDER BY ID";
  EXPECT_NE(0u, praxel("PRAXEL_Open", {set, Word(query.c_str()), Word("STATIC")}));
  return reinterpret_cast<RecordSetObject*>(set);
}

void ReportFixture::SetText(const char* variable, const char* text) {
  VARIABLE* v = InterpreterOf(window_)->Variables().Find(variable);
  ASSERT_TRUE(v) << variable;
  *v = text;
}

std::string ReportFixture::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string InCodePage(const char* utf8, UINT codePage) {
  int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], wide);
  int n = WideCharToMultiByte(codePage, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, w.c_str(), -1, &out[0], n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return out;
}
