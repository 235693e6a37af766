// The diagnostics of a record set: ODBC return codes turned into user-log
// lines and Retry/Cancel boxes titled "<name>:<context> - <caption>". They
// need only the record set's name and connection; the Base (flags, log) is
// looked up by the connection each time, so a closed Base reads as flags 0.
#pragma once
#include <windows.h>
#include <sql.h>

// The library's own return code for exhausted memory.
const RETCODE kReportNoMemory = 8;

class RecordSetDiagnostics {
 public:
  RecordSetDiagnostics(const char* name, HDBC connection) : name_(name), connection_(connection) {}

  // 1 or -1: go on; 0: give up. SQL_SUCCESS, SQL_NEED_DATA, SQL_NO_DATA and
  // unknown codes give 1 at once; SQL_SUCCESS_WITH_INFO -1; SQL_ERROR,
  // SQL_INVALID_HANDLE and kReportNoMemory 0, unless Retry is pressed.
  // A warning whose first SQLSTATE is "01S02" (option value changed), or
  // the expected one given, answers -1 silently.
  int ReportOdbcError(HSTMT statement, RETCODE code, const char* context,
                      const char* expectedState = nullptr);
  // Retry/Cancel box: TRUE unless Cancel was pressed.
  BOOL ErrorBox(const char* text, const char* context, const char* caption);
  // Message 91 with the field's name or number.
  void ReportFieldError(const char* field, const char* context);
  void LogOdbcError(const char* message, const char* context, const char* caption);

  const char* name() const { return name_ ? name_ : ""; }
  HDBC connection() const { return connection_; }

 protected:
  const char* name_;  // owned by the record set (may be null)
  HDBC connection_;
};
