// Table engine benchmark through Quelt.dll's exports: 1,000,000 records of
// 64 bytes appended without locks, scanned from the cache, read at random
// from the file, updated under record locks inside one header lock, and
// written with every write flushed. Run by bench/quelt.sh beside its peer.
//   quelt_bench <directory> [records]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "quelt_api.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Report(const char* what, DWORD count, double seconds) {
  std::printf("%-40s %9lu %8.3f s %12.0f /s\n", what, count, seconds, count / seconds);
}

uint32_t state = 64;
uint32_t Random(uint32_t below) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state % below;
}

// ID N(10), NAME C(40), VAL N(13,2): 64 bytes a record.
void Header(unsigned char* h) {
  std::memset(h, 0, 129);
  h[0] = 0x03;
  h[8] = 129;
  h[10] = 64;
  const struct { const char* name; char type; unsigned char length, decimals; } fields[] = {
      {"ID", 'N', 10, 0}, {"NAME", 'C', 40, 0}, {"VAL", 'N', 13, 2}};
  for (int i = 0; i < 3; ++i) {
    unsigned char* d = h + 32 + 32 * i;
    std::strcpy(reinterpret_cast<char*>(d), fields[i].name);
    d[11] = static_cast<unsigned char>(fields[i].type);
    d[16] = fields[i].length;
    d[17] = fields[i].decimals;
  }
  h[128] = 0x0D;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const DWORD records = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%s\\BENCH", argv[1]);
  unsigned char header[129];
  Header(header);
  Table* t = QUELT_Create(name, header, nullptr);
  if (!t) {
    std::printf("create failed: %lu\n", QUELT_GetLastError(nullptr));
    return 1;
  }
  char rec[64], text[16];
  QUELT_Flush(t, FALSE);
  double start = Now();
  for (DWORD i = 1; i <= records; ++i) {
    QUELT_NewRec(t, rec);
    std::snprintf(text, sizeof text, "%10lu", i);
    std::memcpy(rec + 1, text, 10);
    std::memcpy(rec + 11, "Запись", 6);
    if (QUELT_Append(t, rec) != i) return 3;
  }
  Report("append, no locks", records, Now() - start);
  QUELT_Close(t, nullptr);

  t = QUELT_Open(name, nullptr);
  FieldInfo id;
  QUELT_FindField(t, const_cast<char*>("ID"), &id);
  start = Now();
  QUELT_Load(t, TRUE);
  unsigned long long sum = 0;
  for (DWORD i = 1; i <= records; ++i) {
    QUELT_GetRec(t, i, rec);
    sum += rec[id.offset + id.length - 1];
  }
  Report("cached scan (cache load included)", records, Now() - start);
  QUELT_Load(t, FALSE);

  const DWORD reads = records / 2;
  start = Now();
  for (DWORD i = 0; i < reads; ++i) {
    const DWORD n = 1 + Random(records);
    QUELT_GetRec(t, n, rec);
    if (std::strtoul(std::string(rec + id.offset, id.length).c_str(), nullptr, 10) != n) return 4;
  }
  Report("uncached random read with a field", reads, Now() - start);

  const DWORD updates = 20000;
  start = Now();
  QUELT_Lock(t, TRUE);
  for (DWORD i = 0; i < updates; ++i) {
    const DWORD n = 1 + Random(records);
    QUELT_GetRec(t, n, rec);
    rec[60] = static_cast<char>('0' + i % 10);
    if (QUELT_PutRec(t, n, rec) != n) return 5;
  }
  QUELT_Lock(t, FALSE);
  Report("update, record locks in one header lock", updates, Now() - start);

  const DWORD flushed = 1000;
  start = Now();
  for (DWORD i = 0; i < flushed; ++i) {
    const DWORD n = 1 + Random(records);
    QUELT_GetRec(t, n, rec);
    if (QUELT_PutRec(t, n, rec) != n) return 6;
  }
  Report("update, locked and flushed each", flushed, Now() - start);
  QUELT_Close(t, nullptr);
  return sum == 0 ? 7 : 0;
}
