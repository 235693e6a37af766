// Editing: the edit buffer (the current row) written back with SQLSetPos or
// with generated statements, records deleted, long data sent, and
// transactions on the connection.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base_list.h"
#include "keyword_list.h"
#include "odbc_helpers.h"
#include "record_set.h"
#include "wennic.h"

namespace {

const int kCursorNameSize = 32;
const int kColumnNameLimit = 256;
const char kTransactionWords[] = "BEGIN\0COMMIT\0ROLLBACK\0";
enum : int { kBadFunctionName = 94, kCaptionWarning = 1001 };



// A statement of its own on the connection, dropped at the end.
class SecondStatement {
 public:
  explicit SecondStatement(HDBC connection) {
    if (!Succeeded(SQLAllocStmt(connection, &handle_))) handle_ = SQL_NULL_HSTMT;
  }
  ~SecondStatement() {
    if (handle_) SQLFreeStmt(handle_, SQL_DROP);
  }
  HSTMT handle() const { return handle_; }

 private:
  HSTMT handle_ = SQL_NULL_HSTMT;
};

}  // namespace

bool RecordSet::AnyModified() const {
  for (uint16_t i = 0; i < columnCount_; ++i)
    if (columns_[i].flags & kColumnModified) return true;
  return false;
}

void RecordSet::ClearModified() {
  for (uint16_t i = 0; i < columnCount_; ++i) columns_[i].flags &= ~kColumnModified;
}

bool RecordSet::LongDataWaits() const {
  for (uint16_t i = 0; i < columnCount_; ++i)
    if (columns_[i].IsLongData() && columns_[i].extra) return true;
  return false;
}

void RecordSet::FreeWaitingData() {
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    if (!c.IsLongData()) continue;
    if (statement_) SQLBindCol(statement_, i + 1, c.cType, nullptr, 0, nullptr);
    std::free(c.extra);
    c.extra = nullptr;
    c.size = 0;
  }
}

long RecordSet::NewRecord() {
  ClearModified();
  if (currentRow_) std::memset(currentRow_, 0, rowSize_);
  return 1;
}

BOOL RecordSet::EditRecord(long record) {
  if (pageFirst_ && record >= pageFirst_ && record < pageEnd_ && !FetchPage(0)) return FALSE;
  if (!GoToRecord(record)) return FALSE;
  ClearModified();
  return TRUE;
}

RETCODE RecordSet::PutLongData(HSTMT statement) {
  RETCODE rc;
  PTR value = nullptr;
  while ((rc = SQLParamData(statement, &value)) == SQL_NEED_DATA) {
    // The driver names the data by its buffer (the slot that holds the
    // column number) or by the token itself.
    uintptr_t token = reinterpret_cast<uintptr_t>(value);
    const Column* c = token >= 1 && token <= columnCount_ ? &columns_[token - 1] : nullptr;
    for (uint16_t i = 0; !c && i < columnCount_; ++i) {
      const Column& k = columns_[i];
      if (!k.IsLongData()) continue;
      uintptr_t edit = reinterpret_cast<uintptr_t>(currentRow_ + k.offset);
      uintptr_t page = reinterpret_cast<uintptr_t>(pageRows_ + k.offset);
      if (token == edit || (token >= page && token < page + rowSize_ * (PageRows() + 1) &&
                            (token - page) % rowSize_ == 0))
        c = &k;
    }
    if (!c || !c->extra) {
      SQLCancel(statement);
      rc = SQL_ERROR;
      break;
    }
    if (!ReportOdbcError(statement, SQLPutData(statement, c->extra, c->size), "SQLPutData")) {
      SQLCancel(statement);
      rc = SQL_ERROR;
      break;
    }
  }
  ReportOdbcError(statement, rc, "SQLParamData");
  FreeWaitingData();
  return rc;
}

// SQLSetPos UPDATE or ADD of a page row from the edit buffer. Unmodified
// ordinary columns are ignored; the fetched length words are kept aside
// and restored in the page row and the edit buffer afterwards, and a
// failed call puts the page row back as it was.
BOOL RecordSet::SetPosWrite(unsigned long row, UWORD operation, const char* context) {
  if (!AlignRowset()) return FALSE;
  std::vector<SDWORD> kept(columnCount_);
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    kept[i] = *CurrentIndicator(c);
    if (!c.IsLongData() && !(c.flags & kColumnModified)) *CurrentIndicator(c) = SQL_IGNORE;
  }
  unsigned char* target = PageRow(row - 1);
  std::vector<unsigned char> before(target, target + rowSize_);
  std::memcpy(target, currentRow_, rowSize_);
  const bool waits = LongDataWaits();
  RETCODE rc = SQLSetPos(statement_, static_cast<UWORD>(row), operation, SQL_LOCK_NO_CHANGE);
  if (rc == SQL_NEED_DATA) {
    rc = PutLongData(statement_);
  } else if (waits) {
    FreeWaitingData();  // the data was never asked for: not written
    if (Succeeded(rc)) rc = SQL_ERROR;
  }
  BOOL ok = Check(rc, context) && Succeeded(rc);
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    if (c.IsLongData()) continue;
    *CurrentIndicator(c) = kept[i];
  }
  if (ok) std::memcpy(target, currentRow_, rowSize_);
  else std::memcpy(target, before.data(), rowSize_);
  return ok;
}

BOOL RecordSet::BindModifiedParameters(HSTMT second) {
  UWORD k = 0;
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    if (!(c.flags & kColumnModified)) continue;
    unsigned char* data = CurrentData(c);
    SDWORD* indicator = CurrentIndicator(c);
    if (!ReportOdbcError(second, SQLBindParameter(second, ++k, SQL_PARAM_INPUT, c.cType, c.sqlType,
                                                  ParameterSize(c), ParameterDigits(c), data,
                                                  c.IsLongData() ? 4 : c.size, indicator),
               "SQLBindParameter"))
      return FALSE;
  }
  return TRUE;
}

// The current row positioned in the page (for a positioned statement or a
// long-data read).
BOOL RecordSet::PositionRow(const char* context) {
  if (!AlignRowset()) return FALSE;
  return Check(SQLSetPos(statement_, currentIndex_, SQL_POSITION, SQL_LOCK_NO_CHANGE), context);
}

// "UPDATE name SET c=?,... WHERE CURRENT OF cursor" or "DELETE FROM name
// WHERE CURRENT OF cursor" on a second statement.
BOOL RecordSet::PositionedStatement(const char* kind, const char* context) {
  if (!PositionRow("SQLSetPos")) return FALSE;
  UCHAR cursor[kCursorNameSize] = "";
  SWORD length = 0;
  if (!Check(SQLGetCursorName(statement_, cursor, sizeof cursor, &length), "SQLGetCursorName"))
    return FALSE;
  SecondStatement second(connection_);
  if (!Check(second.handle() ? SQL_SUCCESS : SQL_ERROR, "SQLAllocStmt") || !second.handle())
    return FALSE;
  std::string text;
  if (std::strcmp(kind, "UPDATE") == 0) {
    text = std::string("UPDATE ") + name() + " SET ";
    bool first = true;
    for (uint16_t i = 0; i < columnCount_; ++i) {
      if (!(columns_[i].flags & kColumnModified)) continue;
      if (!first) text += ',';
      text += std::string(columns_[i].fullName) + "=?";
      first = false;
    }
    if (!BindModifiedParameters(second.handle())) return FALSE;
  } else {
    text = std::string("DELETE FROM ") + name();
  }
  text += std::string(" WHERE CURRENT OF ") + reinterpret_cast<char*>(cursor);
  RETCODE rc = SQLExecDirect(second.handle(), (UCHAR*)text.c_str(), SQL_NTS);
  if (rc == SQL_NEED_DATA) rc = PutLongData(second.handle());
  return ReportOdbcError(second.handle(), rc, context) && Succeeded(rc);
}

// A generated INSERT or UPDATE executed, the waiting long data sent when
// the driver asks for it; data it never asked for was not written: an error.
RETCODE RecordSet::ExecuteSending(HSTMT statement, const std::string& text) {
  const bool waits = LongDataWaits();
  RETCODE rc = SQLExecDirect(statement, (UCHAR*)text.c_str(), SQL_NTS);
  if (rc == SQL_NEED_DATA) return PutLongData(statement);
  if (waits) {
    FreeWaitingData();
    if (Succeeded(rc)) rc = SQL_ERROR;
  }
  return rc;
}

// The columns of the table's primary key as the driver names them, as
// column indexes; none when a key column is not in the record set.
std::vector<uint16_t> RecordSet::PrimaryKeyColumns() {
  std::vector<uint16_t> keys;
  SecondStatement lookup(connection_);
  if (!lookup.handle() ||
      !Succeeded(SQLPrimaryKeys(lookup.handle(), nullptr, 0, nullptr, 0,
                                (UCHAR*)const_cast<char*>(name()), SQL_NTS)))
    return keys;
  char column[kColumnNameLimit] = "";
  SDWORD length = 0;
  while (Succeeded(SQLFetch(lookup.handle()))) {
    if (!Succeeded(SQLGetData(lookup.handle(), 4, SQL_C_CHAR, column, sizeof column, &length)))
      return {};
    uint16_t i = 0;
    while (i < columnCount_ && _stricmp(columns_[i].fullName, column) != 0) ++i;
    if (i == columnCount_ || columns_[i].IsLongData()) return {};
    keys.push_back(i);
  }
  return keys;
}

// "UPDATE name SET c=?,... WHERE k=? AND ..." by the primary key's values
// as fetched, for a driver whose SQLSetPos would write every column. -1
// when the table has no key in the record set (nothing sent).
int RecordSet::KeyedUpdate(long record) {
  std::vector<uint16_t> keys = PrimaryKeyColumns();
  if (keys.empty()) return -1;
  unsigned char* fetched = PageRow(static_cast<unsigned long>(record - pageFirst_));
  std::string text = std::string("UPDATE ") + name() + " SET ";
  UWORD k = 0;
  for (uint16_t i = 0; i < columnCount_; ++i) {
    if (!(columns_[i].flags & kColumnModified)) continue;
    text += std::string(k++ ? "," : "") + columns_[i].fullName + "=?";
  }
  for (size_t j = 0; j < keys.size(); ++j)
    text += std::string(j ? " AND " : " WHERE ") + columns_[keys[j]].fullName + "=?";
  SecondStatement second(connection_);
  if (!Check(second.handle() ? SQL_SUCCESS : SQL_ERROR, "SQLAllocStmt") || !second.handle())
    return FALSE;
  if (!BindModifiedParameters(second.handle())) return FALSE;
  for (uint16_t key : keys) {
    Column& c = columns_[key];
    unsigned char* data = fetched + c.offset;
    SDWORD* indicator = reinterpret_cast<SDWORD*>(data + c.size);
    if (!ReportOdbcError(second.handle(),
                         SQLBindParameter(second.handle(), ++k, SQL_PARAM_INPUT, c.cType, c.sqlType,
                                          ParameterSize(c), ParameterDigits(c), data, c.size,
                                          indicator),
                         "SQLBindParameter"))
      return FALSE;
  }
  RETCODE rc = ExecuteSending(second.handle(), text);
  if (!(ReportOdbcError(second.handle(), rc, "SQLUpdate") && Succeeded(rc))) return FALSE;
  std::memcpy(fetched, currentRow_, rowSize_);
  return TRUE;
}

BOOL RecordSet::UpdateRecord(long record) {
  long flags = BaseFlags(connection_);
  if (flags < 0) flags = 0;
  if (!(flags & (kBaseSetPosUpdate | kBasePositionedUpdate))) {
    MessageBeep(static_cast<UINT>(-1));
    return FALSE;
  }
  // The record must be the one EditRecord made current, in the page.
  if (!statement_ || !pageFirst_ || record < pageFirst_ || record >= pageEnd_) return FALSE;
  if (!AnyModified()) return TRUE;
  WaitCursor wait;
  if (flags & kBaseSetPosUpdate) {
    int keyed = (flags & kBaseSetPosWritesAll) ? KeyedUpdate(record) : -1;
    if (keyed >= 0) return keyed;
    return SetPosWrite(static_cast<unsigned long>(record - pageFirst_ + 1), SQL_UPDATE, "SQLUpdate");
  }
  currentIndex_ = static_cast<uint16_t>(record - pageFirst_ + 1);
  return PositionedStatement("UPDATE", "SQLUpdate");
}

BOOL RecordSet::InsertRecord() {
  long flags = BaseFlags(connection_);
  if (flags < 0) flags = 0;
  if (!(flags & (kBaseSetPosAdd | kBasePositionedUpdate))) {
    MessageBeep(static_cast<UINT>(-1));
    return FALSE;
  }
  if (!statement_ || !currentRow_) return FALSE;
  if (!AnyModified()) return TRUE;
  WaitCursor wait;
  if ((flags & kBaseSetPosAdd) && !(flags & kBaseSetPosWritesAll)) {
    if (!SetPosWrite(PageRows() + 1, SQL_ADD, "SQLAppend")) return FALSE;
    SDWORD rows = 0;
    if (!Check(SQLRowCount(statement_, &rows), "SQLRowCount")) return FALSE;
    recordCount_ += rows > 0 ? rows : 1;  // SQLite answers 0 for a stored row
    return TRUE;
  }
  std::string columns, marks;
  for (uint16_t i = 0; i < columnCount_; ++i) {
    if (!(columns_[i].flags & kColumnModified)) continue;
    if (!columns.empty()) columns += ',', marks += ',';
    columns += columns_[i].fullName;
    marks += '?';
  }
  std::string text = std::string("INSERT INTO ") + name() + " (" + columns + ") VALUES (" + marks + ")";
  SecondStatement second(connection_);
  if (!Check(second.handle() ? SQL_SUCCESS : SQL_ERROR, "SQLAllocStmt") || !second.handle())
    return FALSE;
  if (!BindModifiedParameters(second.handle())) return FALSE;
  RETCODE rc = ExecuteSending(second.handle(), text);
  if (!(ReportOdbcError(second.handle(), rc, "SQLAppend") && Succeeded(rc))) return FALSE;
  ++recordCount_;
  return TRUE;
}

BOOL RecordSet::DeleteRecord(long record) {
  if (!GoToRecord(record)) return FALSE;
  long flags = BaseFlags(connection_);
  if (flags < 0) flags = 0;
  if (flags & kBaseSetPosDelete) {
    if (!AlignRowset()) return FALSE;
    RETCODE rc = SQLSetPos(statement_, currentIndex_, SQL_DELETE, SQL_LOCK_NO_CHANGE);
    return Check(rc, "SQLSetPos") && Succeeded(rc);
  }
  if (flags & kBasePositionedDelete) return PositionedStatement("DELETE", "SQLDelete");
  MessageBeep(static_cast<UINT>(-1));
  return FALSE;
}

BOOL RecordSet::Transaction(const char* action) {
  int word = KeywordIndex(kTransactionWords, action ? action : "");
  RETCODE rc;
  switch (word) {
    case 1:
      rc = SQLSetConnectOption(connection_, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF);
      break;
    case 2:
    case 3:
      rc = SQLTransact(OdbcEnvironment(), connection_, word == 2 ? SQL_COMMIT : SQL_ROLLBACK);
      // Autocommit comes back only once the transaction has ended.
      if (Succeeded(rc)) SQLSetConnectOption(connection_, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_ON);
      break;
    default: {
      char text[128] = "", caption[32] = "";
      MSGTXT(kBadFunctionName, text, sizeof text);
      MSGTXT(kCaptionWarning, caption, sizeof caption);
      ErrorBox(text, "Transaction", caption);
      return FALSE;
    }
  }
  // The outcome is the call's own: a Retry in the box does not undo it.
  ReportOdbcError(SQL_NULL_HSTMT, rc, "SQLTransaction");
  return Succeeded(rc);
}
