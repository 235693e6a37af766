// The process's open tables, each once, in opening order.
#include <windows.h>

#include "quelt.h"

namespace {

Table* firstTable;

// Letter by letter in the ANSI code page, Cyrillic included.
char Upper(char c) {
  return static_cast<char>(reinterpret_cast<UINT_PTR>(
      CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
}

bool SameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (Upper(*a) != Upper(*b)) return false;
  return *a == *b;
}

}  // namespace

void AddOpenTable(Table* table) {
  table->next = nullptr;
  Table** end = &firstTable;
  while (*end) end = &(*end)->next;
  *end = table;
}

Table* FindOpenTable(char* name) {
  CharUpperA(name);
  for (Table* t = firstTable; t; t = t->next)
    if (t->Name() && SameName(t->Name(), name)) return t;
  return nullptr;
}

void RemoveOpenTable(Table* table) {
  for (Table** p = &firstTable; *p; p = &(*p)->next) {
    if (*p == table) {
      *p = table->next;
      table->next = nullptr;
      return;
    }
  }
}

Table* FirstOpenTable() { return firstTable; }

void ForgetOpenTables() { firstTable = nullptr; }
