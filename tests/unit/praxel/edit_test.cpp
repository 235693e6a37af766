// Editing through the exports: SQLSetPos on SQLite and PostgreSQL, the
// generated INSERT and the refused positioned statements through the
// cursor library, long data, transactions, and values of every type.
#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "library_call.h"
#include "odbc_session.h"
#include "record_set_object.h"
#include "variable.h"

namespace {

const LibraryCall praxel("PRAXEL");
uint32_t Text(const char* text) { return Word(text); }
uint32_t W(long n) { return static_cast<uint32_t>(n); }

uint32_t OpenBase(const char* dsn, long options) {
  std::string connect = std::string("DSN=") + dsn + ";";
  return praxel("PRAXEL_BaseOpen", {0, Text(connect.c_str()), W(options)});
}
void CloseBase(uint32_t base) {
  while (base && praxel("PRAXEL_BaseClose", {base}) != 0) {}
}

VARIABLE Long(int32_t n) { VARIABLE v; v.SetLong(n); return v; }
VARIABLE Real(double x) { VARIABLE v; v.SetReal(x); return v; }
VARIABLE Str(const char* t) { VARIABLE v; v = t; return v; }
VARIABLE Time(int32_t date, int32_t seconds) {
  VARIABLE v;
  v.TYPE(VAL_TIME);
  v.time.date = date;
  v.time.seconds = seconds;
  return v;
}

class Edited {
 public:
  Edited(uint32_t base, const char* name, uint32_t cash)
      : h_(praxel("PRAXEL_New", {base, Text(name), cash})) {}
  ~Edited() { praxel("PRAXEL_Close", {h_}); }
  RecordSetObject* operator->() const { return reinterpret_cast<RecordSetObject*>(h_); }
  uint32_t h() const { return h_; }
  bool Open(const char* query) { return praxel("PRAXEL_Open", {h_, Text(query), Text("STATIC")}) != 0; }
  long Count() { return W(praxel("PRAXEL_RecCnt", {h_})); }
  long Refresh() { return static_cast<long>(praxel("PRAXEL_Refresh", {h_, 0})); }
  bool Get(long n) { return praxel("PRAXEL_RecGet", {h_, W(n)}) != 0; }
  bool Edit(long n) { return praxel("PRAXEL_Edit", {h_, W(n)}) != 0; }
  bool Update(long n) { return praxel("PRAXEL_Update", {h_, W(n)}) != 0; }
  bool Remove(long n) { return praxel("PRAXEL_Remove", {h_, W(n)}) != 0; }
  bool Transaction(const char* action) { return praxel("PRAXEL_Transaction", {h_, Text(action)}) != 0; }
  bool Put(const char* name, const VARIABLE& v) { return praxel("PRAXEL_FldPut", {h_, Text(name), Word(&v)}) != 0; }
  std::string Value(const char* name) { return Describe(praxel("PRAXEL_FldGet", {h_, Text(name)})); }
  static std::string Describe(uint32_t word) {
    const VARIABLE& v = *reinterpret_cast<const VARIABLE*>(word);
    char text[kValueTextSize] = "";
    std::string out = VARIABLE::TypeName(v.type);
    if (v.type == VAL_TIME) {
      out += std::string(" ") + v.GetText(text, sizeof text, 0);
    } else if (v.type != VAL_NULL && v.type != VAL_IMAGE) {
      out += std::string(" ") + v.GetText(text, sizeof text, 0);
    }
    praxel("RELEASE", {word});
    return out;
  }
  long FldBuf(const char* name, FieldRequest* request) {
    return static_cast<long>(praxel("PRAXEL_FldBuf", {h_, Text(name), Word(request)}));
  }

 private:
  uint32_t h_;
};

void MakeE(OdbcSession& s) {
  s.Try("DROP TABLE E");
  s.Run({"CREATE TABLE E (CODE VARCHAR(5) PRIMARY KEY, QTY INTEGER, D DATE)",
         "INSERT INTO E VALUES ('A', 1, '2001-01-01')", "INSERT INTO E VALUES ('B', 2, '2001-01-02')",
         "INSERT INTO E VALUES ('C', 3, '2001-01-03')"});
}

const char kQueryE[] = "SELECT CODE, QTY, D FROM E ORDER BY CODE";

TEST(Edit, SetPosUpdatesDeletesAndAppendsOnSqlite) {
  OdbcSession session("KTEST");
  MakeE(session);
  uint32_t base = OpenBase("KTEST", 2);
  Edited set(base, "E", 1);
  ASSERT_TRUE(set.Open(kQueryE));
  ASSERT_TRUE(set.Edit(2));
  EXPECT_TRUE(set.Put("QTY", Long(20)));
  EXPECT_TRUE(set.Put("D", Long(19991231)));
  EXPECT_TRUE(set.Update(2));
  EXPECT_EQ(3, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ("LONG 20", set.Value("QTY"));
  EXPECT_EQ("LONG 19991231", set.Value("D"));
  ASSERT_TRUE(set.Edit(2));
  EXPECT_TRUE(set.Update(2));  // nothing changed: nothing sent
  EXPECT_FALSE(set.Update(3));  // not the record in the page
  EXPECT_TRUE(set.Remove(3));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Edit(0));
  EXPECT_TRUE(set.Put("CODE", Str("D")));
  EXPECT_TRUE(set.Put("QTY", Long(4)));
  EXPECT_TRUE(set.Put("D", Long(20020202)));
  EXPECT_TRUE(set.Update(0));
  EXPECT_EQ(3, set.Count());
  EXPECT_EQ(3, set.Refresh());
  ASSERT_TRUE(set.Get(3));
  EXPECT_EQ("STRING D", set.Value("CODE"));
  EXPECT_EQ((std::vector<std::string>{"A|1", "B|20", "D|4"}),
            session.Column("SELECT CODE || '|' || QTY FROM E ORDER BY CODE"));
  CloseBase(base);
}

TEST(Edit, TransactionsCommitRollBackAndRefuseOtherWords) {
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    MakeE(session);
    uint32_t base = OpenBase(dsn, 2);
    Edited set(base, "E", 1);
    ASSERT_TRUE(set.Open(kQueryE));
    for (const char* end : {"ROLLBACK", "commit"}) {
      EXPECT_TRUE(set.Transaction("begin")) << dsn;
      // SQLite's driver begins the transaction with the next statement it
      // executes (a SQLSetPos write is none): the refresh is one.
      if (dsn == kDataSources[0]) {
        EXPECT_EQ(3, set.Refresh());
      }
      ASSERT_TRUE(set.Edit(2));
      EXPECT_TRUE(set.Put("QTY", Long(99)));
      EXPECT_TRUE(set.Update(2)) << dsn;
      EXPECT_TRUE(set.Transaction(end)) << dsn;
      EXPECT_EQ(3, set.Refresh());
      ASSERT_TRUE(set.Get(2));
      EXPECT_EQ(end[0] == 'R' ? "LONG 2" : "LONG 99", set.Value("QTY")) << dsn << " " << end;
    }
    CloseBase(base);
  }
  uint32_t base = OpenBase("KTEST", 0);
  Edited set(base, "E", 1);
  gui::BoxWatcher watcher({IDCANCEL});
  EXPECT_FALSE(set.Transaction("END"));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("E:Transaction - ВНИМАНИЕ", boxes[0].caption);
  EXPECT_EQ("неверное имя функции", boxes[0].text);
  CloseBase(base);
}

TEST(Edit, LongDataAndIgnoredColumnsOnPostgresql) {
  OdbcSession session("KPGTEST");
  session.Try("DROP TABLE L");
  session.Run({"CREATE TABLE L (CODE VARCHAR(5) PRIMARY KEY, QTY INTEGER, NOTE VARCHAR(10), MEMO TEXT)",
               "INSERT INTO L VALUES ('A', 1, NULL, 'first memo')"});
  uint32_t base = OpenBase("KPGTEST", 0);
  Edited set(base, "L", 10);
  gui::BoxWatcher watcher({IDCANCEL});
  // (A last rowset that starts before the first row, 01S06, shows nothing.)
  ASSERT_TRUE(set.Open("SELECT CODE, QTY, NOTE, MEMO FROM L"));
  ASSERT_TRUE(set.Get(1));
  FieldRequest size = {'S', 0, 0, nullptr};
  EXPECT_EQ(1, set.FldBuf("MEMO", &size));
  EXPECT_EQ(10u, size.size);
  ASSERT_TRUE(set.Edit(1));
  EXPECT_TRUE(set.Put("QTY", Long(5)));
  char memo[] = "new memo";
  FieldRequest write = {'W', 'M', 8, memo};
  EXPECT_EQ(1, set.FldBuf("MEMO", &write));
  EXPECT_TRUE(set.Update(1));
  EXPECT_EQ(1, set.Refresh());
  ASSERT_TRUE(set.Get(1));
  EXPECT_EQ("LONG 5", set.Value("QTY"));
  EXPECT_EQ("STRING ", set.Value("NOTE"));  // still NULL
  char note[8] = "x";
  EXPECT_EQ(0, set->GetFieldText(3, note, sizeof note));
  FieldRequest read = {'R', 'M', 0, nullptr};
  EXPECT_EQ(1, set.FldBuf("MEMO", &read));
  ASSERT_NE(nullptr, read.data);
  EXPECT_EQ(9u, read.size);
  EXPECT_STREQ("new memo", static_cast<char*>(read.data));
  free(read.data);
  EXPECT_EQ("STRING new memo", set.Value("MEMO"));
  EXPECT_EQ((std::vector<std::string>{"<NULL>"}), session.Column("SELECT NOTE FROM L"));
  // A long-data write on a type other than M and I is refused.
  FieldRequest bad = {'W', 'C', 3, memo};
  EXPECT_EQ(0, set.FldBuf("MEMO", &bad));
  for (auto& box : watcher.Boxes()) ADD_FAILURE() << box.caption << ": " << box.text;
  CloseBase(base);
}

// Texts in code page 1251 both ways on PostgreSQL: a row the server got as
// Unicode escapes is read as 1251, and a 1251 text written through the set
// is stored as the same letters (read back by the server as UTF-8 bytes).
TEST(Edit, RussianTextsBothWaysOnPostgresql) {
  OdbcSession session("KPGTEST");
  session.Try("DROP TABLE RU");
  session.Run({"CREATE TABLE RU (CODE VARCHAR(5) PRIMARY KEY, NAME VARCHAR(20))",
               "INSERT INTO RU VALUES ('A', U&'\\0418\\0432\\0430\\043D')"});
  uint32_t base = OpenBase("KPGTEST", 0);
  Edited set(base, "RU", 10);
  gui::BoxWatcher watcher({IDCANCEL});
  ASSERT_TRUE(set.Open("SELECT CODE, NAME FROM RU ORDER BY CODE"));
  ASSERT_TRUE(set.Get(1));
  EXPECT_EQ("STRING Иван", set.Value("NAME"));
  ASSERT_TRUE(set.Edit(0));
  EXPECT_TRUE(set.Put("CODE", Str("Б")));
  EXPECT_TRUE(set.Put("NAME", Str("Пётр Ёлкин")));
  EXPECT_TRUE(set.Update(0));
  EXPECT_EQ((std::vector<std::string>{"d09fd191d182d18020d081d0bbd0bad0b8d0bd"}),
            session.Column("SELECT encode(convert_to(NAME, 'UTF8'), 'hex') FROM RU "
                           "WHERE CODE = U&'\\0411'"));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ("STRING Пётр Ёлкин", set.Value("NAME"));
  for (auto& box : watcher.Boxes()) ADD_FAILURE() << box.caption << ": " << box.text;
  CloseBase(base);
}

TEST(Edit, FailedCommitIsReportedAndRolledBack) {
  OdbcSession session("KPGTEST");
  session.Try("DROP TABLE TQ");
  session.Run({"CREATE TABLE TQ (ID INTEGER PRIMARY KEY, K INTEGER, UNIQUE (K) DEFERRABLE INITIALLY DEFERRED)",
               "INSERT INTO TQ VALUES (1, 1)", "INSERT INTO TQ VALUES (2, 2)"});
  uint32_t base = OpenBase("KPGTEST", 0);
  Edited set(base, "TQ", 1);
  ASSERT_TRUE(set.Open("SELECT ID, K FROM TQ ORDER BY ID"));
  EXPECT_TRUE(set.Transaction("begin"));
  ASSERT_TRUE(set.Edit(2));
  EXPECT_TRUE(set.Put("K", Long(1)));
  EXPECT_TRUE(set.Update(2));
  {
    gui::BoxWatcher watcher({IDRETRY});
    EXPECT_FALSE(set.Transaction("commit"));  // Retry does not make it succeed
    auto boxes = watcher.Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("TQ:SQLTransaction - ОШИБКА", boxes[0].caption);
    EXPECT_EQ(0u, boxes[0].text.find("ERROR: duplicate key value")) << boxes[0].text;
  }
  EXPECT_TRUE(set.Transaction("rollback"));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ("LONG 2", set.Value("K"));
  CloseBase(base);
}

TEST(Edit, CursorLibraryInsertsByStatementAndRefusesPositionedWrites) {
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    MakeE(session);
    uint32_t base = OpenBase(dsn, 3);
    ASSERT_NE(0u, base) << dsn;
    std::string log = TempFile("praxel_cursor_log.txt");
    praxel("PRAXEL_BaseLog", {base, Text(("LOGON=" + log).c_str())});
    Edited set(base, "E", 1);
    ASSERT_TRUE(set.Open(kQueryE)) << dsn;
    ASSERT_TRUE(set.Edit(0));
    EXPECT_TRUE(set.Put("CODE", Str("F")));
    EXPECT_TRUE(set.Put("QTY", Long(6)));
    EXPECT_TRUE(set.Update(0)) << dsn;
    EXPECT_EQ(4, set.Count()) << dsn;  // before any refresh
    EXPECT_EQ((std::vector<std::string>{"6"}), session.Column("SELECT QTY FROM E WHERE CODE = 'F'"));
    ASSERT_TRUE(set.Edit(1));
    EXPECT_TRUE(set.Put("QTY", Long(7)));
    EXPECT_FALSE(set.Update(1)) << dsn;
    EXPECT_NE(std::string::npos, ReadFileText(log).find("E:SQLUpdate")) << dsn << ReadFileText(log);
    ASSERT_TRUE(set.Get(1));
    EXPECT_EQ("LONG 1", set.Value("QTY")) << dsn;
    EXPECT_EQ((std::vector<std::string>{"1"}), session.Column("SELECT QTY FROM E WHERE CODE = 'A'"));
    EXPECT_FALSE(set.Remove(1)) << dsn;
    CloseBase(base);
  }
}

TEST(Edit, ValuesOfEveryTypeRoundTrip) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE V");
  session.Run({"CREATE TABLE V (ID INTEGER PRIMARY KEY, TS TIMESTAMP, R REAL, B BIT)",
               "INSERT INTO V VALUES (0, '2000-01-01 10:00:00', 0, 0)"});
  uint32_t base = OpenBase("KTEST", 2);
  Edited set(base, "V", 1);
  ASSERT_TRUE(set.Open("SELECT ID, TS, R, B FROM V ORDER BY ID"));
  ASSERT_TRUE(set.Edit(0));
  EXPECT_TRUE(set.Put("ID", Long(1)));
  EXPECT_TRUE(set.Put("TS", Long(19991231)));
  EXPECT_TRUE(set.Put("R", Real(2.5)));
  EXPECT_TRUE(set.Put("B", Long(7)));
  EXPECT_FALSE(set.Put("B", Str("1")));  // BIT takes no text: nothing changed
  EXPECT_TRUE(set.Update(0));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ("LONG 19991231", set.Value("TS"));
  EXPECT_EQ("REAL 2.500000", set.Value("R"));
  EXPECT_EQ("BOOL TRUE", set.Value("B"));
  EXPECT_EQ(1u, praxel("PRAXEL_FldOption", {set.h(), Text("TS"), Text("TYPE=T")}));
  EXPECT_EQ("TIME 1999.12.31 00:00:00", set.Value("TS"));
  ASSERT_TRUE(set.Edit(2));
  EXPECT_TRUE(set.Put("TS", Long(0)));
  EXPECT_TRUE(set.Update(2));
  EXPECT_EQ((std::vector<std::string>{"<NULL>"}), session.Column("SELECT TS FROM V WHERE ID = 1"));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ(1u, praxel("PRAXEL_FldOption", {set.h(), Text("TS"), Text("TYPE=D")}));
  EXPECT_EQ("LONG 0", set.Value("TS"));
  // Invalid dates are refused, nothing marked; numbers outside the columns
  // touch nothing.
  EXPECT_FALSE(set->PutFieldText(2, "32.13.1999", 10));
  EXPECT_EQ("NULL", Edited::Describe(praxel("PRAXEL_ParGet", {set.h(), 9})));
  VARIABLE one = Long(1);
  EXPECT_EQ(0u, praxel("PRAXEL_ParPut", {set.h(), 9, Word(&one)}));
  EXPECT_EQ(0u, praxel("PRAXEL_ParPut", {set.h(), 0, Word(&one)}));
  gui::BoxWatcher watcher({IDCANCEL});
  EXPECT_EQ("STRING NOPE", set.Value("NOPE"));
  EXPECT_FALSE(set.Put("NOPE", one));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ("V:FldGet - ОШИБКА", boxes[0].caption);
  EXPECT_EQ("V:FldPut - ОШИБКА", boxes[1].caption);
  CloseBase(base);
}

}  // namespace

namespace {

TEST(Edit, SqliteReadsLongDataButTakesNoDataAtExecution) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE LM");
  session.Run({"CREATE TABLE LM (CODE VARCHAR(5) PRIMARY KEY, MEMO TEXT)",
               "INSERT INTO LM VALUES ('A', 'first memo')"});
  uint32_t base = OpenBase("KTEST", 2);
  Edited set(base, "LM", 1);
  ASSERT_TRUE(set.Open("SELECT CODE, MEMO FROM LM"));
  ASSERT_EQ('M', set->FieldType(2));
  ASSERT_TRUE(set.Get(1));
  EXPECT_EQ("STRING first memo", set.Value("MEMO"));
  // The driver never asks for the waiting data (it writes an empty text in
  // its place): the write answers FALSE and the waiting data is dropped.
  ASSERT_TRUE(set.Edit(1));
  char memo[] = "new memo";
  FieldRequest write = {'W', 'M', 8, memo};
  EXPECT_EQ(1, set.FldBuf("MEMO", &write));
  EXPECT_FALSE(set.Update(1));
  EXPECT_EQ((std::vector<std::string>{""}), session.Column("SELECT MEMO FROM LM"));
  FieldRequest size = {'S', 0, 0, nullptr};
  EXPECT_EQ(1, set.Refresh());
  ASSERT_TRUE(set.Get(1));
  EXPECT_EQ(1, set.FldBuf("MEMO", &size));
  EXPECT_EQ(0u, size.size);
  CloseBase(base);
}

}  // namespace

namespace {

// SQLite's SQLSetPos writes a time stamp to the minute, also one the edit
// left alone: appends and updates go by statements that keep the seconds.
TEST(Edit, TimeStampsKeepTheirSecondsOnSqlite) {
  OdbcSession session("KTEST");
  session.Try("DROP TABLE TT");
  session.Run({"CREATE TABLE TT (ID INTEGER PRIMARY KEY, TS TIMESTAMP, U TIMESTAMP)",
               "INSERT INTO TT VALUES (1, '2000-01-01 10:00:00', '2000-01-01 11:11:11')"});
  uint32_t base = OpenBase("KTEST", 2);
  Edited set(base, "TT", 1);
  ASSERT_TRUE(set.Open("SELECT ID, TS, U FROM TT ORDER BY ID"));
  ASSERT_TRUE(set.Edit(0));
  EXPECT_TRUE(set.Put("ID", Long(2)));
  EXPECT_TRUE(set.Put("TS", Time(20010203, 4 * 3600 + 5 * 60 + 6)));
  EXPECT_TRUE(set.Update(0));
  ASSERT_TRUE(set.Edit(1));
  VARIABLE ts = Time(20020304, 5 * 3600 + 6 * 60 + 7);
  EXPECT_EQ(1u, praxel("PRAXEL_ParPut", {set.h(), 2, Word(&ts)}));
  EXPECT_TRUE(set.Update(1));
  EXPECT_EQ((std::vector<std::string>{"1|2002-03-04 05:06:07.000|'2000-01-01 11:11:11'",
                                      "2|2001-02-03 04:05:06.000|NULL"}),
            session.Column("SELECT ID || '|' || TS || '|' || quote(U) FROM TT ORDER BY ID"));
  EXPECT_EQ(2, set.Refresh());
  ASSERT_TRUE(set.Get(2));
  EXPECT_EQ(1u, praxel("PRAXEL_FldOption", {set.h(), Text("TS"), Text("TYPE=T")}));
  EXPECT_EQ("TIME 2001.02.03 04:05:06", set.Value("TS"));
  CloseBase(base);
}

// Columns an append leaves unset get NULL or their DEFAULT on both drivers.
TEST(Edit, AppendLeavesUnsetColumnsNullOrDefault) {
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    session.Try("DROP TABLE NU");
    session.Run({"CREATE TABLE NU (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), QTY INTEGER, "
                 "K INTEGER DEFAULT 5)",
                 "INSERT INTO NU VALUES (1, 'A', 1, 1)"});
    uint32_t base = OpenBase(dsn, 2);
    Edited set(base, "NU", 1);
    ASSERT_TRUE(set.Open("SELECT ID, NAME, QTY, K FROM NU ORDER BY ID")) << dsn;
    ASSERT_TRUE(set.Edit(0));
    EXPECT_TRUE(set.Put("ID", Long(7)));
    EXPECT_TRUE(set.Update(0)) << dsn;
    EXPECT_EQ((std::vector<std::string>{"NULL|NULL|5"}),
              session.Column("SELECT COALESCE(NAME, 'NULL') || '|' || "
                             "COALESCE(CAST(QTY AS VARCHAR(10)), 'NULL') || '|' || K "
                             "FROM NU WHERE ID = 7"))
        << dsn;
    CloseBase(base);
  }
}

// A REAL goes into a number column rounded to its decimals and whole; one
// that does not fit is refused with message 126, into a column or a
// parameter alike.
TEST(Edit, RealsAreStoredRoundedAndWholeOrRefused) {
  OdbcSession session("KPGTEST");
  session.Try("DROP TABLE NR");
  session.Run({"CREATE TABLE NR (ID INTEGER PRIMARY KEY, A NUMERIC(10,2), B NUMERIC(14,4), C INTEGER)"});
  uint32_t base = OpenBase("KPGTEST", 0);
  {
    Edited set(base, "NR", 1);
    ASSERT_TRUE(set.Open("SELECT ID, A, B, C FROM NR ORDER BY ID"));
    ASSERT_TRUE(set.Edit(0));
    EXPECT_TRUE(set.Put("ID", Long(1)));
    EXPECT_TRUE(set.Put("A", Real(1234.567)));
    EXPECT_TRUE(set.Put("B", Real(3.14159)));
    EXPECT_TRUE(set.Put("C", Real(42.9)));
    gui::BoxWatcher watcher({IDOK});
    EXPECT_FALSE(set.Put("C", Real(1e12)));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("слишком длинная строка", boxes[0].text);
    EXPECT_TRUE(set.Update(0));
  }
  EXPECT_EQ((std::vector<std::string>{"1234.57|3.1416|43"}),
            session.Column("SELECT A || '|' || B || '|' || C FROM NR"));
  {
    Edited q(base, "NR", 1);
    ASSERT_TRUE(praxel("PRAXEL_Prepare", {q.h(), Text("UPDATE NR SET C = ? WHERE ID = ?"), Text("")}));
    VARIABLE c = Real(12345.6), id = Long(1), huge = Real(1e10);
    gui::BoxWatcher watcher({IDOK});
    EXPECT_EQ(0u, praxel("PRAXEL_ParPut", {q.h(), 1, Word(&huge)}));
    EXPECT_EQ(1u, watcher.Boxes().size());
    EXPECT_EQ(1u, praxel("PRAXEL_ParPut", {q.h(), 1, Word(&c)}));
    EXPECT_EQ(1u, praxel("PRAXEL_ParPut", {q.h(), 2, Word(&id)}));
    EXPECT_EQ(1u, praxel("PRAXEL_Execute", {q.h(), 0}));
  }
  EXPECT_EQ((std::vector<std::string>{"12346"}), session.Column("SELECT C FROM NR"));
  CloseBase(base);
}

}  // namespace
