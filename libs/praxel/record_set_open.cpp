// Opening a query: statement, column description, buffers, binding and the
// kept query text.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "keyword_list.h"
#include "query_text.h"
#include "record_set.h"
#include "text_helpers.h"

namespace {

const char kCursorWords[] = "DYNAMIC\0STATIC\0KEYSET\0NOCHAR\0";
const size_t kCursorWordLength = 9;
const int kNoCharWord = 4;
const int kDriverNameSize = 256;
const int32_t kMaxTextBuffer = 512;
const uint32_t kMaxRowSize = 0xFFFF;  // column offsets are 16-bit words

const UDWORD kCursorTypes[] = {SQL_CURSOR_FORWARD_ONLY, SQL_CURSOR_DYNAMIC, SQL_CURSOR_STATIC,
                               SQL_CURSOR_KEYSET_DRIVEN};

uint16_t CursorOptions(const char* words) {
  uint16_t options = 0;
  std::string all = words ? words : "";
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('|', start);
    if (end == std::string::npos) end = all.size();
    std::string word = all.substr(start, std::min(end - start, kCursorWordLength));
    int index = KeywordIndex(kCursorWords, word.c_str());
    if (index >= 1 && index <= 3) options |= index;
    else if (index == kNoCharWord) options |= kNoChar;
    start = end + 1;
  }
  return options;
}

SDWORD Attribute(HSTMT statement, UWORD column, UWORD field) {
  SDWORD value = 0;
  SWORD length = 0;
  SQLColAttributes(statement, column, field, nullptr, 0, &length, &value);
  return value;
}

// Buffer, letter and mode of a column by its SQL type.
void ChooseBuffer(Column& c, SDWORD length, SWORD scale, bool noChar) {
  c.flags = (c.flags & ~kColumnMode) | kModeFull;
  auto mode = [&](int m) { c.flags = (c.flags & ~kColumnMode) | m; };
  switch (c.sqlType) {
    case SQL_GUID:
      mode(kModeHidden), c.letter = 'C', c.cType = SQL_C_GUID, c.size = length;
      break;
    case SQL_BIT:
      c.letter = 'L', c.cType = SQL_C_BIT, c.size = 1;
      break;
    case SQL_TINYINT: case SQL_BIGINT: case SQL_NUMERIC: case SQL_DECIMAL:
    case SQL_INTEGER: case SQL_SMALLINT:
      c.letter = scale > 0 ? 'F' : 'N';
      c.decimals = static_cast<uint8_t>(scale > 0 ? scale : 0);
      if (noChar) {
        c.cType = scale > 0 ? SQL_C_DOUBLE : SQL_C_SLONG;
        c.size = scale > 0 ? 8 : 4;
      } else {
        c.cType = SQL_C_CHAR;
        c.size = c.displayWidth + 1;
      }
      c.displayWidth = static_cast<uint16_t>(c.displayWidth > 2 ? c.displayWidth - 2 : 0);
      break;
    case SQL_LONGVARBINARY:
      mode(kModeHidden), c.letter = 'I', c.cType = SQL_C_BINARY, c.size = 4;
      c.flags |= kColumnLongData;
      break;
    case SQL_BINARY: case SQL_VARBINARY:
      mode(kModeHidden), c.letter = 'B', c.cType = SQL_C_BINARY;
      c.size = length > kMaxTextBuffer ? kMaxTextBuffer : length;
      break;
    case SQL_LONGVARCHAR:
      mode(kModeHidden), c.letter = 'M', c.cType = SQL_C_CHAR, c.size = 4;
      c.flags |= kColumnLongData;
      break;
    case SQL_CHAR: case SQL_VARCHAR:
      mode(kModeNormal), c.letter = 'C', c.cType = SQL_C_CHAR;
      c.size = (length & 0xFFFF) + 1;
      if (c.size > kMaxTextBuffer) c.size = kMaxTextBuffer;
      break;
    case SQL_FLOAT: case SQL_REAL: case SQL_DOUBLE:
      c.letter = 'F', c.cType = SQL_C_DOUBLE, c.size = 8, c.decimals = 4, c.displayWidth = 16;
      break;
    case SQL_DATE: case SQL_TIME: case SQL_TIMESTAMP:
      mode(kModeNormal), c.letter = 'D', c.cType = SQL_C_TIMESTAMP, c.size = 16;
      c.displayWidth = 10;
      break;
    default:
      mode(kModeHidden), c.letter = 'C', c.cType = SQL_C_CHAR, c.size = length;
      break;
  }
  if (c.size < 1 && !c.IsLongData()) c.size = 1;
}

}  // namespace

bool RecordSet::AllocateStatement() {
  DropStatement("SQLFreeStmt");
  if (!Check(SQLAllocStmt(connection_, &statement_), "SQLAllocStmt") || !statement_) {
    statement_ = SQL_NULL_HSTMT;
    return false;
  }
  ReportOdbcError(statement_, SQLSetStmtOption(statement_, SQL_CONCURRENCY, SQL_CONCUR_VALUES),
                  "SQL_CONCURRENCY");
  ReportOdbcError(statement_, SQLSetStmtOption(statement_, SQL_ROWSET_SIZE, PageRows()),
                  "SQL_ROWSET_SIZE");
  ReportOdbcError(statement_,
                  SQLSetStmtOption(statement_, SQL_CURSOR_TYPE, kCursorTypes[options_ & kCursorKind]),
                  "SQL_CURSOR_TYPE");
  return true;
}

bool RecordSet::DescribeColumns() {
  SWORD count = 0;
  if (!Check(SQLNumResultCols(statement_, &count), "SQLNumResultCols") || count <= 0) return false;
  FreeColumns();
  columns_ = static_cast<Column*>(std::calloc(count, sizeof(Column)));
  if (!columns_) {
    ReportOdbcError(statement_, kReportNoMemory, "GetColumns");
    return false;
  }
  columnCount_ = static_cast<uint16_t>(count);
  for (UWORD i = 1; i <= count; ++i) {
    Column& c = columns_[i - 1];
    UCHAR name[kDriverNameSize] = "";
    SWORD nameLength = 0, sqlType = 0, scale = 0, nullable = 0;
    UDWORD precision = 0;
    if (!Check(SQLDescribeCol(statement_, i, name, sizeof name, &nameLength, &sqlType, &precision,
                              &scale, &nullable),
               "SQLDescribeCol")) {
      FreeColumns();
      return false;
    }
    c.fullName = _strdup(reinterpret_cast<char*>(name));
    if (!c.fullName) {
      FreeColumns();
      ReportOdbcError(statement_, kReportNoMemory, "GetColumns");
      return false;
    }
    CopyText(c.name, sizeof c.name, c.fullName);
    if (nullable == SQL_NULLABLE) c.flags |= kColumnNullable;
    if (Attribute(statement_, i, SQL_COLUMN_AUTO_INCREMENT)) c.flags |= kColumnAutoIncrement;
    c.displayWidth = static_cast<uint16_t>(Attribute(statement_, i, SQL_COLUMN_DISPLAY_SIZE));
    if (Attribute(statement_, i, SQL_COLUMN_UNSIGNED)) c.flags |= kColumnUnsigned;
    Attribute(statement_, i, SQL_COLUMN_UPDATABLE);
    c.flags |= kColumnUpdatable;
    if (Attribute(statement_, i, SQL_COLUMN_MONEY)) c.flags |= kColumnMoney;
    SDWORD length = Attribute(statement_, i, SQL_COLUMN_LENGTH);
    c.sqlType = sqlType;
    ChooseBuffer(c, length, scale, (options_ & kNoChar) != 0);
  }
  return true;
}

bool RecordSet::AllocateBuffers() {
  uint64_t size = 0;
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    c.offset = static_cast<uint32_t>(size);
    size += c.IsLongData() ? kLongDataSlot : static_cast<uint64_t>(c.size) + kIndicatorSize;
  }
  // Rows past the 16-bit offsets, or pages past 32 bits, are refused.
  const unsigned long rows = PageRows();
  uint64_t pageSize = size * (static_cast<uint64_t>(rows) + 1);
  if (size == 0 || size > kMaxRowSize || pageSize > 0x7FFFFFFF) {
    ReportOdbcError(statement_, kReportNoMemory, "BindPage");
    return false;
  }
  rowSize_ = static_cast<uint32_t>(size);
  pageRowCount_ = rows;
  std::free(currentRow_);
  currentRow_ = static_cast<unsigned char*>(std::calloc(rowSize_ + sizeof(UWORD), 1));
  if (!currentRow_) {
    ReportOdbcError(statement_, kReportNoMemory, "BindRecord");
    return false;
  }
  pageBlock_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(pageSize));
  pageRows_ = pageBlock_ ? static_cast<unsigned char*>(GlobalLock(pageBlock_)) : nullptr;
  rowStatus_ = static_cast<UWORD*>(std::calloc(rows + 1, sizeof(UWORD)));
  if (!pageRows_ || !rowStatus_) {
    ReportOdbcError(statement_, kReportNoMemory, "BindPage");
    return false;
  }
  return true;
}

bool RecordSet::BindColumns(unsigned long firstRow) {
  for (uint16_t i = 0; i < columnCount_; ++i) {
    Column& c = columns_[i];
    if (c.IsLongData()) continue;
    unsigned char* data = PageRow(firstRow) + c.offset;
    if (!Check(SQLBindCol(statement_, i + 1, c.cType, data, c.size,
                          reinterpret_cast<SDWORD*>(data + c.size)),
               "SQLBindCol"))
      return false;
  }
  return true;
}

bool RecordSet::KeepQueryText(const char* query) {
  size_t length = std::strlen(query);
  queryBlock_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  queryText_ = queryBlock_ ? static_cast<char*>(GlobalLock(queryBlock_)) : nullptr;
  if (!queryText_) {
    ReportOdbcError(statement_, kReportNoMemory, "Allocate");
    return false;
  }
  std::memcpy(queryText_, query, length + 1);
  SqueezeQuery(queryText_);
  ParseSortColumns(queryText_);
  return true;
}

BOOL RecordSet::OpenCursor(const char* query, const char* cursorWords) {
  CloseCursor();
  options_ = CursorOptions(cursorWords);
  if (!query) query = "";
  if (!AllocateStatement()) return FALSE;
  if (!Check(SQLPrepare(statement_, (UCHAR*)query, SQL_NTS), "SQLPrepare") ||
      !DescribeColumns() || !AllocateBuffers() || !KeepQueryText(query) || !RefreshCursor(0)) {
    CloseCursor();
    return FALSE;
  }
  return TRUE;
}
