// What the drivers here do, as the record sets rely on it: each answer that
// a record set works around or depends on is asserted, so a driver that
// changes shows up here first.
#include <gtest/gtest.h>

#include <cstring>

#include "odbc_session.h"

namespace {

struct Row {
  SDWORD id;
  SDWORD idLength;
  char name[11];
  SDWORD nameLength;
};

class Probe {
 public:
  explicit Probe(OdbcSession& session) : session_(session) {
    EXPECT_TRUE(SQL_SUCCEEDED(SQLAllocStmt(session.connection(), &statement_)));
  }
  ~Probe() { SQLFreeStmt(statement_, SQL_DROP); }
  HSTMT statement() const { return statement_; }
  std::string State() {
    UCHAR state[6] = "", message[600];
    SDWORD native;
    SWORD length;
    SQLError(session_.environment(), session_.connection(), statement_, state, &native, message,
             sizeof message, &length);
    return (char*)state;
  }
  // A static cursor over PROBE with `rows` rows a rowset, bound row-wise.
  RETCODE OpenStatic(const char* query, UDWORD rows, Row* buffer) {
    SQLSetStmtOption(statement_, SQL_CONCURRENCY, SQL_CONCUR_VALUES);
    SQLSetStmtOption(statement_, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC);
    SQLSetStmtOption(statement_, SQL_ROWSET_SIZE, rows);
    SQLSetStmtAttr(statement_, SQL_ATTR_ROW_BIND_TYPE, (SQLPOINTER)sizeof(Row), 0);
    SQLBindCol(statement_, 1, SQL_C_SLONG, &buffer->id, 4, &buffer->idLength);
    SQLBindCol(statement_, 2, SQL_C_CHAR, buffer->name, sizeof buffer->name, &buffer->nameLength);
    return SQLExecDirect(statement_, (UCHAR*)query, SQL_NTS);
  }

 private:
  OdbcSession& session_;
  HSTMT statement_ = SQL_NULL_HSTMT;
};

UDWORD Info(OdbcSession& session, UWORD item) {
  UDWORD value = 0;
  SWORD length;
  SQLGetInfo(session.connection(), item, &value, sizeof value, &length);
  return value;
}

void MakeProbeTable(OdbcSession& session) {
  session.Try("DROP TABLE PROBE");
  session.Run({"CREATE TABLE PROBE (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))",
               "INSERT INTO PROBE VALUES (1, 'one')", "INSERT INTO PROBE VALUES (2, 'two')",
               "INSERT INTO PROBE VALUES (3, 'three')", "INSERT INTO PROBE VALUES (4, 'four')",
               "INSERT INTO PROBE VALUES (5, 'five')"});
}

TEST(DriverProbe, SqliteCapabilitiesAndWorkarounds) {
  OdbcSession session("KTEST");
  ASSERT_TRUE(session.connected());
  MakeProbeTable(session);
  EXPECT_EQ(0x1Fu, Info(session, SQL_POS_OPERATIONS));
  EXPECT_EQ(0u, Info(session, SQL_POSITIONED_STATEMENTS));
  {
    Probe p(session);
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, SQLSetStmtOption(p.statement(), SQL_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON));
    EXPECT_EQ("01S02", p.State());
    EXPECT_EQ(SQL_ERROR, SQLSetStmtOption(p.statement(), SQL_BIND_TYPE, sizeof(Row)));
    EXPECT_EQ("IM001", p.State());
    EXPECT_EQ(SQL_SUCCESS, SQLSetStmtAttr(p.statement(), SQL_ATTR_ROW_BIND_TYPE, (SQLPOINTER)sizeof(Row), 0));
  }
  {
    Probe p(session);
    Row rows[3] = {};
    ASSERT_TRUE(SQL_SUCCEEDED(p.OpenStatic("SELECT ID, NAME FROM PROBE ORDER BY ID", 1, rows)));
    UDWORD fetched = 0;
    UWORD status[3];
    EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_LAST, 0, &fetched, status));
    EXPECT_EQ(5, rows[0].id);
    // The row number is answered, but not as a row number: record sets
    // count by absolute fetches instead.
    UDWORD number = 12345;
    EXPECT_EQ(SQL_SUCCESS, SQLGetStmtOption(p.statement(), SQL_ROW_NUMBER, &number));
    EXPECT_EQ(-2, static_cast<SDWORD>(number));
    EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_ABSOLUTE, 2, &fetched, status));
    EXPECT_EQ(2, rows[0].id);
    EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_RELATIVE, 2, &fetched, status));
    EXPECT_EQ(4, rows[0].id);
  }
  {
    Probe p(session);
    Row rows[3] = {};
    ASSERT_TRUE(SQL_SUCCEEDED(p.OpenStatic("SELECT ID, NAME FROM PROBE ORDER BY ID", 2, rows)));
    UDWORD fetched = 0;
    UWORD status[3];
    EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_FIRST, 0, &fetched, status));
    // Over one row a rowset, relative moves find nothing: pages are
    // fetched by absolute record numbers.
    EXPECT_EQ(SQL_NO_DATA_FOUND, SQLExtendedFetch(p.statement(), SQL_FETCH_RELATIVE, 2, &fetched, status));
    EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_ABSOLUTE, 3, &fetched, status));
    EXPECT_EQ(2u, fetched);
    EXPECT_EQ(3, rows[0].id);
    EXPECT_EQ(4, rows[1].id);
  }
}

TEST(DriverProbe, PostgresqlCapabilities) {
  OdbcSession session("KPGTEST");
  ASSERT_TRUE(session.connected());
  MakeProbeTable(session);
  EXPECT_EQ(0x1Fu, Info(session, SQL_POS_OPERATIONS));
  EXPECT_EQ(0u, Info(session, SQL_POSITIONED_STATEMENTS));
  Probe p(session);
  Row rows[3] = {};
  ASSERT_TRUE(SQL_SUCCEEDED(p.OpenStatic("SELECT ID, NAME FROM PROBE ORDER BY ID", 2, rows)));
  UDWORD fetched = 0;
  UWORD status[3];
  EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_LAST, 0, &fetched, status));
  UDWORD number = 0;
  EXPECT_EQ(SQL_SUCCESS, SQLGetStmtOption(p.statement(), SQL_ROW_NUMBER, &number));
  EXPECT_EQ(4u, number);  // the last rowset starts at row 4 of 5
  EXPECT_EQ(2u, fetched);
  EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_FIRST, 0, &fetched, status));
  EXPECT_EQ(SQL_SUCCESS, SQLExtendedFetch(p.statement(), SQL_FETCH_RELATIVE, 2, &fetched, status));
  EXPECT_EQ(3, rows[0].id);
  EXPECT_EQ(SQL_SUCCESS, SQLSetPos(p.statement(), 2, SQL_POSITION, SQL_LOCK_NO_CHANGE));
}

TEST(DriverProbe, CursorLibraryAndForwardCursors) {
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn, true);
    ASSERT_TRUE(session.connected());
    EXPECT_EQ(0x7u, Info(session, SQL_POSITIONED_STATEMENTS)) << dsn;
    EXPECT_EQ(0x1u, Info(session, SQL_POS_OPERATIONS)) << dsn;
  }
  for (const char* dsn : kDataSources) {
    OdbcSession session(dsn);
    Probe p(session);
    SQLSetStmtOption(p.statement(), SQL_CONCURRENCY, SQL_CONCUR_VALUES);
    SQLSetStmtOption(p.statement(), SQL_ROWSET_SIZE, 1);
    SQLSetStmtOption(p.statement(), SQL_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLPrepare(p.statement(), (UCHAR*)"SELECT ID FROM PROBE", SQL_NTS)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecute(p.statement())));
    UDWORD fetched = 0;
    UWORD status[2];
    EXPECT_EQ(SQL_ERROR, SQLExtendedFetch(p.statement(), SQL_FETCH_LAST, 0, &fetched, status)) << dsn;
  }
}

}  // namespace
