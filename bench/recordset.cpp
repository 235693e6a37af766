// Record-set benchmark (run by hand through bench/recordset.sh): Praxel's
// record set and a plain ODBC program binding alike, in one run on one
// data source, over B(ID, NAME, QTY), each on its own connection.
//   recordset DSN
// Prints seconds for: Praxel open (with counting); the plain program's
// forward SQLFetch loop and its static cursor's open. Then, the two sides in
// turn five times (medians): Praxel's full read by GoToRecord 1..N and
// GetFieldText of each column (60 rows a page; a miss re-centres the page,
// keeping the 30 rows it shares with the old one); the plain program's
// read of the same pages by SQL_FETCH_ABSOLUTE (60 rows, the length of each
// field summed as Praxel sums its texts); Praxel's paged read (FetchPage
// every 60 records, then GoToRecord and GetFieldText within the page: the
// plain program's fetches); the plain program's read again, copying each
// row and each field's text aside as a record set does; the ratios, the
// paged read's split into its page fetches alone and with the moves. Last
// 10,000 random GoToRecord, 10,000 Seeks by the sort column over 1,000,000
// and over 100,000 records, and the plain program's 10,000 random pages.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "export_call.h"
#include "record_set_object.h"

namespace {

const int kRandomReads = 10000;
const int kPasses = 5;
const UDWORD kPage = 60;
const long kFewRecords = 100000;  // the smaller seek
const char kQuery[] = "SELECT ID, NAME, QTY FROM B ORDER BY ID";

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

uint32_t OpenSet(HMODULE praxel, uint32_t base, const char* query) {
  uint32_t handle = bench::Call(praxel, "PRAXEL_New", {base, bench::W("B"), kPage});
  bench::Call(praxel, "PRAXEL_Open", {handle, bench::W(query), bench::W("STATIC")});
  return handle;
}

// 10,000 Seeks by the sort column over records 1..count (binary search:
// about log2 count probes, each a page fetch unless it hits the page).
double SeekSeconds(RecordSetObject* set, long count, long* found) {
  std::srand(2);
  auto start = bench::Clock::now();
  *found = 0;
  for (int i = 0; i < kRandomReads; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "%ld", 1 + (std::rand() * 32768L + std::rand()) % count);
    *found += set->Seek(key, std::strlen(key)) > 0;
  }
  return bench::SecondsSince(start);
}

long ReadTexts(RecordSetObject* set, char* text, long size) {
  long bytes = 0;
  for (unsigned long c = 1; c <= 3; ++c) bytes += set->GetFieldText(c, text, size) & 0xFFFF;
  return bytes;
}

// Praxel's record set over the query, on its own connection.
struct PraxelSide {
  HMODULE praxel = nullptr;
  uint32_t base = 0, handle = 0;
  RecordSetObject* set = nullptr;
  long count = 0;

  void Open(const std::string& dsn) {
    praxel = LoadLibraryA("PRAXEL");
    std::string connect = "DSN=" + dsn + ";";
    base = bench::Call(praxel, "PRAXEL_BaseOpen", {0, bench::W(connect.c_str()), 2});
    auto start = bench::Clock::now();
    handle = OpenSet(praxel, base, kQuery);
    count = static_cast<long>(bench::Call(praxel, "PRAXEL_RecCnt", {handle}));
    std::printf("praxel open+count   %8.3f s  (%ld records)\n", bench::SecondsSince(start), count);
    set = reinterpret_cast<RecordSetObject*>(handle);
  }
  // GoToRecord 1..N and the texts of each record.
  double FullRead(long* bytes) {
    char text[64];
    *bytes = 0;
    auto start = bench::Clock::now();
    for (long n = 1; n <= count; ++n) {
      set->GoToRecord(n);
      *bytes += ReadTexts(set, text, sizeof text);
    }
    return bench::SecondsSince(start);
  }
  // FetchPage every 60 records; with moves, GoToRecord each record within
  // it, and with texts also its texts: the paged read. Without them, where
  // its time goes: the page fetches alone, then with the moves.
  double Paged(bool moves, bool texts, long* bytes) {
    char text[64];
    *bytes = 0;
    auto start = bench::Clock::now();
    for (long first = 1; first <= count; first += kPage) {
      set->FetchPage(first);
      long end = first + static_cast<long>(kPage);
      if (end > count + 1) end = count + 1;
      for (long n = first; moves && n < end; ++n) {
        set->GoToRecord(n);
        if (texts) *bytes += ReadTexts(set, text, sizeof text);
      }
    }
    return bench::SecondsSince(start);
  }
  void RandomAndSeeks() {
    std::srand(1);
    auto start = bench::Clock::now();
    for (int i = 0; i < kRandomReads; ++i) set->GoToRecord(1 + (std::rand() * 32768L + std::rand()) % count);
    std::printf("praxel random       %8.3f s\n", bench::SecondsSince(start));
    long found = 0;
    double large = SeekSeconds(set, count, &found);
    std::printf("praxel seek %-7ld %8.3f s  (%ld found; %.0f us a seek)\n", count, large, found,
                large * 1e6 / kRandomReads);
    long few = count < kFewRecords ? count : kFewRecords;
    char query[128];
    std::snprintf(query, sizeof query, "SELECT ID, NAME, QTY FROM B WHERE ID <= %ld ORDER BY ID", few);
    uint32_t fewHandle = OpenSet(praxel, base, query);
    few = static_cast<long>(bench::Call(praxel, "PRAXEL_RecCnt", {fewHandle}));
    double small = SeekSeconds(reinterpret_cast<RecordSetObject*>(fewHandle), few, &found);
    std::printf("praxel seek %-7ld %8.3f s  (%ld found; %.0f us a seek)\n", few, small, found,
                small * 1e6 / kRandomReads);
    std::printf("seek %ld / %ld     %8.2f x  (log2 ratio %.2f)\n", count, few, large / small,
                std::log2(static_cast<double>(count)) / std::log2(static_cast<double>(few)));
    bench::Call(praxel, "PRAXEL_Close", {fewHandle});
  }
  void Close() {
    bench::Call(praxel, "PRAXEL_Close", {handle});
    bench::Call(praxel, "PRAXEL_BaseClose", {base});
  }
};

// The plain program: the same query bound alike, on its own connection.
struct PlainSide {
  HENV env = SQL_NULL_HENV;
  HDBC dbc = SQL_NULL_HDBC;
  HSTMT st = SQL_NULL_HSTMT;
  Row rows[kPage + 1];
  UWORD status[kPage + 1];
  long count = 0;

  void Open(const std::string& dsn) {
    SQLAllocEnv(&env);
    SQLAllocConnect(env, &dbc);
    std::string connect = "DSN=" + dsn + ";";
    SQLDriverConnect(dbc, nullptr, (UCHAR*)connect.c_str(), SQL_NTS, nullptr, 0, nullptr,
                     SQL_DRIVER_NOPROMPT);
    // Forward only.
    auto start = bench::Clock::now();
    SQLAllocStmt(dbc, &st);
    Bind(st, rows);
    SQLExecDirect(st, (UCHAR*)kQuery, SQL_NTS);
    while (SQL_SUCCEEDED(SQLFetch(st))) ++count;
    SQLFreeStmt(st, SQL_DROP);
    std::printf("plain forward       %8.3f s  (%ld rows)\n", bench::SecondsSince(start), count);
    // Static cursor, paged.
    start = bench::Clock::now();
    SQLAllocStmt(dbc, &st);
    SQLSetStmtOption(st, SQL_CONCURRENCY, SQL_CONCUR_VALUES);
    SQLSetStmtOption(st, SQL_ROWSET_SIZE, kPage);
    SQLSetStmtOption(st, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC);
    SQLSetStmtAttr(st, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Row)), 0);
    Bind(st, rows);
    SQLExecDirect(st, (UCHAR*)kQuery, SQL_NTS);
    UDWORD fetched = 0;
    SQLExtendedFetch(st, SQL_FETCH_FIRST, 0, &fetched, status);
    std::printf("plain static open   %8.3f s\n", bench::SecondsSince(start));
  }
  // Absolute fetches of the pages, each field's length summed.
  double Read(long* bytes) {
    *bytes = 0;
    UDWORD fetched = 0;
    auto start = bench::Clock::now();
    for (long first = 1; first <= count; first += kPage) {
      SQLExtendedFetch(st, SQL_FETCH_ABSOLUTE, first, &fetched, status);
      for (UDWORD i = 0; i < fetched; ++i)
        *bytes += rows[i].idLength + rows[i].nameLength + rows[i].qtyLength;
    }
    return bench::SecondsSince(start);
  }
  // The same pages, each row copied aside and each field's text (its
  // length from the driver) copied into a buffer and terminated, as a
  // record set's reader gets them.
  double ReadCopying(long* bytes) {
    *bytes = 0;
    UDWORD fetched = 0;
    Row current;
    char text[64];
    // A length beyond the bound field (a cut text) copies what it holds.
    auto copy = [&](const auto& field, SDWORD length) {
      size_t n = length > 0 ? std::min(static_cast<size_t>(length), sizeof field - 1) : 0;
      std::memcpy(text, field, n);
      text[n] = '\0';
      return static_cast<long>(n);
    };
    auto start = bench::Clock::now();
    for (long first = 1; first <= count; first += kPage) {
      SQLExtendedFetch(st, SQL_FETCH_ABSOLUTE, first, &fetched, status);
      for (UDWORD i = 0; i < fetched; ++i) {
        std::memcpy(&current, &rows[i], sizeof current);
        *bytes += copy(current.id, current.idLength) + copy(current.name, current.nameLength) +
                  copy(current.qty, current.qtyLength);
      }
    }
    return bench::SecondsSince(start);
  }
  void RandomPages() {
    UDWORD fetched = 0;
    std::srand(1);
    auto start = bench::Clock::now();
    for (int i = 0; i < kRandomReads; ++i)
      SQLExtendedFetch(st, SQL_FETCH_ABSOLUTE, 1 + (std::rand() * 32768L + std::rand()) % count,
                       &fetched, status);
    std::printf("plain random pages  %8.3f s\n", bench::SecondsSince(start));
  }
  void Close() {
    SQLFreeStmt(st, SQL_DROP);
    SQLDisconnect(dbc);
    SQLFreeConnect(dbc);
    SQLFreeEnv(env);
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The reads of the two sides in turn, kPasses times: this machine's speed
// drifts over seconds, so each figure is a median and each ratio the
// median of the passes' own ratios.
void ReadsInTurn(PraxelSide& praxel, PlainSide& plain) {
  std::vector<double> full, paged, bare, copying, fullRatio, pagedRatio, copyingRatio, pagesRatio,
      movesRatio;
  long fullBytes = 0, pagedBytes = 0, plainBytes = 0, copiedBytes = 0;
  for (int pass = 0; pass < kPasses; ++pass) {
    full.push_back(praxel.FullRead(&fullBytes));
    bare.push_back(plain.Read(&plainBytes));
    paged.push_back(praxel.Paged(true, true, &pagedBytes));
    copying.push_back(plain.ReadCopying(&copiedBytes));
    long none = 0;
    pagesRatio.push_back(praxel.Paged(false, false, &none) / bare.back());
    movesRatio.push_back(praxel.Paged(true, false, &none) / bare.back());
    fullRatio.push_back(full.back() / bare.back());
    pagedRatio.push_back(paged.back() / bare.back());
    copyingRatio.push_back(full.back() / copying.back());
  }
  std::printf("praxel full read    %8.3f s  (%ld bytes; GoToRecord 1..N, the row and each text copied)\n",
              Median(full), fullBytes);
  std::printf("praxel paged read   %8.3f s  (%ld bytes; FetchPage every %lu)\n", Median(paged),
              pagedBytes, static_cast<unsigned long>(kPage));
  std::printf("plain static read   %8.3f s  (%ld rows, %ld bytes; the driver's lengths summed)\n",
              Median(bare), plain.count, plainBytes);
  std::printf("plain, copying      %8.3f s  (%ld bytes; the row and each text copied)\n",
              Median(copying), copiedBytes);
  std::printf("full read / plain   %8.2f x  (median of %d passes in turn)\n", Median(fullRatio), kPasses);
  std::printf("paged read / plain  %8.2f x  (of which pages alone %.2f x, pages and moves %.2f x)\n",
              Median(pagedRatio), Median(pagesRatio), Median(movesRatio));
  std::printf("full read / copying %8.2f x\n", Median(copyingRatio));
}

}  // namespace

int main(int argc, char** argv) {
  std::string dsn = argc > 1 ? argv[1] : "KTEST";
  std::printf("%s\n", dsn.c_str());
  static PraxelSide praxel;
  static PlainSide plain;
  praxel.Open(dsn);
  plain.Open(dsn);
  ReadsInTurn(praxel, plain);
  praxel.RandomAndSeeks();
  plain.RandomPages();
  praxel.Close();
  plain.Close();
  return 0;
}
