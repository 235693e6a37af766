// Plain ODBC for the tests: a connection to one of the test data sources
// (KTEST: SQLite, KPGTEST: PostgreSQL, both written by tools/odbc-env.sh),
// to make tables and to check what Praxel wrote, outside Praxel.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

extern const char* const kDataSources[2];  // "KTEST", "KPGTEST"

class OdbcSession {
 public:
  // cursorLibrary: connect through the ODBC cursor library.
  explicit OdbcSession(const char* dataSource, bool cursorLibrary = false);
  ~OdbcSession();
  OdbcSession(const OdbcSession&) = delete;
  OdbcSession& operator=(const OdbcSession&) = delete;

  bool connected() const { return connected_; }
  HDBC connection() const { return connection_; }
  HENV environment() const { return environment_; }

  // Runs statements (fails the test with the driver's text when one fails).
  void Run(std::initializer_list<const char*> statements);
  // Runs one statement; its diagnostics ("" when it succeeded).
  std::string Try(const char* statement);
  // The first column of every row as text ("<NULL>" for NULL).
  std::vector<std::string> Column(const char* query);
  // "[SQLSTATE]text" of each diagnostic record of a handle.
  std::string Diagnostics(HSTMT statement) const;

 private:
  HENV environment_ = SQL_NULL_HENV;
  HDBC connection_ = SQL_NULL_HDBC;
  bool connected_ = false;
};

// A file name in the temporary directory, removed first.
std::string TempFile(const char* name);
std::string ReadFileText(const std::string& path);
