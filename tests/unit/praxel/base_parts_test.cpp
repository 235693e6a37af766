// The connection parts inside the test program: capability flags on both
// drivers and through the cursor library, the ODBC diagnostics of a record
// set (log lines, Retry/Cancel boxes, braced server texts), the collation
// tables and the log line format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base_list.h"
#include "collation.h"
#include "gui_driver.h"
#include "message_block.h"
#include "odbc_report.h"
#include "odbc_session.h"
#include "open_base.h"
#include "user_log.h"

namespace {

// A Base opened for one test and closed after it (joined opens included).
class OpenedBase {
 public:
  OpenedBase(const char* connect, long options) : handle_(OpenBase(nullptr, connect, options)) {}
  ~OpenedBase() {
    while (handle_ && CloseBase(handle_) != 0) {}
  }
  HDBC handle() const { return handle_; }
  Base* base() const { return FindBase(handle_); }

 private:
  HDBC handle_;
};

// A statement of the Base whose failure the diagnostics report.
class Statement {
 public:
  explicit Statement(HDBC connection) { SQLAllocStmt(connection, &handle_); }
  ~Statement() { SQLFreeStmt(handle_, SQL_DROP); }
  HSTMT handle() const { return handle_; }
  RETCODE Prepare(const char* sql) { return SQLPrepare(handle_, (UCHAR*)sql, SQL_NTS); }

 private:
  HSTMT handle_ = SQL_NULL_HSTMT;
};

TEST(BaseParts, CapabilityFlagsOnBothDriversAndTheCursorLibrary) {
  // SQLite's driver is known by its name for a SQLSetPos that writes
  // every column (0x0400).
  for (const char* connect : {"DSN=KTEST;", "DSN=KPGTEST;"}) {
    OpenedBase quiet(connect, kOpenQuiet);
    ASSERT_NE(nullptr, quiet.handle()) << connect;
    EXPECT_EQ(std::string(connect) == "DSN=KTEST;" ? 0x17C0 : 0x13C0, BaseFlags(quiet.handle())) << connect;
  }
  {
    OpenedBase cursors("DSN=KTEST;", kOpenQuiet | kOpenCursorLibrary);
    EXPECT_EQ(0x1434, BaseFlags(cursors.handle()));
  }
  {
    OpenedBase cursors("DSN=KPGTEST;", kOpenQuiet | kOpenCursorLibrary);
    EXPECT_EQ(0x1034, BaseFlags(cursors.handle()));
    EXPECT_STREQ("KPGTEST", cursors.base()->name);
    EXPECT_STREQ("korvex", cursors.base()->user);
  }
  EXPECT_EQ(-1, BaseFlags(reinterpret_cast<HDBC>(0x1234)));
  EXPECT_EQ(nullptr, FindBaseByName(""));
}

TEST(BaseParts, ConnectTextKeepsOnlyTheThreeKeysAndFieldsAreCut) {
  EXPECT_EQ("DSN=KTEST;UID=x;PWD=y;", InputConnectString("PWD=y; DRIVER=z; UID=x ;DSN=KTEST"));
  EXPECT_EQ("", InputConnectString(nullptr));
  EXPECT_EQ("", InputConnectString("Database=/tmp/x.db"));
  char user[kBaseUserSize];
  CopyField(user, sizeof user, std::string(40, 'u').c_str());
  EXPECT_EQ(std::string(31, 'u'), user);
  CopyField(user, sizeof user, "name;PWD=secret");
  EXPECT_STREQ("name", user);
}

TEST(BaseParts, QuietDiagnosticsGoToTheLogOnly) {
  gui::BoxWatcher watcher;
  OpenedBase ktest("DSN=KTEST;", kOpenQuiet);
  std::string log = TempFile("praxel_diagnostics.txt");
  ASSERT_TRUE(WriteUserLog(ktest.handle(), ("LOGON=" + log).c_str()));
  RecordSetDiagnostics n25("N25", ktest.handle());
  Statement statement(ktest.handle());
  RETCODE rc = statement.Prepare("SELECT * FROM NOSUCH");
  EXPECT_EQ(0, n25.ReportOdbcError(statement.handle(), rc, "SQLPrepare"));
  std::string line = ReadFileText(log);
  const std::string tail = "\tОШИБКА\tN25:SQLPrepare\t[SQLite]no such table: NOSUCH (1)\r\n";
  ASSERT_GT(line.size(), tail.size());
  EXPECT_EQ(tail, line.substr(line.size() - tail.size()));
  // "Option value changed" is expected: neither shown nor logged.
  rc = SQLSetStmtOption(statement.handle(), SQL_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON);
  ASSERT_EQ(SQL_SUCCESS_WITH_INFO, rc);
  EXPECT_EQ(-1, n25.ReportOdbcError(statement.handle(), rc, "SQLSetStmtOption"));
  EXPECT_EQ(line, ReadFileText(log));
  EXPECT_TRUE(watcher.Boxes().empty());
}

TEST(BaseParts, FailuresShowRetryCancelBoxesAndBracedTexts) {
  for (HDBC open; (open = OpenBase(nullptr, "DSN=KTEST;", kOpenQuiet)) != nullptr;)
    if (CloseBase(open) == 0) break;  // no quiet Base to join
  OpenedBase ktest("DSN=KTEST;", 0);
  ASSERT_EQ(0, BaseFlags(ktest.handle()) & kBaseQuiet);
  RecordSetDiagnostics n25("N25", ktest.handle());
  Statement statement(ktest.handle());
  RETCODE rc = statement.Prepare("SELECT * FROM NOSUCH");
  {
    gui::BoxWatcher watcher({IDRETRY});
    EXPECT_EQ(1, n25.ReportOdbcError(statement.handle(), rc, "SQLPrepare"));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("N25:SQLPrepare - ОШИБКА", boxes[0].caption);
    EXPECT_EQ(" SQLite\nno such table: NOSUCH (1)", boxes[0].text);
    EXPECT_EQ((std::vector<int>{IDCANCEL, IDRETRY}), boxes[0].buttons);
  }
  rc = statement.Prepare("SELECT * FROM NOSUCH");
  {
    gui::BoxWatcher watcher({IDCANCEL});
    EXPECT_EQ(0, n25.ReportOdbcError(statement.handle(), rc, "SQLPrepare"));
    EXPECT_EQ(1u, watcher.Boxes().size());
  }
  OdbcSession session("KTEST");
  session.Try("DROP TABLE TRG");
  session.Run({"CREATE TABLE TRG (A INTEGER)",
               "CREATE TRIGGER TRG_ABORT BEFORE INSERT ON TRG "
               "BEGIN SELECT RAISE(ABORT, 'x {First|Second} y'); END"});
  {
    gui::BoxWatcher watcher({IDCANCEL});
    rc = SQLExecDirect(statement.handle(), (UCHAR*)"INSERT INTO TRG VALUES (1)", SQL_NTS);
    ASSERT_EQ(SQL_ERROR, rc);
    EXPECT_EQ(0, n25.ReportOdbcError(statement.handle(), rc, "SQLExecDirect"));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("ОШИБКА", boxes[0].caption);
    EXPECT_EQ("First\nSecond", boxes[0].text);
    EXPECT_EQ(std::vector<int>{IDOK}, boxes[0].buttons);
  }
  {
    // Codes without diagnostic records, and handles that name nothing,
    // give their result silently.
    gui::BoxWatcher watcher;
    Statement fresh(ktest.handle());
    EXPECT_EQ(0, n25.ReportOdbcError(fresh.handle(), SQL_ERROR, "Nothing"));
    EXPECT_EQ(0, n25.ReportOdbcError(fresh.handle(), kReportNoMemory, "Allocate"));
    RecordSetDiagnostics orphan("X", nullptr);
    EXPECT_EQ(0, orphan.ReportOdbcError(nullptr, SQL_INVALID_HANDLE, "Bad"));
    EXPECT_EQ(1, orphan.ReportOdbcError(nullptr, SQL_NO_DATA_FOUND, "End"));
    EXPECT_EQ(1, orphan.ReportOdbcError(nullptr, SQL_NEED_DATA, "Data"));
    EXPECT_TRUE(watcher.Boxes().empty());
  }
  {
    gui::BoxWatcher watcher({IDCANCEL});
    n25.ReportFieldError("XX", "FldGet");
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("N25:FldGet - ОШИБКА", boxes[0].caption);
    EXPECT_EQ("поле XX не найдено", boxes[0].text);
  }
}

TEST(BaseParts, CollationTablesCompareByWeights) {
  OpenedBase a("DSN=KTEST;", kOpenQuiet);
  OpenedBase b("DSN=KPGTEST;", kOpenQuiet);
  ASSERT_TRUE(SelectDictionary(a.handle(), "W1251"));
  ASSERT_TRUE(SelectDictionary(b.handle(), "W1251"));
  const Base* w = a.base();
  EXPECT_EQ(0, CompareByDictionary(w, "abc", "ABC"));
  EXPECT_EQ(0, CompareByDictionary(w, "\xB8", "\xA8"));
  EXPECT_EQ(-1, CompareByDictionary(w, "\xB8", "\xC0"));
  EXPECT_EQ(0, CompareByDictionary(w, "\xFF", "\xDF"));
  EXPECT_EQ(1, CompareByDictionary(w, "\xFF", "\xDE"));
  EXPECT_EQ(-1, CompareByDictionary(w, "ab", "abc"));
  EXPECT_EQ(1, CompareByDictionary(w, "-", " "));
  EXPECT_EQ(0, CompareByDictionaryN(w, "ab\0x", "AB\0y", 3));
  EXPECT_EQ(-1, CompareByDictionaryN(w, "ab\0x", "AB\0y", 4));

  // Each Base compares by its own table.
  EXPECT_TRUE(SelectDictionary(b.handle(), "mssql"));
  const Base* m = b.base();
  EXPECT_EQ(-1, CompareByDictionary(m, "-", " "));
  EXPECT_EQ(-1, CompareByDictionary(m, " ", "!"));
  EXPECT_EQ(1, CompareByDictionary(m, "0", "~"));
  EXPECT_EQ(1, CompareByDictionary(m, "\xB9", "n"));   // numero sign after N
  EXPECT_EQ(-1, CompareByDictionary(m, "\xB9", "O"));
  EXPECT_EQ(1, CompareByDictionary(m, "\xE0", "z"));   // Cyrillic after Latin
  EXPECT_EQ(1, CompareByDictionary(m, "\xB8", "\xE5"));  // io between ie
  EXPECT_EQ(-1, CompareByDictionary(m, "\xB8", "\xBA"));  // and ukrainian ie
  EXPECT_EQ(1, CompareByDictionary(w, "-", " "));
  EXPECT_FALSE(SelectDictionary(b.handle(), "NOPE"));
  EXPECT_EQ(-1, CompareByDictionary(m, "-", " "));  // MSSQL kept
  EXPECT_TRUE(SelectDictionary(b.handle(), nullptr));
  EXPECT_EQ(nullptr, b.base()->dictionary);
  EXPECT_FALSE(SelectDictionary(reinterpret_cast<HDBC>(0x1234), "W1251"));
}

TEST(BaseParts, LogLinesAndMessageBlocks) {
  SYSTEMTIME t = {};
  t.wYear = 2001, t.wMonth = 3, t.wDay = 5, t.wHour = 9, t.wMinute = 7, t.wSecond = 3;
  EXPECT_EQ("2001.3.5\t9:7:3\thello\r\n", FormatLogLine(t, "hello"));

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2);
  *static_cast<uint16_t*>(GlobalLock(block)) = 2;
  GlobalUnlock(block);
  EXPECT_TRUE(AppendMessageText(&block, "one"));
  EXPECT_EQ(514u, GlobalSize(block));
  std::string big(600, 'b');
  EXPECT_TRUE(AppendMessageText(&block, big.c_str()));
  EXPECT_EQ(2u + 5u + 603u, GlobalSize(block));
  const char* p = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(2 + 5 + 602, *reinterpret_cast<const uint16_t*>(p));
  EXPECT_EQ("one\r\n" + big + "\r\n", std::string(p + 2));
  GlobalUnlock(block);
  // The 16-bit count is never overrun.
  std::string huge(65600, 'h');
  EXPECT_FALSE(AppendMessageText(&block, huge.c_str()));
  EXPECT_FALSE(AppendMessageText(&block, nullptr));
  GlobalFree(block);
  HGLOBAL none = nullptr;
  EXPECT_FALSE(AppendMessageText(&none, "x"));
}

}  // namespace

#include "money_text.h"
#include "query_text.h"

namespace {

std::string Rounded(const char* text) {
  char buffer[32];
  std::strcpy(buffer, text);
  size_t length = RoundMoneyText(buffer, sizeof buffer);
  EXPECT_EQ(std::strlen(buffer), length) << text;
  return buffer;
}

TEST(TextParts, MoneyTextsRoundAtTheThirdDecimalAndPad) {
  EXPECT_EQ("12.35", Rounded("12.3450"));
  EXPECT_EQ("10.00", Rounded("9.9960"));
  EXPECT_EQ("5.00", Rounded("5.0049"));
  EXPECT_EQ("-10.00", Rounded("-9.9960"));
  EXPECT_EQ("100.00", Rounded("99.995"));
  EXPECT_EQ("12.35", Rounded("12.35"));
  EXPECT_EQ("12.30", Rounded("12.3"));
  EXPECT_EQ("7.00", Rounded("7"));
  char tight[4] = "7";
  EXPECT_EQ(1u, RoundMoneyText(tight, sizeof tight));  // no room: unchanged
}

TEST(TextParts, QueriesSqueezeOutsideLiterals) {
  char query[] = "  SELECT  A ,  B FROM T WHERE ( A = 'x  y' )  AND B <> \"p  q\"  ";
  size_t length = SqueezeQuery(query);
  EXPECT_EQ(std::strlen(query), length);
  EXPECT_STREQ("SELECT A, B FROM T WHERE (A= 'x  y') AND B <> \"p  q\"", query);
  std::string big = "SELECT '" + std::string(70000, ' ') + "'   FROM T";
  EXPECT_EQ(big.size() - 2, SqueezeQuery(&big[0]));
  EXPECT_STREQ(("SELECT '" + std::string(70000, ' ') + "' FROM T").c_str(), big.c_str());
  EXPECT_EQ(nullptr, FindLastOf("abc", "ORDER BY "));
  const char* text = "ORDER BY A ORDER BY B";
  EXPECT_EQ(text + 11, FindLastOf(text, "ORDER BY "));
}

}  // namespace
