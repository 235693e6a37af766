#include "open_base.h"

#include <sqlext.h>

#include <cstring>

#include "base_list.h"
#include "message_block.h"
#include "odbc_helpers.h"

namespace {

const char kCaption[] = "BaseOpen";
const SWORD kCompletedSize = 256;

void (*closingHook)(HDBC);


// Every diagnostic record of the connection: a box each, or in quiet mode
// a line each in the caller's text block.
void ShowConnectDiagnostics(HDBC connection, HWND window, bool quiet) {
  HGLOBAL block = quiet ? reinterpret_cast<HGLOBAL>(window) : nullptr;
  UCHAR state[6];
  UCHAR message[SQL_MAX_MESSAGE_LENGTH + 10];
  SDWORD native = 0;
  SWORD length = 0;
  while (Succeeded(SQLError(OdbcEnvironment(), connection, SQL_NULL_HSTMT, state, &native,
                            message, sizeof message, &length))) {
    const char* text = reinterpret_cast<const char*>(message);
    if (quiet) {
      AppendMessageText(&block, text);
      continue;
    }
    std::string shown = std::string(text) + " [" + reinterpret_cast<const char*>(state) + "]";
    MessageBoxA(window, shown.c_str(), kCaption, MB_OK | MB_ICONSTOP);
  }
}

void FreeConnection(HDBC connection) {
  SQLFreeConnect(connection);
  ReleaseEnvironmentUse();
}

void Disconnect(HDBC connection) {
  SQLDisconnect(connection);
  FreeConnection(connection);
}

// A connection that found its data source open already: dropped, and the
// open Base counts one use more.
HDBC Join(Base* base) {
  ++base->useCount;
  return base->connection;
}

// Drivers, by the file name they report, whose SQLSetPos heeds no
// SQL_COLUMN_IGNORE and formats time stamps to the minute.
const char* const kSetPosWritesAllDrivers[] = {"sqlite3odbc", "sqliteodbc"};

bool WritesEveryColumn(HDBC connection) {
  char driver[MAX_PATH] = "";
  SWORD length = 0;
  if (!Succeeded(SQLGetInfo(connection, SQL_DRIVER_NAME, driver, sizeof driver - 1, &length)))
    return false;
  CharLowerA(driver);
  for (const char* name : kSetPosWritesAllDrivers)
    if (std::strstr(driver, name)) return true;
  return false;
}

// The Base's capabilities: a trial statement for asynchronous execution,
// three SQLGetInfo queries and the driver's name.
uint16_t ProbeFlags(HDBC connection) {
  uint16_t flags = 0;
  HSTMT trial = SQL_NULL_HSTMT;
  if (Succeeded(SQLAllocStmt(connection, &trial))) {
    if (SQLSetStmtOption(trial, SQL_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON) == SQL_SUCCESS) {
      UDWORD on = SQL_ASYNC_ENABLE_OFF;
      if (Succeeded(SQLGetStmtOption(trial, SQL_ASYNC_ENABLE, &on)) && on == SQL_ASYNC_ENABLE_ON)
        flags |= kBaseAsync;
    }
    SQLFreeStmt(trial, SQL_DROP);
  }
  char readOnly[8] = {};
  SWORD length = 0;
  if (Succeeded(SQLGetInfo(connection, SQL_DATA_SOURCE_READ_ONLY, readOnly, sizeof readOnly - 1,
                           &length)) && readOnly[0] == 'Y')
    flags |= kBaseReadOnly;
  UDWORD statements = 0;
  if (Succeeded(SQLGetInfo(connection, SQL_POSITIONED_STATEMENTS, &statements, sizeof statements,
                           &length))) {
    if (statements & SQL_PS_POSITIONED_DELETE) flags |= kBasePositionedDelete;
    if (statements & SQL_PS_POSITIONED_UPDATE) flags |= kBasePositionedUpdate;
  }
  UDWORD operations = 0;
  if (Succeeded(SQLGetInfo(connection, SQL_POS_OPERATIONS, &operations, sizeof operations,
                           &length))) {
    if (operations & SQL_POS_DELETE) flags |= kBaseSetPosDelete;
    if (operations & SQL_POS_UPDATE) flags |= kBaseSetPosUpdate;
    if (operations & SQL_POS_ADD) flags |= kBaseSetPosAdd;
    if (operations & SQL_POS_REFRESH) flags |= kBaseSetPosRefresh;
  }
  if (WritesEveryColumn(connection)) flags |= kBaseSetPosWritesAll;
  return flags;
}

}  // namespace

void SetBaseClosingHook(void (*hook)(HDBC)) { closingHook = hook; }

HDBC OpenBase(HWND window, const char* connect, long options) {
  const bool quiet = (options & kOpenQuiet) != 0;
  std::string input = InputConnectString(connect);
  std::string inputName = KeyValue(input.c_str(), "DSN=");
  if (Base* open = FindBaseByName(inputName.c_str())) return Join(open);

  if (!AcquireEnvironment()) {
    if (!quiet) MessageBoxA(window, "SQLAllocEnv failure", kCaption, MB_OK);
    return SQL_NULL_HDBC;
  }
  CountEnvironmentUse();
  HDBC connection = SQL_NULL_HDBC;
  if (!Succeeded(SQLAllocConnect(OdbcEnvironment(), &connection))) {
    ReleaseEnvironmentUse();
    return SQL_NULL_HDBC;
  }
  bool connected =
      (!(options & kOpenCursorLibrary) ||
       Succeeded(SQLSetConnectOption(connection, SQL_ODBC_CURSORS, SQL_CUR_USE_ODBC))) &&
      Succeeded(SQLSetConnectOption(connection, SQL_ACCESS_MODE, SQL_MODE_READ_WRITE));
  UCHAR completed[kCompletedSize] = {};
  SWORD completedLength = 0;
  if (connected) {
    // In quiet mode the window word is the caller's text block: no owner,
    // and no prompt.
    UCHAR* in = input.empty() ? nullptr
                              : reinterpret_cast<UCHAR*>(const_cast<char*>(input.c_str()));
    connected = Succeeded(SQLDriverConnect(
        connection, quiet ? nullptr : window, in, static_cast<SWORD>(input.size()), completed,
        kCompletedSize, &completedLength, quiet ? SQL_DRIVER_NOPROMPT : SQL_DRIVER_COMPLETE));
  }
  if (!connected) {
    ShowConnectDiagnostics(connection, window, quiet);
    FreeConnection(connection);
    return SQL_NULL_HDBC;
  }

  const char* text = reinterpret_cast<const char*>(completed);
  std::string name = std::strstr(text, "DSN=") ? KeyValue(text, "DSN=") : inputName;
  if (Base* open = FindBaseByName(name.c_str())) {
    Disconnect(connection);
    return Join(open);
  }
  Base* base = NewBase(name.c_str(), name.size());
  if (!base) {
    Disconnect(connection);
    return SQL_NULL_HDBC;
  }
  base->connection = connection;
  if (std::strstr(text, "UID=")) {
    CopyField(base->user, sizeof base->user, KeyValue(text, "UID=").c_str());
    CopyField(base->password, sizeof base->password, KeyValue(text, "PWD=").c_str());
  }
  base->flags = (quiet ? kBaseQuiet : 0) | ProbeFlags(connection) |
                ((options & kOpenCursorLibrary) ? kBaseCursorLibrary : 0);
  AppendBase(base);
  return connection;
}

HDBC CloneBase(Base* source, HWND window) {
  if (!source || !AcquireEnvironment()) return SQL_NULL_HDBC;
  CountEnvironmentUse();
  HDBC connection = SQL_NULL_HDBC;
  if (!Succeeded(SQLAllocConnect(OdbcEnvironment(), &connection))) {
    ReleaseEnvironmentUse();
    return SQL_NULL_HDBC;
  }
  if (source->flags & kBaseCursorLibrary)
    SQLSetConnectOption(connection, SQL_ODBC_CURSORS, SQL_CUR_USE_ODBC);
  if (!(source->flags & kBaseReadOnly))
    SQLSetConnectOption(connection, SQL_ACCESS_MODE, SQL_MODE_READ_WRITE);
  std::string connect = std::string("DSN=") + source->name + ";";
  if (source->user[0]) {
    connect += std::string("UID=") + source->user + ";";
    if (source->password[0]) connect += std::string("PWD=") + source->password + ";";
  }
  UCHAR completed[kCompletedSize] = {};
  SWORD completedLength = 0;
  if (!Succeeded(SQLDriverConnect(connection, window,
                                  reinterpret_cast<UCHAR*>(const_cast<char*>(connect.c_str())),
                                  static_cast<SWORD>(connect.size()), completed, kCompletedSize,
                                  &completedLength, SQL_DRIVER_COMPLETE))) {
    FreeConnection(connection);
    return SQL_NULL_HDBC;
  }
  Base* base = NewBase(source->name, std::strlen(source->name));
  if (!base) {
    Disconnect(connection);
    return SQL_NULL_HDBC;
  }
  base->connection = connection;
  base->flags = source->flags & ~kBaseUserLog;
  base->dictionary = source->dictionary;
  std::memcpy(base->user, source->user, sizeof base->user);
  std::memcpy(base->password, source->password, sizeof base->password);
  AppendBase(base);
  return connection;
}

long CloseBase(HDBC connection) {
  Base* base = FindBase(connection);
  if (!base) return 0xFFFF;
  if (--base->useCount > 0) return base->useCount;
  if (closingHook) closingHook(connection);
  UnlinkBase(base);
  DeleteBase(base);
  Disconnect(connection);
  return 0;
}
