// Record-set benchmark (run by hand through bench/recordset.sh): Praxel's
// record set and a plain ODBC program binding alike, in one run on one
// data source, over B(ID, NAME, QTY).
//   recordset DSN
// Prints seconds for: Praxel open (with counting); the full read by
// GoToRecord 1..N and GetFieldText of each column (60 rows a page; a miss
// re-centres the page, keeping the 30 rows it shares with the old one); the
// paged read (FetchPage every 60 records, then GoToRecord and GetFieldText
// within the page: the plain program's fetches); 10,000 random GoToRecord;
// 10,000 Seeks by the sort column over 1,000,000 and over 100,000 records.
// Then the plain program's forward SQLFetch loop, static cursor opened and
// paged by SQL_FETCH_ABSOLUTE (60 rows, the length of each field summed as
// Praxel sums its texts), and 10,000 random pages; and the ratios.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "call_export.h"
#include "record_set_object.h"

namespace {

const int kRandomReads = 10000;
const UDWORD kPage = 60;
const long kFewRecords = 100000;  // the smaller seek
const char kQuery[] = "SELECT ID, NAME, QTY FROM B ORDER BY ID";

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

uint32_t Call(HMODULE praxel, const char* name, std::initializer_list<uint32_t> args) {
  std::vector<uint32_t> words(args.begin(), args.end());
  std::vector<uint32_t> reversed(words.rbegin(), words.rend());
  return CallExport(reinterpret_cast<const void*>(GetProcAddress(praxel, name)), reversed.data(),
                    static_cast<uint32_t>(reversed.size()));
}

uint32_t Word(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// One row as both programs bind it: numbers as text of their display size.
struct Row {
  char id[12];
  SDWORD idLength;
  char name[21];
  SDWORD nameLength;
  char qty[12];
  SDWORD qtyLength;
};

void Bind(HSTMT st, Row* rows) {
  SQLBindCol(st, 1, SQL_C_CHAR, rows->id, sizeof rows->id, &rows->idLength);
  SQLBindCol(st, 2, SQL_C_CHAR, rows->name, sizeof rows->name, &rows->nameLength);
  SQLBindCol(st, 3, SQL_C_CHAR, rows->qty, sizeof rows->qty, &rows->qtyLength);
}

struct Figures {
  double fullRead = 0, pagedRead = 0, plainRead = 0;
};

uint32_t OpenSet(HMODULE praxel, uint32_t base, const char* query) {
  uint32_t handle = Call(praxel, "PRAXEL_New", {base, Word("B"), kPage});
  Call(praxel, "PRAXEL_Open", {handle, Word(query), Word("STATIC")});
  return handle;
}

// 10,000 Seeks by the sort column over records 1..count (binary search:
// about log2 count probes, each a page fetch unless it hits the page).
double SeekSeconds(RecordSetObject* set, long count, long* found) {
  std::srand(2);
  auto start = std::chrono::steady_clock::now();
  *found = 0;
  for (int i = 0; i < kRandomReads; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "%ld", 1 + (std::rand() * 32768L + std::rand()) % count);
    *found += set->Seek(key, std::strlen(key)) > 0;
  }
  return Seconds(start);
}

long ReadTexts(RecordSetObject* set, char* text, long size) {
  long bytes = 0;
  for (unsigned long c = 1; c <= 3; ++c) bytes += set->GetFieldText(c, text, size) & 0xFFFF;
  return bytes;
}

void Praxel(const std::string& dsn, Figures* figures) {
  HMODULE praxel = LoadLibraryA("PRAXEL");
  std::string connect = "DSN=" + dsn + ";";
  uint32_t base = Call(praxel, "PRAXEL_BaseOpen", {0, Word(connect.c_str()), 2});
  auto start = std::chrono::steady_clock::now();
  uint32_t handle = OpenSet(praxel, base, kQuery);
  long count = static_cast<long>(Call(praxel, "PRAXEL_RecCnt", {handle}));
  std::printf("praxel open+count   %8.3f s  (%ld records)\n", Seconds(start), count);
  RecordSetObject* set = reinterpret_cast<RecordSetObject*>(handle);
  char text[64];
  long bytes = 0;
  start = std::chrono::steady_clock::now();
  for (long n = 1; n <= count; ++n) {
    set->GoToRecord(n);
    bytes += ReadTexts(set, text, sizeof text);
  }
  figures->fullRead = Seconds(start);
  std::printf("praxel full read    %8.3f s  (%ld bytes; GoToRecord 1..N)\n", figures->fullRead,
              bytes);
  bytes = 0;
  start = std::chrono::steady_clock::now();
  for (long first = 1; first <= count; first += kPage) {
    set->FetchPage(first);
    long end = first + static_cast<long>(kPage);
    if (end > count + 1) end = count + 1;
    for (long n = first; n < end; ++n) {
      set->GoToRecord(n);
      bytes += ReadTexts(set, text, sizeof text);
    }
  }
  figures->pagedRead = Seconds(start);
  std::printf("praxel paged read   %8.3f s  (%ld bytes; FetchPage every %lu)\n",
              figures->pagedRead, bytes, static_cast<unsigned long>(kPage));
  std::srand(1);
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRandomReads; ++i) set->GoToRecord(1 + (std::rand() * 32768L + std::rand()) % count);
  std::printf("praxel random       %8.3f s\n", Seconds(start));
  long found = 0;
  double large = SeekSeconds(set, count, &found);
  std::printf("praxel seek %-7ld %8.3f s  (%ld found; %.0f us a seek)\n", count, large, found,
              large * 1e6 / kRandomReads);
  Call(praxel, "PRAXEL_Close", {handle});
  long few = count < kFewRecords ? count : kFewRecords;
  char query[128];
  std::snprintf(query, sizeof query, "SELECT ID, NAME, QTY FROM B WHERE ID <= %ld ORDER BY ID", few);
  handle = OpenSet(praxel, base, query);
  few = static_cast<long>(Call(praxel, "PRAXEL_RecCnt", {handle}));
  double small = SeekSeconds(reinterpret_cast<RecordSetObject*>(handle), few, &found);
  std::printf("praxel seek %-7ld %8.3f s  (%ld found; %.0f us a seek)\n", few, small, found,
              small * 1e6 / kRandomReads);
  std::printf("seek %ld / %ld     %8.2f x  (log2 ratio %.2f)\n", count, few, large / small,
              std::log2(static_cast<double>(count)) / std::log2(static_cast<double>(few)));
  Call(praxel, "PRAXEL_Close", {handle});
  Call(praxel, "PRAXEL_BaseClose", {base});
}

void Plain(const std::string& dsn, Figures* figures) {
  HENV env;
  HDBC dbc;
  SQLAllocEnv(&env);
  SQLAllocConnect(env, &dbc);
  std::string connect = "DSN=" + dsn + ";";
  SQLDriverConnect(dbc, nullptr, (UCHAR*)connect.c_str(), SQL_NTS, nullptr, 0, nullptr,
                   SQL_DRIVER_NOPROMPT);
  static Row rows[kPage + 1];
  HSTMT st;
  // Forward only.
  auto start = std::chrono::steady_clock::now();
  SQLAllocStmt(dbc, &st);
  Bind(st, rows);
  SQLExecDirect(st, (UCHAR*)kQuery, SQL_NTS);
  long count = 0;
  while (SQL_SUCCEEDED(SQLFetch(st))) ++count;
  SQLFreeStmt(st, SQL_DROP);
  std::printf("plain forward       %8.3f s  (%ld rows)\n", Seconds(start), count);
  // Static cursor, paged.
  start = std::chrono::steady_clock::now();
  SQLAllocStmt(dbc, &st);
  SQLSetStmtOption(st, SQL_CONCURRENCY, SQL_CONCUR_VALUES);
  SQLSetStmtOption(st, SQL_ROWSET_SIZE, kPage);
  SQLSetStmtOption(st, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC);
  SQLSetStmtAttr(st, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Row)), 0);
  Bind(st, rows);
  SQLExecDirect(st, (UCHAR*)kQuery, SQL_NTS);
  UDWORD fetched = 0;
  UWORD status[kPage + 1];
  SQLExtendedFetch(st, SQL_FETCH_FIRST, 0, &fetched, status);
  std::printf("plain static open   %8.3f s\n", Seconds(start));
  start = std::chrono::steady_clock::now();
  long read = 0, bytes = 0;
  for (long first = 1; first <= count; first += kPage) {
    SQLExtendedFetch(st, SQL_FETCH_ABSOLUTE, first, &fetched, status);
    read += static_cast<long>(fetched);
    for (UDWORD i = 0; i < fetched; ++i)
      bytes += rows[i].idLength + rows[i].nameLength + rows[i].qtyLength;
  }
  figures->plainRead = Seconds(start);
  std::printf("plain static read   %8.3f s  (%ld rows, %ld bytes)\n", figures->plainRead, read,
              bytes);
  std::srand(1);
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRandomReads; ++i)
    SQLExtendedFetch(st, SQL_FETCH_ABSOLUTE, 1 + (std::rand() * 32768L + std::rand()) % count,
                     &fetched, status);
  std::printf("plain random pages  %8.3f s\n", Seconds(start));
  SQLFreeStmt(st, SQL_DROP);
  SQLDisconnect(dbc);
  SQLFreeConnect(dbc);
  SQLFreeEnv(env);
}

}  // namespace

int main(int argc, char** argv) {
  std::string dsn = argc > 1 ? argv[1] : "KTEST";
  std::printf("%s\n", dsn.c_str());
  Figures figures;
  Praxel(dsn, &figures);
  Plain(dsn, &figures);
  std::printf("full read / plain   %8.2f x\n", figures.fullRead / figures.plainRead);
  std::printf("paged read / plain  %8.2f x\n", figures.pagedRead / figures.plainRead);
  return 0;
}
