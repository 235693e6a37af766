#include "record_set.h"

#include <cstdlib>
#include <cstring>

RecordSet::RecordSet(HDBC connection, const char* name)
    : RecordSetDiagnostics(nullptr, connection),
      nameText_(name && *name ? _strdup(name) : nullptr),
      nameCopied_(!(name && *name) || nameText_) {
  name_ = nameText_;
}

RecordSet::~RecordSet() {
  if (statement_ || columns_ || queryBlock_ || pageBlock_ || currentRow_) CloseCursor();
  std::free(nameText_);
}

RecordSetObject* RecordSet::SetCacheSize(unsigned long rows) {
  cacheRows_ = rows;
  return this;
}

void RecordSet::DropStatement(const char* context) {
  if (!statement_) return;
  ReportOdbcError(statement_, SQLFreeStmt(statement_, SQL_DROP), context);
  statement_ = SQL_NULL_HSTMT;
  rowsetAt_ = 0;  // a new statement's rowset is the whole page
}

void RecordSet::CloseCursor() {
  if (statement_) {
    SQLFreeStmt(statement_, SQL_DROP);
    statement_ = SQL_NULL_HSTMT;
  }
  rowsetAt_ = 0;
  FreeColumns();
  FreeBuffers();
  if (queryBlock_) {
    GlobalUnlock(queryBlock_);
    GlobalFree(queryBlock_);
    queryBlock_ = nullptr;
    queryText_ = nullptr;
  }
  pageFirst_ = pageEnd_ = recordCount_ = currentRecord_ = 0;
  currentIndex_ = 0;
}

void RecordSet::FreeColumns() {
  for (uint16_t i = 0; columns_ && i < columnCount_; ++i) {
    std::free(columns_[i].extra);  // a footer text, or long data never sent
    std::free(columns_[i].fullName);
  }
  std::free(columns_);
  columns_ = nullptr;
  columnCount_ = 0;
  std::free(currentRow_);
  currentRow_ = nullptr;
  sortCount_ = 0;
  std::memset(sortColumns_, 0, sizeof sortColumns_);
}

void RecordSet::FreeBuffers() {
  if (pageBlock_) {
    GlobalUnlock(pageBlock_);
    GlobalFree(pageBlock_);
    pageBlock_ = nullptr;
  }
  pageRows_ = nullptr;
  pageRowCount_ = 0;
  std::free(rowStatus_);
  rowStatus_ = nullptr;
  std::free(currentRow_);
  currentRow_ = nullptr;
}

const Column* RecordSet::ColumnAt(unsigned long column) const {
  column &= 0xFFFF;
  return column >= 1 && column <= columnCount_ ? &columns_[column - 1] : nullptr;
}

Column* RecordSet::ColumnRecord(unsigned long column) {
  return const_cast<Column*>(ColumnAt(column));
}

long RecordSet::IsDeleted() {
  if (!currentRow_ || !currentIndex_) return 0;
  UWORD status = 0;
  std::memcpy(&status, currentRow_ + rowSize_, sizeof status);
  return status & 1;
}
