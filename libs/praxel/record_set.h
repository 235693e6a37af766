// Praxel's record set: RecordSetObject over one ODBC statement, with its
// columns, a page of rows fetched with row-wise binding, the current row
// (also the edit buffer), the query text it keeps and edits, and its sort
// columns. Diagnostics go through RecordSetDiagnostics with a context word
// at each step.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>
#include <vector>

#include "odbc_report.h"
#include "record_set_object.h"

// Column flags.
enum : uint16_t {
  kColumnMode = 0x0003,
  kColumnVirtual = 0x0004,
  kColumnWrap = 0x0008,
  kColumnBitmap = 0x0010,
  kColumnPrint = 0x0020,
  kColumnSortKey = 0x0040,
  kColumnNullable = 0x0080,
  kColumnUnsigned = 0x0100,
  kColumnUpdatable = 0x0200,
  kColumnMoney = 0x0400,
  kColumnLongData = 0x0800,
  kColumnModified = 0x1000,
  kColumnAutoIncrement = 0x2000,
};

// Options of the record set.
enum : uint16_t {
  kCursorKind = 0x0003,  // 0 forward only, 1 dynamic, 2 static, 3 keyset
  kRequery = 0x0004,     // the query text changed: the next refresh prepares it
  kCancelled = 0x0008,
  kNoChar = 0x0010,      // numbers bound as binary numbers
};

const unsigned long kRowsetUnplaced = ~0ul;
const int kColumnNameSize = 16;
const int kMaxSortColumns = 4;
const int kIndicatorSize = sizeof(SDWORD);
const int kLongDataSlot = 8;  // token and length indicator of a long-data column

struct Column {
  char name[kColumnNameSize];  // cut to 15 characters
  int16_t sqlType;
  int16_t cType;
  uint16_t flags;
  uint16_t event;
  int32_t size;       // data bytes in a row (long data: bytes waiting to be sent)
  char letter;
  uint8_t decimals;
  uint32_t offset;    // where the data starts in a row
  uint16_t displayWidth;
  uint16_t userWidth;
  void* extra;        // footer text, or the long data waiting to be sent
  char* fullName;     // the name as the driver gave it, for generated statements

  int Mode() const { return flags & kColumnMode; }
  bool IsLongData() const { return (flags & kColumnLongData) != 0; }
};

// Column size and decimal digits a column is described with as a statement
// parameter: a time stamp as its text "yyyy-mm-dd hh:mm:ss.fff" (its 16
// bytes as the size would make a driver write it to the minute).
inline UDWORD ParameterSize(const Column& c) {
  return c.cType == SQL_C_TIMESTAMP ? 23 : static_cast<UDWORD>(c.size);
}
inline SWORD ParameterDigits(const Column& c) {
  return c.cType == SQL_C_TIMESTAMP ? 3 : 0;
}

class RecordSet final : public RecordSetObject, public RecordSetDiagnostics {
 public:
  RecordSet(HDBC connection, const char* name);
  ~RecordSet();
  bool constructed() const { return nameCopied_; }

  // RecordSetObject, in slot order.
  RecordSetObject* SetCacheSize(unsigned long rows) override;
  BOOL FetchPage(long first) override;
  long RecordCount() override { return recordCount_; }
  BOOL GoToRecord(long record) override;
  long NewRecord() override;
  BOOL EditRecord(long record) override;
  BOOL InsertRecord() override;
  BOOL UpdateRecord(long record) override;
  BOOL DeleteRecord(long record) override;
  long Seek(const char* pattern, unsigned long length) override;
  long IsDeleted() override;
  long FieldIndex(const char* name) override;
  long FieldName(unsigned long column, char* buffer, long size) override;
  long FieldCount() override { return columnCount_; }
  long FieldWidth(unsigned long column, BOOL asText) override;
  long SetFieldWidth(unsigned long column, unsigned long width) override;
  long FieldOption(unsigned long column, unsigned long code) override;
  long FieldType(unsigned long column) override;
  long GetSort(char* buffer, long size) override;
  BOOL SetSort(const char* order) override;
  long FieldEvent(unsigned long column) override;
  BOOL FieldBuffer(unsigned long column, FieldRequest* request) override;
  long GetFieldTextByName(const char* name, char* buffer, long size) override;
  long GetFieldText(unsigned long column, char* buffer, long size) override;
  BOOL PutFieldTextByName(const char* name, const char* text, long length) override;
  BOOL PutFieldText(unsigned long column, const char* text, long length) override;
  long GetFooter(unsigned long column, char* buffer, long size) override;
  BOOL Transaction(const char* action) override;

  // Query and cursor.
  BOOL OpenCursor(const char* query, const char* cursorWords);
  BOOL RefreshCursor(BOOL reprepare);
  void CloseCursor();
  long ApplyFieldOption(unsigned long column, const char* option);
  int ParseSortColumns(const char* query);
  // Sort, seek, patterns and links.
  BOOL SetSortColumn(unsigned long column);
  int CompareField(unsigned long column, const char* pattern, unsigned long length);
  long LinkDetail(const uint16_t ownKeys[kMaxSortColumns], RecordSet* other,
                  const uint16_t otherKeys[kMaxSortColumns], unsigned long otherText);
  // 0, or a message number: 13 invalid date, 116 wrong type, 8 no memory.
  int SetPattern(const char* field, const char* pattern);
  int GetPattern(const char* field, std::string* pattern);
  // Forward statements.
  BOOL Prepare(const char* query, const char* option);
  BOOL Execute(HWND window, unsigned long event, const char* query);
  BOOL FetchNext(BOOL more);
  BOOL MoreResults(BOOL more);
  BOOL Cancel();
  long GetData(unsigned long column, SWORD cType, void* buffer, long size);
  // Replaces a column's footer text (takes the heap text, or null).
  BOOL SetFooter(unsigned long column, char* text);

  // The query dialog.
  void ShowQueryText(HWND window);
  void ShowColumns(HWND listView);

  // What the exports and the parts below read.
  const Column* ColumnAt(unsigned long column) const;
  const char* QueryText() const { return queryText_ ? queryText_ : ""; }
  HSTMT statement() const { return statement_; }
  long currentRecord() const { return currentRecord_; }

 protected:
  Column* ColumnRecord(unsigned long column);
  unsigned char* CurrentData(const Column& c) { return currentRow_ + c.offset; }
  SDWORD* CurrentIndicator(const Column& c) {
    return reinterpret_cast<SDWORD*>(currentRow_ + c.offset + (c.IsLongData() ? 4 : c.size));
  }
  unsigned char* PageRow(unsigned long index) { return pageRows_ + index * rowSize_; }

  void ClearCurrentRow();
  // Copies a record of the page (and its status) into the current row.
  void MakeCurrent(long record);
  // Replaces the kept query text (the block grows as needed); false, the
  // text unchanged, when it cannot grow.
  bool ReplaceQuery(const std::string& text);
  bool DescribeResult();
  void ReleaseStatement(const char* context);
  // Editing.
  bool AnyModified() const;
  void ClearModified();
  RETCODE PutLongData(HSTMT statement);
  void FreeWaitingData();
  bool LongDataWaits() const;
  BOOL SetPosWrite(unsigned long row, UWORD operation, const char* context);
  BOOL PositionedStatement(const char* kind, const char* context);
  BOOL BindModifiedParameters(HSTMT second);
  int KeyedUpdate(long record);
  RETCODE ExecuteSending(HSTMT statement, const std::string& text);
  std::vector<uint16_t> PrimaryKeyColumns();
  BOOL PositionRow(const char* context);
  long ReadLongData(Column& c, FieldRequest* request);
  BOOL WriteLongData(unsigned long column, Column& c, FieldRequest* request);
  BOOL ReadOrdinary(Column& c, FieldRequest* request);
  BOOL WriteOrdinary(unsigned long column, Column& c, FieldRequest* request);
  bool AllocateStatement();
  void DropStatement(const char* context);
  bool DescribeColumns();
  bool AllocateBuffers();
  bool BindColumns(unsigned long firstRow = 0);
  void FreeColumns();
  void FreeBuffers();
  bool KeepQueryText(const char* query);
  bool SetBindType();
  bool CountRecords();
  bool CountByProbes(long* count);
  RETCODE Fetch(UWORD orientation, long row, UDWORD* fetched);
  bool KeepsSharedRows(long first) const;
  RETCODE FetchAfterSharedRows(long first, long shared, UDWORD* fetched);
  bool PlaceRowset(unsigned long firstRow);
  bool AlignRowset();
  // Rows a page holds: those the buffers were made for; a SetCacheSize
  // after opening takes effect at the next open.
  unsigned long PageRows() const {
    return pageRowCount_ ? pageRowCount_ : cacheRows_ ? cacheRows_ : 1;
  }
  bool Check(RETCODE rc, const char* context) { return ReportOdbcError(statement_, rc, context) != 0; }

  char* nameText_;
  bool nameCopied_;
  HSTMT statement_ = SQL_NULL_HSTMT;
  uint16_t options_ = 0;
  Column* columns_ = nullptr;
  uint16_t columnCount_ = 0;
  uint32_t rowSize_ = 0;
  unsigned long cacheRows_ = 1;
  unsigned long pageRowCount_ = 0;  // rows the page buffer was made for (0: none)
  long pageFirst_ = 0;
  long pageEnd_ = 0;
  long recordCount_ = 0;
  long currentRecord_ = 0;
  uint16_t currentIndex_ = 0;
  HGLOBAL queryBlock_ = nullptr;
  char* queryText_ = nullptr;  // queryBlock_ locked while it lives
  HGLOBAL pageBlock_ = nullptr;
  unsigned char* pageRows_ = nullptr;  // pageBlock_ locked while it lives
  UWORD* rowStatus_ = nullptr;
  // The page row where the driver's rowset starts: 0 but after a fetch that
  // kept the rows a re-centred page shares with the old one (its rowset is
  // then the rows behind them); kRowsetUnplaced when not known.
  unsigned long rowsetAt_ = 0;
  unsigned char* currentRow_ = nullptr;  // rowSize_ + 2: the row and its status
  uint16_t sortColumns_[kMaxSortColumns] = {};
  uint16_t sortCount_ = 0;
};
