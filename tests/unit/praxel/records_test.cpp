// Record sets read through the exports and the interface, on both data
// sources: counting, paging, column descriptions, field texts, options,
// widths, MONEY texts, failures and the query dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "gui_driver.h"
#include "library_call.h"
#include "odbc_session.h"
#include "record_set_object.h"
#include "variable.h"

namespace {

const LibraryCall praxel("PRAXEL");
uint32_t Text(const char* text) { return Word(text); }

uint32_t Open(const char* dsn, long options = 2) {
  std::string connect = std::string("DSN=") + dsn + ";";
  return praxel("PRAXEL_BaseOpen", {0, Text(connect.c_str()), static_cast<uint32_t>(options)});
}
void CloseBase(uint32_t base) {
  while (praxel("PRAXEL_BaseClose", {base}) != 0 && base) {}
}

// A record set made with PRAXEL_New, closed with PRAXEL_Close.
class Set {
 public:
  Set(uint32_t base, const char* name, uint32_t cash)
      : handle_(praxel("PRAXEL_New", {base, ::Text(name), cash})) {}
  ~Set() { praxel("PRAXEL_Close", {handle_}); }
  uint32_t handle() const { return handle_; }
  RecordSetObject* operator->() const { return reinterpret_cast<RecordSetObject*>(handle_); }
  bool Open(const char* query, const char* cursor = "STATIC") {
    return praxel("PRAXEL_Open", {handle_, ::Text(query), ::Text(cursor)}) != 0;
  }
  long Count() { return static_cast<long>(praxel("PRAXEL_RecCnt", {handle_})); }
  bool Get(long n) { return praxel("PRAXEL_RecGet", {handle_, static_cast<uint32_t>(n)}) != 0; }
  std::string FieldText(unsigned long column, long* result = nullptr) {
    char buffer[128];
    long r = (*this)->GetFieldText(column, buffer, sizeof buffer);
    if (result) *result = r;
    return buffer;
  }
  std::string Field(const char* name) { return Record(praxel("PRAXEL_Field", {handle_, ::Text(name)})); }
  long Option(const char* name, const char* option) {
    return static_cast<long>(praxel("PRAXEL_FldOption", {handle_, ::Text(name), ::Text(option)}));
  }
  static std::string Record(uint32_t word) {
    const VARIABLE& v = *reinterpret_cast<const VARIABLE*>(word);
    char text[kValueTextSize] = "";
    std::string out = VARIABLE::TypeName(v.type);
    if (v.type != VAL_NULL) out += std::string(" ") + v.GetText(text, sizeof text, 0);
    praxel("RELEASE", {word});
    return out;
  }

 private:
  uint32_t handle_;
};

// N25 (or a table like it under another name, for a test that runs beside
// the others): ID 1..25, NAME 'R01'..'R25'.
void MakeN25(OdbcSession& s, const std::string& table = "N25") {
  s.Try(("DROP TABLE " + table).c_str());
  s.Run({("CREATE TABLE " + table + " (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))").c_str()});
  std::string insert = "INSERT INTO " + table + " VALUES ";
  for (int i = 1; i <= 25; ++i) {
    char row[32];
    std::snprintf(row, sizeof row, "%s(%d, 'R%02d')", i > 1 ? ", " : "", i, i);
    insert += row;
  }
  s.Run({insert.c_str()});
}

std::string Name(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "R%02d", n);
  return text;
}

TEST(Records, PagesServeEveryRecordInAnyOrderOnBothDrivers) {
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    MakeN25(session);
    uint32_t base = Open(dsn);
    for (uint32_t cash : {1u, 7u, 10u, 60u}) {
      Set set(base, "N25", cash);
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25 ORDER BY ID")) << dsn << " cash " << cash;
      EXPECT_EQ(25, set.Count()) << dsn << " cash " << cash;
      std::vector<int> order;
      for (int n = 1; n <= 25; ++n) order.push_back(n);
      for (int n : {25, 1, 13, 6, 24, 11, 10, 16}) order.push_back(n);
      for (int n : order) {
        ASSERT_TRUE(set.Get(n)) << dsn << " cash " << cash << " record " << n;
        EXPECT_EQ(Name(n), set.FieldText(2)) << dsn << " cash " << cash << " record " << n;
        long result = 0;
        EXPECT_EQ(std::to_string(n), set.FieldText(0, &result));
        EXPECT_EQ(kNumberText + static_cast<long>(std::to_string(n).size()), result);
      }
      EXPECT_FALSE(set.Get(0));
      EXPECT_EQ("", set.FieldText(2));  // no current row
    }
    CloseBase(base);
  }
}

TEST(Records, EmptyResultsAndForwardCursorsFailWithTheirBoxes) {
  OdbcSession session("KTEST");
  MakeN25(session);
  uint32_t base = Open("KTEST", 0);
  {
    Set set(base, "N25", 10);
    ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25 WHERE ID > 100"));
    EXPECT_EQ(0, set.Count());
    gui::BoxWatcher watcher({IDCANCEL});
    EXPECT_FALSE(set.Get(1));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("N25:RecPage - ОШИБКА", boxes[0].caption);
    EXPECT_EQ("запись не найдена", boxes[0].text);
  }
  {
    Set set(base, "N25", 10);
    gui::BoxWatcher watcher({IDCANCEL});
    EXPECT_FALSE(set.Open("SELECT ID, NAME FROM N25", ""));
    auto boxes = watcher.Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("N25:SQLExtendedFetch - ОШИБКА", boxes.back().caption);
    EXPECT_EQ(" SQLite\nwrong fetch direction", boxes.back().text);  // forward only
    EXPECT_EQ(0, set->FieldCount());  // nothing left allocated
    EXPECT_EQ(0, set.Count());
  }
  CloseBase(base);
}

TEST(Records, ColumnsAreDescribedByType) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE TY");
  session.Run({"CREATE TABLE TY (I INTEGER, R REAL, D DATE, B BLOB)",
               "INSERT INTO TY VALUES (42, 2.5, '1999-12-31', X'0102')"});
  uint32_t base = Open("KTEST");
  {
    Set set(base, "TY", 1);
    ASSERT_TRUE(set.Open("SELECT I, R, D, B FROM TY"));
    EXPECT_EQ("STRING I,10N0", set.Field("1"));
    EXPECT_EQ("STRING R,8F4", set.Field("2"));
    EXPECT_EQ("STRING D,16D0", set.Field("3"));
    EXPECT_EQ("NULL", set.Field("5"));
    EXPECT_EQ("NULL", set.Field("0"));
    gui::BoxWatcher watcher;
    EXPECT_EQ("LONG 3", set.Field("D"));
    EXPECT_EQ("LONG 0", set.Field("XX"));
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(1, set->FieldOption(4, 10));  // long data is hidden
    EXPECT_EQ('B', set->FieldType(4));  // SQLite describes BLOB as BINARY
    ASSERT_TRUE(set.Get(1));
    long result = 0;
    EXPECT_EQ("42", set.FieldText(1, &result));
    EXPECT_EQ(kNumberText + 2, result);
    EXPECT_EQ("          2.5000", set.FieldText(2, &result));
    EXPECT_EQ(kNumberText + 16, result);
    char bytes[8] = "";
    EXPECT_EQ(2, set->GetFieldText(4, bytes, sizeof bytes));  // raw bytes
    EXPECT_EQ(0, std::memcmp(bytes, "\x01\x02", 2));
  }
  {
    Set set(base, "TY", 1);
    ASSERT_TRUE(set.Open("SELECT I, R, D, B FROM TY", "STATIC|NOCHAR"));
    EXPECT_EQ("STRING I,4N0", set.Field("1"));
    ASSERT_TRUE(set.Get(1));
    EXPECT_EQ("42", set.FieldText(1));
  }
  CloseBase(base);
}

TEST(Records, MoneyTextsRoundAtTheirPoint) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE M");
  session.Run({"CREATE TABLE M (A VARCHAR(20))", "INSERT INTO M VALUES ('12.3450')",
               "INSERT INTO M VALUES ('9.9960')", "INSERT INTO M VALUES ('5.0049')",
               "INSERT INTO M VALUES ('1234567.8900')", "INSERT INTO M VALUES ('-9.9960')"});
  uint32_t base = Open("KTEST");
  Set set(base, "M", 5);
  ASSERT_TRUE(set.Open("SELECT A FROM M"));
  EXPECT_EQ(1, set.Option("A", "TYPE=F4;MODE=MONEY"));
  const char* expected[] = {"12.35", "10.00", "5.00", "1234567.89", "-10.00"};
  for (int n = 1; n <= 5; ++n) {
    ASSERT_TRUE(set.Get(n));
    long result = 0;
    EXPECT_EQ(expected[n - 1], set.FieldText(1, &result));
    EXPECT_EQ(kNumberText + static_cast<long>(std::strlen(expected[n - 1])), result);
  }
  EXPECT_EQ(1, set.Option("1", "MODE=FULL"));
  ASSERT_TRUE(set.Get(4));
  long result = 0;
  EXPECT_EQ("1 234 567.89", set.FieldText(1, &result));
  EXPECT_EQ(0x2000C, result);
  char small[4];
  EXPECT_EQ(kNumberText + 3, set->GetFieldText(1, small, sizeof small));  // cut, terminated
  EXPECT_STREQ("1 2", small);
  CloseBase(base);

  OdbcSession pg("KPGTEST");
  pg.Try("DROP TABLE M");
  pg.Run({"CREATE TABLE M (A NUMERIC(10,2))", "INSERT INTO M VALUES (12.35)"});
  uint32_t pgBase = Open("KPGTEST");
  {
    Set numeric(pgBase, "M", 1);
    ASSERT_TRUE(numeric.Open("SELECT A FROM M"));
    EXPECT_EQ("STRING a,12F2", numeric.Field("1"));
    EXPECT_EQ(1, numeric.Option("A", "MODE=MONEY"));
    ASSERT_TRUE(numeric.Get(1));
    EXPECT_EQ("12.35", numeric.FieldText(1));
  }
  CloseBase(pgBase);
}

TEST(Records, TextColumnsAreTrimmedCutAndReadByTheirLetter) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE TX");
  session.Run({"CREATE TABLE TX (A VARCHAR(12), B VARCHAR(12), C VARCHAR(12))",
               "INSERT INTO TX VALUES (' a b  ', '12.75  ', '3.5 ')",
               "INSERT INTO TX VALUES ('abcdefgh', '-7', '')"});
  uint32_t base = Open("KTEST");
  Set set(base, "TX", 2);
  ASSERT_TRUE(set.Open("SELECT A, B, C FROM TX"));
  EXPECT_EQ(1, set.Option("B", "TYPE=N"));
  EXPECT_EQ(1, set.Option("C", "TYPE=F"));
  ASSERT_TRUE(set.Get(1));
  long result = 0;
  EXPECT_EQ(" a b", set.FieldText(1, &result));  // leading blank and inner blank kept
  EXPECT_EQ(4, result);
  EXPECT_EQ("12", set.FieldText(2, &result));  // a whole number ends at its point
  EXPECT_EQ(kNumberText + 2, result);
  EXPECT_EQ("3.5", set.FieldText(3, &result));
  EXPECT_EQ(kNumberText + 3, result);
  ASSERT_TRUE(set.Get(2));
  char small[4] = "zzz";
  EXPECT_EQ(3, set->GetFieldText(1, small, sizeof small));  // cut, terminated
  EXPECT_STREQ("abc", small);
  EXPECT_EQ("-7", set.FieldText(2, &result));
  EXPECT_EQ(kNumberText + 2, result);
  EXPECT_EQ("", set.FieldText(3, &result));
  EXPECT_EQ(kNumberText, result);
  CloseBase(base);
}

// Texts are found a word at a time: each length, a point, an inner blank or
// both at each place and trailing blanks, read as text and as a whole number,
// and cut to every buffer size without a byte written past the terminator.
TEST(Records, TextsEndAtEveryPlaceInTheirWords) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE TW");
  session.Run({"CREATE TABLE TW (K INTEGER PRIMARY KEY, T VARCHAR(12))"});
  std::vector<std::string> texts;
  for (int length = 0; length <= 11; ++length)
    for (int place = -1; place < length; ++place)
      for (std::string mark : {".", " ", " ."})
        for (int blanks = 0; blanks <= 3 && length + blanks <= 11; ++blanks) {
          if ((place < 0 && mark != ".") || place + static_cast<int>(mark.size()) > length) continue;
          std::string text;
          for (int i = 0; i < length; ++i) text += static_cast<char>('1' + i % 9);
          if (place >= 0) text.replace(static_cast<size_t>(place), mark.size(), mark);
          texts.push_back(text + std::string(blanks, ' '));
        }
  std::string insert = "INSERT INTO TW VALUES ";
  for (size_t i = 0; i < texts.size(); ++i)
    insert += (i ? ", (" : "(") + std::to_string(i + 1) + ", '" + texts[i] + "')";
  session.Run({insert.c_str()});
  uint32_t base = Open("KTEST");
  Set set(base, "TW", 60);
  ASSERT_TRUE(set.Open("SELECT T AS A, T AS B FROM TW ORDER BY K"));
  EXPECT_EQ(1, set.Option("B", "TYPE=N"));
  ASSERT_EQ(static_cast<long>(texts.size()), set.Count());
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_TRUE(set.Get(static_cast<long>(i + 1)));
    const std::string& t = texts[i];
    std::string trimmed = t.substr(0, t.find_last_not_of(' ') + 1);
    size_t point = t.find('.');
    std::string number = point == std::string::npos ? trimmed : t.substr(0, point);
    EXPECT_EQ(trimmed, set.FieldText(1)) << "'" << t << "'";
    EXPECT_EQ(number, set.FieldText(2)) << "'" << t << "' as a whole number";
    for (long size = 1; size <= 14; ++size) {
      char buffer[16];
      std::memset(buffer, 'z', sizeof buffer);
      long cut = set->GetFieldText(1, buffer, size) & 0xFFFF;
      ASSERT_EQ(std::min<long>(static_cast<long>(trimmed.size()), size - 1), cut) << t << " in " << size;
      EXPECT_EQ(trimmed.substr(0, cut), std::string(buffer, cut));
      EXPECT_EQ('\0', buffer[cut]);
      for (long k = std::max(cut + 1, 2L); k < 16; ++k)
        ASSERT_EQ('z', buffer[k]) << "'" << t << "' in " << size << ": byte " << k;
    }
  }
  CloseBase(base);
}

TEST(Records, WidthsModesAndOptions) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE W");
  session.Run({"CREATE TABLE W (C VARCHAR(30), D DATE)",
               "INSERT INTO W VALUES ('text', '1999-12-31')"});
  uint32_t base = Open("KTEST");
  Set set(base, "W", 1);
  ASSERT_TRUE(set.Open("SELECT C, D FROM W"));
  EXPECT_EQ(-30, set->FieldWidth(1, FALSE));
  EXPECT_EQ(12, set->SetFieldWidth(1, 12));
  EXPECT_EQ(1, set->FieldOption(1, 2));
  EXPECT_EQ(30, set->FieldWidth(1, FALSE));
  EXPECT_EQ(1, set->FieldOption(1, 1));
  EXPECT_EQ(0, set->FieldWidth(1, FALSE));
  EXPECT_EQ(30, set->FieldWidth(1, TRUE));
  EXPECT_EQ(8, set->FieldWidth(2, FALSE));
  EXPECT_EQ(1, set->FieldOption(2, 2));
  EXPECT_EQ(10, set->FieldWidth(2, FALSE));
  EXPECT_EQ(1, set->FieldOption(2, 4));
  EXPECT_EQ(1, set.Option("C", " width = 5 ; mode = hide "));
  EXPECT_EQ(1, set->FieldOption(1, 10));
  EXPECT_EQ(31, set.Option("C", "GET=SIZE"));
  EXPECT_EQ(0, set.Option("C", "FOO=1"));
  EXPECT_EQ(1, set.Option("C", "EVENT=3001"));
  EXPECT_EQ(3001, set->FieldEvent(1));
  EXPECT_EQ(1, set.Option("0", "MODE=PRINT"));  // the hidden columns only
  EXPECT_EQ(1, set->FieldOption(1, 23));
  EXPECT_EQ(0, set->FieldOption(2, 23));
  EXPECT_EQ(0, set.Option("0", "MODE=HIDE"));
  for (unsigned long bad : {0ul, 3ul, 0x10003ul}) {
    EXPECT_EQ(0, set->FieldWidth(bad, FALSE));
    EXPECT_EQ(0, set->FieldOption(bad, 10));
    EXPECT_EQ(0, set->FieldType(bad));
    EXPECT_EQ(0, set->GetFooter(bad, nullptr, 0));
  }
  EXPECT_EQ(1, set->FieldOption(0x10002, 10) + 1);  // only the low 16 bits count
  ASSERT_TRUE(set.Get(1));
  EXPECT_EQ("31.12.1999", set.FieldText(2));
  EXPECT_EQ(2, set->FieldIndex("W.D"));
  EXPECT_EQ(1, set->FieldIndex("'C'"));
  EXPECT_EQ(1, set->FieldIndex("c, D"));
  char name[4] = "xyz";
  EXPECT_EQ(0, set->FieldName(1, name, 0));
  EXPECT_STREQ("xyz", name);  // size 0: nothing written
  char one[1] = {'x'};
  EXPECT_EQ(0, set->GetFieldText(1, one, 1));
  EXPECT_EQ(0, one[0]);
  // Footers by the export: texts unescaped, numbers as text.
  VARIABLE footer;
  footer = "a\\nb";
  EXPECT_EQ(1u, praxel("PRAXEL_Footer", {set.handle(), Text("C"), Word(&footer)}));
  EXPECT_EQ((2 << 16) | 3, set->GetFooter(1, nullptr, 0));
  char text[8];
  EXPECT_EQ(3, set->GetFooter(1, text, sizeof text));
  EXPECT_STREQ("a\nb", text);
  footer.SetLong(1234);
  EXPECT_EQ(1u, praxel("PRAXEL_Footer", {set.handle(), Text("D"), Word(&footer)}));
  EXPECT_EQ(kNumberText + 2, set->GetFooter(2, text, 2));
  CloseBase(base);
}

TEST(Records, UnknownHandlesAndBasesAreRefused) {
  uint32_t base = Open("KTEST");
  gui::BoxWatcher watcher;
  EXPECT_EQ(0u, praxel("PRAXEL_New", {0x1234, Text("X"), 1}));
  EXPECT_EQ(0u, praxel("PRAXEL_New", {base, 0, 1}));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ("неверный параметр", boxes[0].text);
  for (uint32_t bad : {0u, 0x1234u}) {
    EXPECT_EQ(0u, praxel("PRAXEL_RecCnt", {bad}));
    EXPECT_EQ(0u, praxel("PRAXEL_RecGet", {bad, 1}));
    EXPECT_EQ(0u, praxel("PRAXEL_Open", {bad, Text("SELECT 1"), Text("STATIC")}));
    EXPECT_EQ(0u, praxel("PRAXEL_Refresh", {bad, 0}));
    EXPECT_EQ(0u, praxel("PRAXEL_Close", {bad}));
    EXPECT_EQ("NULL", Set::Record(praxel("PRAXEL_Field", {bad, Text("1")})));
  }
  // Null texts are empty ones; a result too wide for 16-bit row offsets is
  // refused, never overrun.
  {
    Set set(base, "X", 1);
    EXPECT_EQ(0u, praxel("PRAXEL_Open", {set.handle(), 0, 0}));
    std::string wide = "SELECT ";
    for (int i = 1; i <= 1000; ++i)
      wide += (i > 1 ? ", '" : "'") + std::string(70, 'w') + "' AS C" + std::to_string(i);
    bool opened = set.Open(wide.c_str());
    EXPECT_EQ(opened ? 1000 : 0, set->FieldCount());
  }
  // Closing the Base drops the statements of its record sets.
  OdbcSession session("KTEST");
  MakeN25(session);
  Set set(base, "N25", 5);
  ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25"));
  CloseBase(base);
  EXPECT_EQ(0, set->FieldCount());
  EXPECT_FALSE(set.Get(1));
}

TEST(Records, EveryInterfaceSlotIsReachedByAConsumer) {
  OdbcSession session("KTEST");
  MakeN25(session);
  uint32_t base = Open("KTEST");
  Set set(base, "N25", 5);
  ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25 ORDER BY ID"));
  HMODULE consumer = LoadLibraryA("praxel_slot_caller.dll");
  ASSERT_NE(nullptr, consumer);
  auto call = reinterpret_cast<void(WINAPI*)(RecordSetObject*, char*, int)>(
      reinterpret_cast<void*>(GetProcAddress(consumer, "CallSlots")));
  ASSERT_NE(nullptr, call);
  char report[512] = "";
  gui::BoxWatcher watcher({IDCANCEL});  // Transaction of an unknown word: message 94
  call(set.operator->(), report, sizeof report);
  EXPECT_EQ(1u, watcher.Boxes().size());
  // name|text|by name|sort|slot 0..27 in hex
  EXPECT_STREQ(
      "NAME|R03|R01|ID|1,1,19,1,1,1,1,1,0,0,0,2,4,2,fffffff6,0,0,4e,1,0,0,1,3,3,0,0,0,64",
      report);
  FreeLibrary(consumer);
  CloseBase(base);
}

}  // namespace

namespace {

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(Records, QueryDialogShowsAndCopiesTheQueryAndColumns) {
  OdbcSession session("KTEST");
  MakeN25(session);
  uint32_t base = Open("KTEST");
  Set set(base, "N25", 10);
  ASSERT_TRUE(set.Open("SELECT  ID,   NAME FROM N25 WHERE NAME <> 'a  b' ORDER BY ID"));
  std::string caption, count, query, columns, copiedQuery;
  std::thread driver([&] {
    HWND dialog = nullptr;
    gui::WaitFor([&] {
      dialog = FindWindowA("#32770", "N25");
      return dialog && IsWindowVisible(dialog);
    }, 10000);
    if (!dialog) return;
    caption = gui::WindowText(dialog);
    count = gui::WindowText(GetDlgItem(dialog, 1003));
    query = gui::WindowText(GetDlgItem(dialog, 1000));
    gui::Send(dialog, WM_COMMAND, 1005, 0);
    columns = ClipboardText();
    gui::Send(dialog, WM_COMMAND, 1004, 0);
    copiedQuery = ClipboardText();
    gui::Send(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(1u, praxel("PRAXEL_ShowQuery", {set.handle(), 0}));
  driver.join();
  EXPECT_EQ("N25", caption);
  EXPECT_EQ("25", count);
  // Blanks squeezed outside the literal only.
  EXPECT_EQ("SELECT ID, NAME FROM N25 WHERE NAME <> 'a  b' ORDER BY ID", query);
  EXPECT_EQ(query, copiedQuery);
  EXPECT_EQ("ID\tINTEGER\tCHAR\tN\t8,0 (11)\r\nNAME\tVARCHAR\tCHAR\tC\t10,0 (11)\r\n", columns);
  CloseBase(base);
}

}  // namespace

namespace {

// The SQLExtendedFetch calls that the driver manager traced after a point:
// "type:row" each (5 is SQL_FETCH_ABSOLUTE).
class FetchTrace {
 public:
  FetchTrace() {
    const char* path = std::getenv("KORVEX_ODBC_TRACE");
    path_ = path ? path : "";
    Mark();
  }
  bool active() const { return !path_.empty(); }
  void Mark() { start_ = ReadFileText(path_).size(); }
  std::vector<std::string> Fetches() const {
    std::string log = ReadFileText(path_).substr(start_);
    std::vector<std::string> fetches;
    for (size_t at = log.find("[SQLExtendedFetch.c]"); at != std::string::npos;
         at = log.find("[SQLExtendedFetch.c]", at + 1)) {
      size_t type = log.find("Fetch Type = ", at), row = log.find("Row = ", at);
      size_t exit = log.find("Exit:", at);
      if (type == std::string::npos || row == std::string::npos || type > exit) continue;
      fetches.push_back(std::to_string(std::atoi(log.c_str() + type + 13)) + ":" +
                        std::to_string(std::atoi(log.c_str() + row + 6)));
    }
    return fetches;
  }

 private:
  std::string path_;
  size_t start_ = 0;
};

using Fetches = std::vector<std::string>;

TEST(PageTrace, MovesWithinThePageFetchNothingAndMissesRecentre) {
  FetchTrace trace;
  if (!trace.active()) GTEST_SKIP() << "run as the test praxel_page_trace";
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    MakeN25(session, "N25T");
    uint32_t base = Open(dsn);
    {
      Set set(base, "N25", 10);
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25T ORDER BY ID"));
      trace.Mark();
      for (int n = 1; n <= 10; ++n) ASSERT_TRUE(set.Get(n));
      EXPECT_EQ(Fetches{}, trace.Fetches()) << dsn;
      ASSERT_TRUE(set.Get(11));
      // The page is rows 6-15: a static cursor's rows 6-10 are the old
      // page's, and only 11-15 are fetched.
      EXPECT_EQ(Fetches{"5:11"}, trace.Fetches()) << dsn;
      for (int n = 6; n <= 15; ++n) {
        ASSERT_TRUE(set.Get(n));
        EXPECT_EQ((n < 10 ? "R0" : "R") + std::to_string(n), set.FieldText(2)) << dsn;
      }
      EXPECT_EQ(Fetches{"5:11"}, trace.Fetches()) << dsn;
    }
    {
      Set set(base, "N25", 0);  // pages of one row
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25T ORDER BY ID"));
      trace.Mark();
      ASSERT_TRUE(set.Get(1));
      ASSERT_TRUE(set.Get(2));
      EXPECT_EQ(Fetches{"5:2"}, trace.Fetches()) << dsn;
    }
    {
      Set set(base, "N25", 100);  // at most 60 rows
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25T ORDER BY ID"));
      trace.Mark();
      for (int n = 1; n <= 25; ++n) ASSERT_TRUE(set.Get(n));
      EXPECT_EQ(Fetches{}, trace.Fetches()) << dsn;
    }
    {
      Set set(base, "N25", 10);  // a keyset's rows may change: fetched again
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25T ORDER BY ID", "KEYSET"));
      trace.Mark();
      ASSERT_TRUE(set.Get(11));
      EXPECT_EQ(Fetches{"5:6"}, trace.Fetches()) << dsn;
      EXPECT_EQ("R11", set.FieldText(2)) << dsn;
    }
    {
      Set set(base, "N25", 10);
      ASSERT_TRUE(set.Open("SELECT ID, NAME FROM N25T ORDER BY ID"));
      ASSERT_TRUE(set.Get(11));
      trace.Mark();
      // A positioned delete counts from the driver's rowset: the page is
      // fetched whole first, so record 7, not 12, goes.
      EXPECT_NE(0u, praxel("PRAXEL_Remove", {set.handle(), 7})) << dsn;
      EXPECT_EQ(Fetches{"5:6"}, trace.Fetches()) << dsn;
      EXPECT_EQ((std::vector<std::string>{"R06", "R08", "R11", "R12"}),
                session.Column("SELECT NAME FROM N25T WHERE ID IN (6, 7, 8, 11, 12) ORDER BY ID"))
          << dsn;
    }
    CloseBase(base);
  }
}

}  // namespace
