#include "collation.h"

#include <cstring>

#include "base_list.h"
#include "library_frame.h"

namespace {

const DWORD kTableSize = 256;

int Sign(int n) { return n > 0 ? 1 : n < 0 ? -1 : 0; }

const unsigned char* LoadTable(const char* name) {
  HRSRC found = FindResourceA(hInst, name, "DICTIONARY");
  if (!found || SizeofResource(hInst, found) != kTableSize) return nullptr;
  HGLOBAL loaded = LoadResource(hInst, found);
  return loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
}

}  // namespace

BOOL SelectDictionary(HDBC connection, const char* name) {
  Base* base = FindBase(connection);
  if (!base) return FALSE;
  if (!name) {
    base->dictionary = nullptr;
    return TRUE;
  }
  const unsigned char* table = LoadTable(name);
  if (!table) return FALSE;
  base->dictionary = table;
  return TRUE;
}

int CompareByDictionary(const Base* base, const char* a, const char* b) {
  const unsigned char* table = base ? base->dictionary : nullptr;
  if (!table) return Sign(_stricmp(a, b));
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  for (;; ++x, ++y) {
    int d = table[*x] - table[*y];
    if (d) return Sign(d);
    if (!*x || !*y) return 0;  // both ended together (the weights agreed)
  }
}

int CompareByDictionaryN(const Base* base, const char* a, const char* b, size_t n) {
  const unsigned char* table = base ? base->dictionary : nullptr;
  if (!table) return Sign(_strnicmp(a, b, n));
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  for (size_t i = 0; i < n; ++i) {
    int d = table[x[i]] - table[y[i]];
    if (d) return Sign(d);
  }
  return 0;
}
