// Order, search, filters, master/detail links and forward statements
// through the exports, on both data sources.
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

uint32_t OpenBase(const char* dsn, long options = 2) {
  std::string connect = std::string("DSN=") + dsn + ";";
  return praxel("PRAXEL_BaseOpen", {0, Text(connect.c_str()), W(options)});
}
void CloseBase(uint32_t base) {
  while (base && praxel("PRAXEL_BaseClose", {base}) != 0) {}
}

std::string Describe(uint32_t word) {
  const VARIABLE& v = *reinterpret_cast<const VARIABLE*>(word);
  char text[kValueTextSize] = "";
  std::string out = VARIABLE::TypeName(v.type);
  if (v.type != VAL_NULL) out += std::string(" ") + v.GetText(text, sizeof text, 0);
  praxel("RELEASE", {word});
  return out;
}

class Query {
 public:
  Query(uint32_t base, const char* name, uint32_t cash = 5)
      : h_(praxel("PRAXEL_New", {base, Text(name), cash})) {}
  ~Query() { praxel("PRAXEL_Close", {h_}); }
  RecordSetObject* operator->() const { return reinterpret_cast<RecordSetObject*>(h_); }
  uint32_t h() const { return h_; }
  bool Open(const char* q) { return praxel("PRAXEL_Open", {h_, Text(q), Text("STATIC")}) != 0; }
  long Refresh() { return static_cast<long>(praxel("PRAXEL_Refresh", {h_, 0})); }
  long Seek(const char* p, long n) { return static_cast<long>(praxel("PRAXEL_Seek", {h_, Text(p), W(n)})); }
  long Find(const char* p) { return static_cast<long>(praxel("PRAXEL_Find", {h_, Text(p)})); }
  bool Sort(const char* n) { return praxel("PRAXEL_FldSort", {h_, Text(n)}) != 0; }
  bool PatPut(const char* name, const char* pattern) {
    VARIABLE v;
    v = pattern;
    return praxel("PRAXEL_PatPut", {h_, Text(name), Word(&v)}) != 0;
  }
  std::string PatGet(const char* name) { return Describe(praxel("PRAXEL_PatGet", {h_, Text(name)})); }
  std::string QueryText() {
    char sort[256] = "";
    (*this)->GetSort(sort, sizeof sort);
    return sort;
  }
  std::string Get(long col) { return Describe(praxel("PRAXEL_Get", {h_, W(col)})); }
  bool Next() { return praxel("PRAXEL_Next", {h_, 0}) != 0; }
  bool More() { return praxel("PRAXEL_More", {h_, 0}) != 0; }
  bool Execute(const char* q) { return praxel("PRAXEL_Execute", {h_, Text(q)}) != 0; }

 private:
  uint32_t h_;
};

TEST(Query, SeekAndFindOnSortedRecords) {
  for (const char* dsn : kDataSources) {
    OdbcSession s(dsn);
    s.Try("DROP TABLE P");
    s.Try("DROP TABLE Q");
    s.Run({"CREATE TABLE P (NAME VARCHAR(20))", "INSERT INTO P VALUES ('OLGA')",
           "INSERT INTO P VALUES ('BORISLAV')", "INSERT INTO P VALUES ('ANNA')",
           "INSERT INTO P VALUES ('IVAN')", "INSERT INTO P VALUES ('BORIS')",
           "CREATE TABLE Q (N INTEGER)", "INSERT INTO Q VALUES (100)", "INSERT INTO Q VALUES (5)",
           "INSERT INTO Q VALUES (1)", "INSERT INTO Q VALUES (10)"});
    uint32_t base = OpenBase(dsn);
    {
      Query p(base, "P");
      ASSERT_TRUE(p.Open("SELECT NAME FROM P ORDER BY NAME")) << dsn;
      EXPECT_EQ(2, p.Seek("bor", 3)) << dsn;
      EXPECT_EQ(3, p.Seek("BORISL", 6)) << dsn;
      EXPECT_EQ(2, p.Find("BORIS")) << dsn;
      EXPECT_EQ(0, p.Find("BORI")) << dsn;
      EXPECT_EQ(0, p.Seek("ZZ", 2)) << dsn;
      EXPECT_EQ(0, p.Seek("A", 0)) << dsn;
      EXPECT_EQ(1, p.Seek("ANNA", 4)) << dsn;
      EXPECT_EQ(5, p.Find("OLGA")) << dsn;
      gui::BoxWatcher watcher;
      EXPECT_EQ(0u, praxel("PRAXEL_Find", {p.h(), 0}));
      ASSERT_EQ(1u, watcher.Boxes().size());
      EXPECT_EQ("неверный параметр", watcher.Boxes()[0].text);
    }
    {
      Query p(base, "P");
      ASSERT_TRUE(p.Open("SELECT NAME FROM P"));
      EXPECT_EQ(0, p.Find("BORIS"));  // unsorted
    }
    {
      Query q(base, "Q");
      ASSERT_TRUE(q.Open("SELECT N FROM Q ORDER BY N"));
      EXPECT_EQ(3, q.Seek("10", 2)) << dsn;
      EXPECT_EQ(0, q.Seek("7", 1)) << dsn;
    }
    CloseBase(base);
  }
}

TEST(Query, SortClauseIsReplacedAndParsed) {
  OdbcSession s("KTEST");
  s.Try("DROP TABLE P2");
  s.Run({"CREATE TABLE P2 (NAME VARCHAR(10), ID INTEGER)", "INSERT INTO P2 VALUES ('B', 1)",
         "INSERT INTO P2 VALUES ('A', 2)"});
  uint32_t base = OpenBase("KTEST", 0);
  Query p(base, "P2");
  ASSERT_TRUE(p.Open("SELECT NAME, ID FROM P2"));
  EXPECT_TRUE(p.Sort("NAME, ID"));
  char sort[64];
  EXPECT_EQ(1, p->GetSort(sort, sizeof sort));
  EXPECT_STREQ("NAME, ID", sort);
  char small[4];
  p->GetSort(small, sizeof small);
  EXPECT_STREQ("NAM", small);  // at most size - 1 characters
  EXPECT_EQ(1, p->FieldOption(1, 19));
  EXPECT_EQ(1, p->FieldOption(2, 20));
  EXPECT_EQ(1, p->FieldOption(1, 18));
  EXPECT_EQ(2, p.Refresh());
  gui::BoxWatcher watcher({IDCANCEL});
  ASSERT_TRUE(p->GoToRecord(1));
  char name[8];
  p->GetFieldText(1, name, sizeof name);
  EXPECT_STREQ("A", name);
  EXPECT_TRUE(p.Sort("2"));
  EXPECT_EQ("ID", p.QueryText());
  EXPECT_EQ(2, p->GetSort(nullptr, 0));
  EXPECT_FALSE(p.Sort("3"));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("P2:FldSort - ОШИБКА", boxes[0].caption);
  EXPECT_EQ("поле 3 не найдено", boxes[0].text);
  // The clause is found in any case and never inside a literal.
  Query lower(base, "P2");
  ASSERT_TRUE(lower.Open("SELECT NAME, ID FROM P2 WHERE NAME <> 'order by x' order by ID"));
  EXPECT_EQ(2, lower->GetSort(nullptr, 0));
  EXPECT_TRUE(lower.Sort("NAME"));
  EXPECT_EQ(2, lower.Refresh());
  CloseBase(base);
}

TEST(Query, PatternsWriteAndReadConditions) {
  for (const char* dsn : kDataSources) {
    OdbcSession s(dsn);
    s.Try("DROP TABLE Q2");
    s.Run({"CREATE TABLE Q2 (QTY INTEGER, NAME VARCHAR(10), D DATE)",
           "INSERT INTO Q2 VALUES (1, 'A', '2003-01-15')", "INSERT INTO Q2 VALUES (3, 'B', '2003-02-10')",
           "INSERT INTO Q2 VALUES (5, 'C', '2003-02-28')", "INSERT INTO Q2 VALUES (7, 'D', '2003-03-01')"});
    uint32_t base = OpenBase(dsn);
    Query q(base, "Q2");
    ASSERT_TRUE(q.Open("SELECT QTY, NAME, D FROM Q2 ORDER BY QTY"));
    EXPECT_TRUE(q.PatPut("QTY", "1=5"));
    EXPECT_EQ("STRING 1=5", q.PatGet("QTY"));
    EXPECT_EQ(3, q.Refresh()) << dsn;
    EXPECT_TRUE(q.PatPut("NAME", "B%"));
    EXPECT_EQ(1, q.Refresh()) << dsn;
    EXPECT_TRUE(q.PatPut("QTY", ""));
    EXPECT_EQ(1, q.Refresh()) << dsn;
    EXPECT_TRUE(q.PatPut("NAME", ""));
    EXPECT_EQ(4, q.Refresh()) << dsn;
    EXPECT_EQ(std::string::npos, std::string(q->GetSort(nullptr, 0) ? "" : "x").find("WHERE"));
    for (auto [pattern, count] : {std::pair<const char*, long>{"=5", 3}, {"5=", 2}, {"5", 1}}) {
      EXPECT_TRUE(q.PatPut("QTY", pattern));
      EXPECT_EQ(std::string("STRING ") + pattern, q.PatGet("QTY"));
      EXPECT_EQ(count, q.Refresh()) << dsn << " " << pattern;
    }
    EXPECT_TRUE(q.PatPut("NAME", "O'B%"));
    EXPECT_EQ(0, q.Refresh()) << dsn;
    EXPECT_EQ("STRING O'B%", q.PatGet("NAME"));
    EXPECT_TRUE(q.PatPut("NAME", ""));
    EXPECT_TRUE(q.PatPut("QTY", ""));
    EXPECT_TRUE(q.PatPut("D", "01.02.2003=28.02.2003"));
    EXPECT_EQ("STRING 01.02.2003=28.02.2003", q.PatGet("D"));
    EXPECT_EQ(2, q.Refresh()) << dsn;
    gui::BoxWatcher watcher;
    EXPECT_FALSE(q.PatPut("D", "32.13.2003"));
    EXPECT_FALSE(q.PatPut("QTY", "5;DROP"));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("неверная дата", boxes[0].text);
    EXPECT_EQ("неразрешенная для типа операция", boxes[1].text);
    EXPECT_EQ("STRING 01.02.2003=28.02.2003", q.PatGet("D"));  // unchanged
    EXPECT_EQ(2, q.Refresh()) << dsn;
    CloseBase(base);
  }
}

TEST(Query, DetailRecordsFollowTheirMaster) {
  for (const char* dsn : kDataSources) {
    OdbcSession s(dsn);
    s.Try("DROP TABLE DET");
    s.Try("DROP TABLE MAS");
    s.Run({"CREATE TABLE DET (NAME VARCHAR(10), K INTEGER)", "INSERT INTO DET VALUES ('IVAN', 1)",
           "INSERT INTO DET VALUES ('BORIS', 3)", "INSERT INTO DET VALUES ('ANNA', 1)",
           "INSERT INTO DET VALUES ('BORIS', 1)", "INSERT INTO DET VALUES ('BORIS', 2)",
           "CREATE TABLE MAS (NAME VARCHAR(10), K INTEGER)", "INSERT INTO MAS VALUES ('BORIS', 3)"});
    uint32_t base = OpenBase(dsn);
    Query det(base, "DET"), mas(base, "MAS");
    ASSERT_TRUE(det.Open("SELECT NAME, K FROM DET ORDER BY NAME, K"));
    ASSERT_TRUE(mas.Open("SELECT NAME, K FROM MAS"));
    ASSERT_TRUE(mas->GoToRecord(1));
    auto link = [&](const char* keys) {
      return static_cast<long>(praxel("PRAXEL_Link", {mas.h(), Text(keys), Text("NAME"), det.h(), Text("K")}));
    };
    EXPECT_EQ(4, link("K")) << dsn;
    s.Run({"UPDATE MAS SET K = 1"});
    EXPECT_EQ(1, mas.Refresh());
    ASSERT_TRUE(mas->GoToRecord(1));
    EXPECT_EQ(2, link("K")) << dsn;
    gui::BoxWatcher watcher({IDCANCEL});
    EXPECT_EQ(0, link("K|NAME"));
    EXPECT_EQ(0, link("NOPE"));
    auto boxes = watcher.Boxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("не верное количество параметров", boxes[0].text);
    EXPECT_EQ("MAS:FldLink - ОШИБКА", boxes[1].caption);
    CloseBase(base);
  }
}

TEST(Query, ForwardStatementsListPrepareAndExecute) {
  OdbcSession s("KTEST");
  s.Try("DROP TABLE N25");
  s.Run({"CREATE TABLE N25 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))"});
  std::string insert = "INSERT INTO N25 VALUES (1, 'R01')";
  for (int i = 2; i <= 25; ++i) insert += ", (" + std::to_string(i) + ", 'R" + (i < 10 ? "0" : "") + std::to_string(i) + "')";
  s.Run({insert.c_str()});
  OdbcSession pg("KPGTEST");
  pg.Try("DROP TABLE N25");
  pg.Run({"CREATE TABLE N25 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))", insert.c_str()});
  uint32_t base = OpenBase("KTEST");
  {
    Query q(base, "N25");
    EXPECT_TRUE(q.Execute("COLUMNS N25"));
    EXPECT_EQ("STRING ID", q.Get(4));
    EXPECT_TRUE(q.Next());
    EXPECT_EQ("STRING NAME", q.Get(4));
    EXPECT_FALSE(q.Next());
    EXPECT_TRUE(q.Execute("TABLES"));
    EXPECT_EQ("STRING TABLE", q.Get(4));
  }
  for (const char* dsn : kDataSources) {
    uint32_t b = OpenBase(dsn);
    Query q(b, "N25");
    ASSERT_TRUE(praxel("PRAXEL_Prepare", {q.h(), Text("SELECT NAME FROM N25 WHERE ID > ? AND NAME <> ? ORDER BY ID"), Text("")})) << dsn;
    VARIABLE twenty, r22;
    twenty.SetLong(20);
    r22 = "R22";
    EXPECT_EQ(1u, praxel("PRAXEL_ParPut", {q.h(), 1, Word(&twenty)})) << dsn;
    EXPECT_EQ(1u, praxel("PRAXEL_ParPut", {q.h(), 2, Word(&r22)})) << dsn;
    EXPECT_EQ(1u, praxel("PRAXEL_Execute", {q.h(), 0})) << dsn;
    EXPECT_EQ("STRING R21", q.Get(1)) << dsn;
    for (const char* next : {"R23", "R24", "R25"}) {
      EXPECT_TRUE(q.Next());
      EXPECT_EQ(std::string("STRING ") + next, q.Get(1)) << dsn;
    }
    EXPECT_FALSE(q.Next());
    praxel("PRAXEL_BaseClose", {b});  // one use: KTEST's joined the open Base
  }
  uint32_t pgBase = OpenBase("KPGTEST");
  {
    Query q(pgBase, "X");
    EXPECT_TRUE(q.Execute("SELECT 1 AS A; SELECT 2 AS B, 3 AS C"));
    EXPECT_EQ("LONG 1", q.Get(1));
    EXPECT_TRUE(q.More());
    EXPECT_EQ("LONG 3", q.Get(2));
    EXPECT_FALSE(q.More());
    // No asynchronous execution here: no progress event arrives.
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(1u, praxel("PRAXEL_Exec", {q.h(), Word(window), 3000, Text("SELECT 1")}));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    DestroyWindow(window);
    EXPECT_EQ(1u, praxel("PRAXEL_Cancel", {q.h()}));
    char type[4];
    EXPECT_EQ(1, static_cast<long>(praxel("PRAXEL_GetStr", {q.h(), 1, Word(type), W(-1)})));
    EXPECT_STREQ("N", type);
  }
  {
    Query q(base, "X");
    EXPECT_FALSE(q.Execute(nullptr));  // nothing prepared
  }
  CloseBase(pgBase);
  CloseBase(base);
}

}  // namespace
