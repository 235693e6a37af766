// Collation tables: resources of type "DICTIONARY" in this library's module,
// 256 weights each ("W1251", "MSSQL"). Each Base selects one or none; texts
// compare by the weights of their bytes.
#pragma once
#include <windows.h>
#include <sql.h>

struct Base;

// Null name: no table (TRUE). An unknown handle, or a name with no such
// resource, gives FALSE and keeps the current choice.
BOOL SelectDictionary(HDBC connection, const char* name);
// -1, 0 or 1. Without a Base or table: case-insensitive byte comparison.
int CompareByDictionary(const Base* base, const char* a, const char* b);
// Exactly n bytes, zero bytes included.
int CompareByDictionaryN(const Base* base, const char* a, const char* b, size_t n);
