// PRAXEL's connection exports. A Base handle is the ODBC connection handle;
// a handle that names no open Base gives 65535, 0, FALSE or a NULL record.
#include "base_list.h"
#include "collation.h"
#include "library_frame.h"
#include "open_base.h"
#include "release_export.h"
#include "user_log.h"
#include "variable.h"

KORVEX_RELEASE_EXPORT(VARIABLE)

KORVEX_EXPORT HDBC WINAPI PRAXEL_BaseOpen(HWND window, const char* connect, long options) {
  HDBC connection = OpenBase(window, connect, options);
  if (connection) SelectDictionary(connection, "W1251");
  return connection;
}

KORVEX_EXPORT long WINAPI PRAXEL_BaseClose(HDBC connection) { return CloseBase(connection); }

KORVEX_EXPORT HDBC WINAPI PRAXEL_BaseClone(HDBC connection, HWND window) {
  Base* source = FindBase(connection);
  return source ? CloneBase(source, window) : SQL_NULL_HDBC;
}

KORVEX_EXPORT VARIABLE* WINAPI PRAXEL_BaseUser(HDBC connection) {
  VARIABLE* result = new (std::nothrow) VARIABLE;
  if (!result) return nullptr;
  if (Base* base = FindBase(connection)) {
    result->TYPE(VAL_STRING);
    *result = base->user;
  }
  return result;
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_BaseLog(HDBC connection, const char* message) {
  return WriteUserLog(connection, message);
}

KORVEX_EXPORT BOOL WINAPI PRAXEL_Dictionary(HDBC connection, const char* name) {
  return SelectDictionary(connection, name);
}
