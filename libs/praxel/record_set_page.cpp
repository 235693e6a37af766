// The page cache: refreshing the cursor, counting its records, fetching a
// page of rows and moving the current record.
#include <cstring>

#include "odbc_helpers.h"
#include "record_set.h"
#include "row_copy.h"
#include "wennic.h"

namespace {

enum : int { kRecordNotFound = 93, kCaptionError = 1000 };
const uint16_t kStaticCursor = 2;

}  // namespace

RETCODE RecordSet::Fetch(UWORD orientation, long row, UDWORD* fetched) {
  *fetched = 0;
  if (rowsetAt_ != 0 && !PlaceRowset(0)) return SQL_ERROR;
  std::memset(pageRows_, 0, static_cast<size_t>(rowSize_) * (PageRows() + 1));
  return SQLExtendedFetch(statement_, orientation, row, fetched, rowStatus_);
}

bool RecordSet::SetBindType() {
  RETCODE rc = SQLSetStmtOption(statement_, SQL_BIND_TYPE, rowSize_);
  if (Succeeded(rc)) return true;
  // Drivers that refuse the 2.x option take the attribute of 3.x.
  if (Succeeded(SQLSetStmtAttr(statement_, SQL_ATTR_ROW_BIND_TYPE,
                               reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(rowSize_)), 0)))
    return true;
  // Column-wise binding serves a page of one row alike.
  return ReportOdbcError(statement_, rc, "SQL_BIND_TYPE") != 0 || PageRows() <= 1;
}

BOOL RecordSet::RefreshCursor(BOOL reprepare) {
  if (!columns_ || !pageRows_) return FALSE;
  WaitCursor wait;
  recordCount_ = pageFirst_ = pageEnd_ = 0;
  currentRecord_ = 0;
  currentIndex_ = 0;
  if (!reprepare && !(options_ & kRequery) && statement_) {
    SQLFreeStmt(statement_, SQL_CLOSE);
  } else {
    options_ &= ~kRequery;
    if (!AllocateStatement()) return FALSE;
    if (!Check(SQLPrepare(statement_, (UCHAR*)QueryText(), SQL_NTS), "SQLPrepare")) return FALSE;
  }
  if (!SetBindType()) return FALSE;
  std::memset(pageRows_, 0, static_cast<size_t>(rowSize_) * (PageRows() + 1));
  if (rowsetAt_ == 0 ? !BindColumns() : !PlaceRowset(0)) return FALSE;
  if (!Check(SQLExecute(statement_), "SQLRefresh")) return FALSE;
  if (!CountRecords()) return FALSE;
  UDWORD fetched = 0;
  RETCODE rc = Fetch(SQL_FETCH_FIRST, 0, &fetched);
  if (rc != SQL_NO_DATA_FOUND && Check(rc, "SQLExtendedFetch") && fetched > 0) {
    pageFirst_ = 1;
    pageEnd_ = 1 + static_cast<long>(fetched);
  }
  return TRUE;
}

bool RecordSet::CountRecords() {
  UDWORD fetched = 0;
  RETCODE rc = Fetch(SQL_FETCH_LAST, 0, &fetched);
  if (rc == SQL_NO_DATA_FOUND) return true;
  // A result shorter than a page starts its last rowset "before the
  // beginning" (01S06): the count is still right.
  if (!ReportOdbcError(statement_, rc, "SQLExtendedFetch", "01S06")) return false;
  UDWORD number = 0;
  long count = 0;
  // A row number that is not answered, or not one (SQLite answers -2), is
  // found by absolute fetches instead.
  if (SQLGetStmtOption(statement_, SQL_ROW_NUMBER, &number) == SQL_SUCCESS &&
      static_cast<SDWORD>(number) >= 1) {
    count = static_cast<long>(number) + static_cast<long>(fetched) - 1;
  } else if (!CountByProbes(&count)) {
    return false;
  }
  recordCount_ = count > 0 ? count : 0;
  return true;
}

// Absolute fetches: doubling while rows are found, then halving between the
// last row seen and the first position without one.
bool RecordSet::CountByProbes(long* count) {
  long known = 0;     // rows 1..known exist
  long missing = 0;   // no row there (0: not found yet)
  long probe = 1;
  for (;;) {
    UDWORD fetched = 0;
    RETCODE rc = Fetch(SQL_FETCH_ABSOLUTE, probe, &fetched);
    if (rc != SQL_NO_DATA_FOUND && !Check(rc, "SQLExtendedFetch")) return false;
    if (rc != SQL_NO_DATA_FOUND && fetched > 0) {
      known = probe + static_cast<long>(fetched) - 1;
      if (fetched < PageRows()) break;  // the rowset ran past the end
    } else {
      missing = probe;
    }
    if (missing && missing <= known + 1) break;
    probe = missing ? known + 1 + (missing - known - 1) / 2 : (known + 1) * 2;
  }
  *count = known;
  return true;
}

BOOL RecordSet::FetchPage(long first) {
  if (!statement_ || !pageRows_) return FALSE;
  if (first == 0) first = pageFirst_ ? pageFirst_ : 1;
  if (first > recordCount_ || first < 1) {
    char text[128] = "";
    char caption[32] = "";
    MSGTXT(kRecordNotFound, text, sizeof text);
    MSGTXT(kCaptionError, caption, sizeof caption);
    ErrorBox(text, "RecPage", caption);
    return FALSE;
  }
  UDWORD fetched = 0;
  long kept = KeepsSharedRows(first) ? pageEnd_ - first : 0;
  if (kept && !PlaceRowset(static_cast<unsigned long>(kept))) kept = 0;  // the whole page then
  RETCODE rc =
      kept ? FetchAfterSharedRows(first, kept, &fetched) : Fetch(SQL_FETCH_ABSOLUTE, first, &fetched);
  if (rc != SQL_NO_DATA_FOUND && !Check(rc, "SQLExtendedFetch")) {
    pageFirst_ = pageEnd_ = 0;
    return FALSE;
  }
  if (rc == SQL_NO_DATA_FOUND) fetched = 0;
  if (kept + static_cast<long>(fetched) == 0) {
    pageFirst_ = pageEnd_ = 0;  // the buffer holds no rows now
    return TRUE;
  }
  pageFirst_ = first;
  pageEnd_ = first + kept + static_cast<long>(fetched);
  if (recordCount_ < pageEnd_) recordCount_ = pageEnd_ - 1;
  return TRUE;
}

// A static cursor's rows do not change: a page re-centred forward over a
// full page keeps the rows the two share and fetches only those after them
// (a forward walk would otherwise fetch every row twice). Long data is read
// through the driver's rowset by position, so such a record set does not.
bool RecordSet::KeepsSharedRows(long first) const {
  if ((options_ & kCursorKind) != kStaticCursor || !pageFirst_ || first <= pageFirst_ ||
      first >= pageEnd_ || pageEnd_ - pageFirst_ != static_cast<long>(PageRows()))
    return false;
  for (uint16_t i = 0; i < columnCount_; ++i)
    if (columns_[i].IsLongData()) return false;
  return true;
}

// The shared rows (those from first to the page's end) moved to the page's
// start, the rest fetched behind them; the caller placed the driver's
// rowset behind them.
RETCODE RecordSet::FetchAfterSharedRows(long first, long shared, UDWORD* fetched) {
  *fetched = 0;
  const unsigned long from = static_cast<unsigned long>(first - pageFirst_);
  const unsigned long kept = static_cast<unsigned long>(shared);
  std::memmove(pageRows_, PageRow(from), static_cast<size_t>(rowSize_) * kept);
  std::memmove(rowStatus_, rowStatus_ + from, sizeof(UWORD) * kept);
  std::memset(PageRow(kept), 0, static_cast<size_t>(rowSize_) * (PageRows() + 1 - kept));
  return SQLExtendedFetch(statement_, SQL_FETCH_ABSOLUTE, pageEnd_, fetched, rowStatus_ + kept);
}

// The driver's rowset made the page's rows from firstRow on: its size and
// the columns' bindings follow. Only the whole page's size is reported when
// refused; a refused later part falls back to fetching the whole page.
bool RecordSet::PlaceRowset(unsigned long firstRow) {
  if (rowsetAt_ == firstRow) return true;
  rowsetAt_ = kRowsetUnplaced;
  RETCODE rc = SQLSetStmtOption(statement_, SQL_ROWSET_SIZE, PageRows() - firstRow);
  if (!Succeeded(rc)) {
    if (firstRow) return false;
    ReportOdbcError(statement_, rc, "SQL_ROWSET_SIZE");
  }
  if (!BindColumns(firstRow)) return false;
  rowsetAt_ = firstRow;
  return true;
}

// Positioned operations number their rows from the driver's rowset: when
// it holds only the page's later rows the page is fetched whole again.
bool RecordSet::AlignRowset() {
  if (rowsetAt_ == 0) return true;
  if (!pageFirst_) return PlaceRowset(0);
  return FetchPage(0) != FALSE;
}

void RecordSet::ClearCurrentRow() {
  currentRecord_ = 0;
  currentIndex_ = 0;
  if (!currentRow_) return;
  std::memset(currentRow_, 0, rowSize_ + sizeof(UWORD));
  for (uint16_t i = 0; i < columnCount_; ++i) *CurrentIndicator(columns_[i]) = SQL_NULL_DATA;
}

inline void RecordSet::MakeCurrent(long record) {
  unsigned long index = static_cast<unsigned long>(record - pageFirst_);
  CopyFewBytes(currentRow_, PageRow(index), rowSize_);
  std::memcpy(currentRow_ + rowSize_, &rowStatus_[index], sizeof(UWORD));
  currentIndex_ = static_cast<uint16_t>(index + 1);
  currentRecord_ = record;
}

BOOL RecordSet::GoToRecord(long record) {
  auto inPage = [&] { return pageFirst_ && record >= pageFirst_ && record < pageEnd_; };
  // A move within the page copies the whole row and its status over the
  // current one: nothing to clear first.
  if (currentRow_ && pageRows_ && inPage() && record <= recordCount_) {
    MakeCurrent(record);
    return TRUE;
  }
  ClearCurrentRow();  // no stale row stays current after a failed move
  if (!currentRow_ || !pageRows_) return FALSE;
  if (record > recordCount_ || record < 1) {
    if (record > recordCount_) FetchPage(record);  // refused with message 93
    return FALSE;
  }
  if (!pageFirst_ && !FetchPage(record)) return FALSE;
  if (!inPage()) {
    long start = record - static_cast<long>(PageRows() / 2);
    if (!FetchPage(start > 1 ? start : 1)) return FALSE;
  }
  if (!inPage()) return FALSE;
  MakeCurrent(record);
  return TRUE;
}
