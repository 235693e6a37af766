#include "odbc_session.h"

#include <gtest/gtest.h>

#include <cstdio>

const char* const kDataSources[2] = {"KTEST", "KPGTEST"};

OdbcSession::OdbcSession(const char* dataSource, bool cursorLibrary) {
  if (!SQL_SUCCEEDED(SQLAllocEnv(&environment_))) return;
  if (!SQL_SUCCEEDED(SQLAllocConnect(environment_, &connection_))) return;
  if (cursorLibrary) SQLSetConnectOption(connection_, SQL_ODBC_CURSORS, SQL_CUR_USE_ODBC);
  std::string text = std::string("DSN=") + dataSource + ";";
  UCHAR out[512];
  SWORD length = 0;
  RETCODE rc = SQLDriverConnect(connection_, nullptr, (UCHAR*)text.c_str(), SQL_NTS, out,
                                sizeof out, &length, SQL_DRIVER_NOPROMPT);
  connected_ = SQL_SUCCEEDED(rc);
  EXPECT_TRUE(connected_) << dataSource << ": " << Diagnostics(SQL_NULL_HSTMT)
                          << " (tools/odbc-env.sh up must have run)";
}

OdbcSession::~OdbcSession() {
  if (connected_) SQLDisconnect(connection_);
  if (connection_) SQLFreeConnect(connection_);
  if (environment_) SQLFreeEnv(environment_);
}

std::string OdbcSession::Diagnostics(HSTMT statement) const {
  std::string out;
  UCHAR state[6], message[600];
  SDWORD native;
  SWORD length;
  while (SQL_SUCCEEDED(SQLError(environment_, connection_, statement, state, &native, message,
                                sizeof message, &length)))
    out += std::string("[") + (char*)state + "]" + (char*)message;
  return out;
}

std::string OdbcSession::Try(const char* statement) {
  HSTMT st = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocStmt(connection_, &st))) return "SQLAllocStmt failed";
  RETCODE rc = SQLExecDirect(st, (UCHAR*)statement, SQL_NTS);
  std::string diagnostics =
      SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA_FOUND ? "" : Diagnostics(st) + " ";
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA_FOUND && diagnostics.empty())
    diagnostics = "failed";
  SQLFreeStmt(st, SQL_DROP);
  return diagnostics;
}

void OdbcSession::Run(std::initializer_list<const char*> statements) {
  for (const char* statement : statements) EXPECT_EQ("", Try(statement)) << statement;
}

std::vector<std::string> OdbcSession::Column(const char* query) {
  std::vector<std::string> rows;
  HSTMT st = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocStmt(connection_, &st))) return rows;
  RETCODE rc = SQLExecDirect(st, (UCHAR*)query, SQL_NTS);
  EXPECT_TRUE(SQL_SUCCEEDED(rc)) << query << ": " << Diagnostics(st);
  while (SQL_SUCCEEDED(rc) && SQL_SUCCEEDED(SQLFetch(st))) {
    char text[600] = "";
    SDWORD length = 0;
    SQLGetData(st, 1, SQL_C_CHAR, text, sizeof text, &length);
    rows.push_back(length == SQL_NULL_DATA ? "<NULL>" : text);
  }
  SQLFreeStmt(st, SQL_DROP);
  return rows;
}

std::string TempFile(const char* name) {
  char directory[MAX_PATH];
  GetTempPathA(sizeof directory, directory);
  std::string path = std::string(directory) + name;
  DeleteFileA(path.c_str());
  return path;
}

std::string ReadFileText(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}
