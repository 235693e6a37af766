// Small helpers the record set's parts share.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#pragma once

inline bool Succeeded(RETCODE rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The wait cursor from construction to destruction.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// Date and time fields between ODBC's time stamp and Windows' SYSTEMTIME
// (fractions of a second, day of week and milliseconds are left 0).
inline SYSTEMTIME FromTimestamp(const TIMESTAMP_STRUCT& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = t.month;
  st.wDay = t.day;
  st.wHour = t.hour;
  st.wMinute = t.minute;
  st.wSecond = t.second;
  return st;
}

inline TIMESTAMP_STRUCT ToTimestamp(const SYSTEMTIME& st) {
  TIMESTAMP_STRUCT t = {};
  t.year = static_cast<SWORD>(st.wYear);
  t.month = st.wMonth;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}
