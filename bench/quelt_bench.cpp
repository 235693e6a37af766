// Table engine benchmark through Quelt.dll's exports, run by bench/quelt.sh
// beside its native peer (quelt_peer.py), which does the same rows with the
// same counts, the same record numbers (the same xorshift sequence) and the
// same byte-range locks:
//   - N records of 64 bytes appended in no-lock mode;
//   - scans from the cache (cache load included): raw (no code page, each
//     field's bytes copied out) and parsed (ANSI, ID and VAL as numbers,
//     NAME as text without its trailing blanks, deleted records skipped);
//   - N / 2 records read at random from the file, the ID checked;
//   - 20,000 updates: under one header lock with each record locked for
//     its write, then in no-lock mode; 1,000 updates locked and flushed.
// One row each: "<what>|<count>|<seconds>".
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
  std::printf("%s|%lu|%.6f\n", what, count, seconds);
}

// The record numbers: the peer draws the same sequence.
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

FieldInfo Field(Table* t, const char* name) {
  FieldInfo info = {};
  QUELT_FindField(t, const_cast<char*>(name), &info);
  return info;
}

// What a parsed record holds, as the peer's reader hands it out.
struct Parsed {
  unsigned long id;
  std::string name;
  double val;
};

// A numeric field's text read as a decimal number, digit by digit as a
// table client reads its fixed-width fields (under Wine the C runtime's
// strtoul and strtod cost several times the record read itself).
double FieldNumber(const char* rec, const FieldInfo& f) {
  const char* p = rec + f.offset;
  const char* end = p + f.length;
  while (p < end && *p == ' ') ++p;
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  double value = 0, scale = 1;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) value = value * 10 + (*p - '0');
  if (p < end && *p == '.')
    for (++p; p < end && *p >= '0' && *p <= '9'; ++p) value += (*p - '0') * (scale /= 10);
  return negative ? -value : value;
}

unsigned long Number(const char* rec, const FieldInfo& f) { return static_cast<unsigned long>(FieldNumber(rec, f)); }

// The n updates of one row: read, change the units digit of VAL, write.
bool Updates(Table* t, DWORD records, DWORD updates, char* rec) {
  for (DWORD i = 0; i < updates; ++i) {
    const DWORD n = 1 + Random(records);
    QUELT_GetRec(t, n, rec);
    rec[60] = static_cast<char>('0' + i % 10);
    if (QUELT_PutRec(t, n, rec) != n) return false;
  }
  return true;
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
  Report("append, no-lock mode", records, Now() - start);
  QUELT_Close(t, nullptr);

  t = QUELT_Open(name, nullptr);
  const FieldInfo id = Field(t, "ID"), nameField = Field(t, "NAME"), val = Field(t, "VAL");

  unsigned long long sum = 0;
  QUELT_Coder(t, 0x2000);
  start = Now();
  QUELT_Load(t, TRUE);
  for (DWORD i = 1; i <= records; ++i) {
    QUELT_GetRec(t, i, rec);
    char fields[3][40];
    std::memcpy(fields[0], rec + id.offset, id.length);
    std::memcpy(fields[1], rec + nameField.offset, nameField.length);
    std::memcpy(fields[2], rec + val.offset, val.length);
    sum += static_cast<unsigned char>(fields[0][id.length - 1]);
  }
  Report("scan raw, cache load included", records, Now() - start);
  QUELT_Load(t, FALSE);
  QUELT_Coder(t, 0);

  start = Now();
  QUELT_Load(t, TRUE);
  DWORD live = 0;
  Parsed parsed;
  for (DWORD i = 1; i <= records; ++i) {
    QUELT_GetRec(t, i, rec);
    if (rec[0] == '*') continue;
    parsed.id = Number(rec, id);
    const char* text = rec + nameField.offset;
    size_t length = nameField.length;
    while (length && text[length - 1] == ' ') --length;
    parsed.name.assign(text, length);
    parsed.val = FieldNumber(rec, val);
    sum += parsed.id;
    ++live;
  }
  Report("scan parsed, cache load included", live, Now() - start);
  QUELT_Load(t, FALSE);

  const DWORD reads = records / 2;
  start = Now();
  for (DWORD i = 0; i < reads; ++i) {
    const DWORD n = 1 + Random(records);
    QUELT_GetRec(t, n, rec);
    if (Number(rec, id) != n) return 4;
  }
  Report("random read with a field", reads, Now() - start);

  const DWORD updates = 20000;
  start = Now();
  QUELT_Lock(t, TRUE);
  if (!Updates(t, records, updates, rec)) return 5;
  QUELT_Lock(t, FALSE);
  Report("update, record locks in one header lock", updates, Now() - start);

  QUELT_Flush(t, FALSE);
  start = Now();
  if (!Updates(t, records, updates, rec)) return 6;
  Report("update, no-lock mode", updates, Now() - start);
  QUELT_Flush(t, TRUE);

  const DWORD flushed = 1000;
  start = Now();
  if (!Updates(t, records, flushed, rec)) return 7;
  Report("update, record lock and flush each", flushed, Now() - start);
  QUELT_Close(t, nullptr);
  return sum == 0 ? 8 : 0;
}
