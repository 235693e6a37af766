// Forward statements: prepared statements with parameters, direct
// execution with progress events, the next row, further results, cancel,
// and column data read with SQLGetData.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base_list.h"
#include "keyword_list.h"
#include "odbc_helpers.h"
#include "record_set.h"
#include "wennic.h"

namespace {

const char kKinds[] = "SET \0SELECT \0TABLES\0COLUMNS \0";
enum Kind { kOther = 0, kSet = 1, kSelect = 2, kTables = 3, kColumns = 4 };
const size_t kColumnsWord = 8;  // "COLUMNS "
const int32_t kLongParameter = 512;
const DWORD kPollMilliseconds = 100;
enum : int { kCaptionError = 1000 };


// "n:" at the start of the option text or after a non-digit, then the
// direction letter I, O or E.
SWORD Direction(const char* option, int number) {
  if (!option) return SQL_PARAM_INPUT;
  char key[16];
  int length = std::snprintf(key, sizeof key, "%d:", number);
  for (const char* at = std::strstr(option, key); at; at = std::strstr(at + 1, key)) {
    if (at > option && at[-1] >= '0' && at[-1] <= '9') continue;
    switch (at[length]) {
      case 'O': case 'o': return SQL_PARAM_OUTPUT;
      case 'E': case 'e': return SQL_PARAM_INPUT_OUTPUT;
      default: return SQL_PARAM_INPUT;
    }
  }
  return SQL_PARAM_INPUT;
}

}  // namespace

void RecordSet::ReleaseStatement(const char* context) {
  DropStatement(context);
  FreeColumns();
}

bool RecordSet::DescribeResult() {
  SWORD count = 0;
  if (!Succeeded(SQLNumResultCols(statement_, &count)) || count <= 0) return false;
  return DescribeColumns();
}

BOOL RecordSet::Prepare(const char* query, const char* option) {
  CloseCursor();
  options_ = 0;
  if (!Check(SQLAllocStmt(connection_, &statement_), "SQLAllocStmt") || !statement_) {
    statement_ = SQL_NULL_HSTMT;
    return FALSE;
  }
  SWORD count = 0;
  if (!Check(SQLPrepare(statement_, (UCHAR*)(query ? query : ""), SQL_NTS), "SQLPrepare") ||
      !Succeeded(SQLNumParams(statement_, &count)) || count <= 0) {
    ReleaseStatement("SQLFreeStmt");
    return FALSE;
  }
  columns_ = static_cast<Column*>(std::calloc(count, sizeof(Column)));
  if (!columns_) {
    ReportOdbcError(statement_, kReportNoMemory, "Allocate");
    ReleaseStatement("SQLFreeStmt");
    return FALSE;
  }
  columnCount_ = static_cast<uint16_t>(count);
  uint32_t size = 0;
  for (UWORD i = 1; i <= count; ++i) {
    Column& c = columns_[i - 1];
    SWORD sqlType = 0, scale = 0, nullable = 0;
    UDWORD precision = 0;
    if (!Check(SQLDescribeParam(statement_, i, &sqlType, &precision, &scale, &nullable),
               "SQLDescribeParam")) {
      ReleaseStatement("SQLFreeStmt");
      return FALSE;
    }
    std::snprintf(c.name, sizeof c.name, "%u", static_cast<unsigned>(i));
    c.sqlType = sqlType;
    c.decimals = static_cast<uint8_t>(scale > 0 ? scale : 0);
    c.flags = kModeFull | kColumnUpdatable;
    switch (sqlType) {
      case SQL_TINYINT: case SQL_BIGINT: case SQL_NUMERIC: case SQL_DECIMAL:
      case SQL_INTEGER: case SQL_SMALLINT:
        c.letter = scale > 0 ? 'F' : 'N';
        c.cType = scale > 0 ? SQL_C_DOUBLE : SQL_C_SLONG;
        c.size = scale > 0 ? 8 : 4;
        break;
      case SQL_FLOAT: case SQL_REAL: case SQL_DOUBLE:
        c.letter = 'F', c.cType = SQL_C_DOUBLE, c.size = 8, c.decimals = 4;
        break;
      case SQL_DATE: case SQL_TIME: case SQL_TIMESTAMP:
        c.letter = 'D', c.cType = SQL_C_TIMESTAMP, c.size = 16;
        break;
      case SQL_BIT:
        c.letter = 'L', c.cType = SQL_C_BIT, c.size = 1;
        break;
      case SQL_GUID:
        c.letter = 'C', c.cType = SQL_C_GUID, c.size = 16;
        break;
      // Long text and binary parameters are bound as 512-byte buffers.
      case SQL_LONGVARBINARY: case SQL_BINARY: case SQL_VARBINARY:
        c.letter = 'B', c.cType = SQL_C_BINARY, c.sqlType = SQL_VARBINARY;
        c.size = precision > 0 && precision < static_cast<UDWORD>(kLongParameter)
                     ? static_cast<int32_t>(precision) : kLongParameter;
        break;
      default:  // CHAR, VARCHAR, LONGVARCHAR and types the driver does not name
        c.letter = 'C', c.cType = SQL_C_CHAR;
        if (sqlType == SQL_LONGVARCHAR || sqlType == 0) c.sqlType = SQL_VARCHAR;
        c.size = precision > 0 && precision < static_cast<UDWORD>(kLongParameter)
                     ? static_cast<int32_t>(precision) + 1 : kLongParameter;
        break;
    }
    c.displayWidth = static_cast<uint16_t>(c.size);
    c.offset = size;
    size += static_cast<uint32_t>(c.size) + kIndicatorSize;
  }
  rowSize_ = size;
  currentRow_ = static_cast<unsigned char*>(std::calloc(rowSize_ + sizeof(UWORD), 1));
  if (!currentRow_) {
    ReportOdbcError(statement_, kReportNoMemory, "Allocate");
    ReleaseStatement("SQLFreeStmt");
    return FALSE;
  }
  for (UWORD i = 1; i <= count; ++i) {
    Column& c = columns_[i - 1];
    UDWORD precision = c.cType == SQL_C_CHAR ? static_cast<UDWORD>(c.size - 1) : ParameterSize(c);
    SWORD digits = c.cType == SQL_C_TIMESTAMP ? ParameterDigits(c) : c.decimals;
    if (!Check(SQLBindParameter(statement_, i, Direction(option, i), c.cType, c.sqlType, precision,
                                digits, CurrentData(c), c.size, CurrentIndicator(c)),
               "SQLBindParam")) {
      ReleaseStatement("SQLFreeStmt");
      return FALSE;
    }
    *CurrentIndicator(c) = SQL_NULL_DATA;
  }
  return TRUE;
}

BOOL RecordSet::Execute(HWND window, unsigned long event, const char* query) {
  auto fail = [&] {
    ReleaseStatement("SQLFreeStmt");
    options_ = 0;
    return FALSE;
  };
  if (!query) {
    if (!statement_) return FALSE;
    RETCODE rc = SQLExecute(statement_);
    if (rc == SQL_NEED_DATA) {
      PTR token = nullptr;
      SQLParamData(statement_, &token);
      long number = 0;
      for (uint16_t i = 0; i < columnCount_; ++i)
        if (token == CurrentData(columns_[i]) || reinterpret_cast<uintptr_t>(token) == i + 1u)
          number = i + 1;
      SQLCancel(statement_);
      char text[64], caption[32] = "";
      std::snprintf(text, sizeof text, "Not data for param #%ld", number);
      MSGTXT(kCaptionError, caption, sizeof caption);
      ErrorBox(text, "SQLExecute", caption);
      return FALSE;
    }
    if (!Check(rc, "SQLExecute") || !Succeeded(rc)) return FALSE;
    // The parameters' buffers go with their records: unbind them first.
    SQLFreeStmt(statement_, SQL_RESET_PARAMS);
    if (!DescribeResult()) {
      FreeColumns();
      return TRUE;
    }
    rc = SQLFetch(statement_);
    if (rc != SQL_NO_DATA_FOUND && !(Check(rc, "SQLFetch") && Succeeded(rc))) return FALSE;
    recordCount_ = rc == SQL_NO_DATA_FOUND ? 0 : 1;
    return TRUE;
  }
  CloseCursor();
  int kind = KeywordPrefixIndex(kKinds, query);
  if (kind == kSelect) kind = kSet;
  if (!Check(SQLAllocStmt(connection_, &statement_), "SQLAllocStmt") || !statement_) {
    statement_ = SQL_NULL_HSTMT;
    return FALSE;
  }
  long flags = BaseFlags(connection_);
  bool progress = event && flags > 0 && (flags & kBaseAsync);
  if (progress &&
      !Check(SQLSetStmtOption(statement_, SQL_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON), "SQLSetStmtOption"))
    progress = false;
  RETCODE rc;
  if (kind == kTables) {
    rc = SQLTables(statement_, nullptr, 0, nullptr, 0, nullptr, 0, (UCHAR*)"TABLE", SQL_NTS);
  } else if (kind == kColumns) {
    const char* table = std::strlen(query) > kColumnsWord ? query + kColumnsWord : "";
    rc = SQLColumns(statement_, nullptr, 0, nullptr, 0, (UCHAR*)table, SQL_NTS, nullptr, 0);
  } else {
    while ((rc = SQLExecDirect(statement_, (UCHAR*)query, SQL_NTS)) == SQL_STILL_EXECUTING) {
      if (window && progress) SendMessageA(window, WM_COMMAND, event & 0xFFFF, 0);
      Sleep(kPollMilliseconds);
    }
    if (rc == SQL_ERROR && (options_ & kCancelled)) return fail();  // cancelled: not reported
  }
  if (!Check(rc, "SQLExecDirect") || !Succeeded(rc)) return fail();
  for (;;) {
    if (DescribeResult()) {
      rc = SQLFetch(statement_);
      if (Succeeded(rc)) {
        recordCount_ = 1;
        return TRUE;
      }
      if (rc == SQL_NO_DATA_FOUND && kind == kSet) {
        recordCount_ = 0;
        return TRUE;
      }
      if (rc != SQL_NO_DATA_FOUND) Check(rc, "SQLFetch");
      return fail();
    }
    rc = SQLMoreResults(statement_);
    if (rc == SQL_NO_DATA_FOUND) {
      ReleaseStatement("SQLFreeStmt");
      return TRUE;
    }
    if (!Check(rc, "SQLMoreResults") || !Succeeded(rc)) return fail();
  }
}

BOOL RecordSet::FetchNext(BOOL more) {
  if (!statement_) return FALSE;
  RETCODE rc = SQLFetch(statement_);
  if (Succeeded(rc)) return TRUE;
  if (rc != SQL_NO_DATA_FOUND) Check(rc, "SQLFetch");
  recordCount_ = 0;
  if (more && rc == SQL_NO_DATA_FOUND) {
    FreeColumns();  // the statement stays for MoreResults
    return FALSE;
  }
  ReleaseStatement("SQLFreeStmt");
  return FALSE;
}

BOOL RecordSet::MoreResults(BOOL more) {
  if (!statement_) return FALSE;
  for (;;) {
    RETCODE rc = SQLMoreResults(statement_);
    if (rc == SQL_NO_DATA_FOUND) {
      recordCount_ = 0;
      if (!more) ReleaseStatement("SQLFreeStmt");
      else FreeColumns();
      return FALSE;
    }
    if (!Check(rc, "SQLMoreResults") || !Succeeded(rc)) {
      ReleaseStatement("SQLFreeStmt");
      return FALSE;
    }
    if (!DescribeResult()) continue;
    rc = SQLFetch(statement_);
    if (Succeeded(rc)) {
      recordCount_ = 1;
      return TRUE;
    }
    if (rc != SQL_NO_DATA_FOUND) Check(rc, "SQLFetch");
    FreeColumns();
    return FALSE;
  }
}

BOOL RecordSet::Cancel() {
  if (!statement_) return TRUE;
  if (!Check(SQLCancel(statement_), "SQLCancel")) return FALSE;
  options_ |= kCancelled;
  return TRUE;
}

long RecordSet::GetData(unsigned long column, SWORD cType, void* buffer, long size) {
  if (buffer && size > 0) std::memset(buffer, 0, static_cast<size_t>(size));
  if (!statement_ || !buffer) return 0;
  SDWORD length = 0;
  RETCODE rc = SQLGetData(statement_, static_cast<UWORD>(column & 0xFFFF), cType, buffer, size, &length);
  if (!Succeeded(rc)) {
    Check(rc, "SQLGetData");
    return 0;
  }
  if (length == SQL_NULL_DATA) return 0;
  long result = length & 0xFFFF;
  return rc == SQL_SUCCESS_WITH_INFO ? result | static_cast<long>(0xFFFF0000) : result;
}
