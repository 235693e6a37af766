// The table's output exports: export to the clipboard, a file or the
// owner, and printing on a printer or into a page file, each after the
// printer choice where it prints.
#include <windows.h>

#include "grusk.h"
#include "record_set_table.h"
#include "library_frame.h"
#include "live_tables.h"
#include "table_output.h"
#include "window_thread_call.h"

namespace {

// A table with a record set to put out, or null.
RecordSetTable* OutputTable(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table && table->records ? table : nullptr;
}

}  // namespace

static BOOL DoExport(LONG pClass, LONG message) {
  RecordSetTable* table = OutputTable(pClass);
  return table ? ExportTable(table, static_cast<UINT>(message)) : FALSE;
}

static BOOL DoPrint(LONG pClass, const char* title) {
  RecordSetTable* table = OutputTable(pClass);
  if (!table || !SELPRINTER(table->window)) return FALSE;
  return PrintTable(table, title);
}

static LONG DoToFile(LONG pClass, const char* title) {
  RecordSetTable* table = OutputTable(pClass);
  if (!table || !SELPRINTER(table->window)) return 0;
  return static_cast<LONG>(reinterpret_cast<intptr_t>(WriteTableFile(table, title)));
}

// Each export runs on the thread of the window its first argument names
// (the owner for a Load, else the library's own window), the one that runs
// that window's procedure: a script body on a thread of its own waits
// while its call runs there.
KORVEX_EXPORT BOOL WINAPI OSTREL_Export(LONG pClass, LONG message) {
  return OnThreadOf(Window(pClass), [=] { return DoExport(pClass, message); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_Print(LONG pClass, const char* title) {
  return OnThreadOf(Window(pClass), [=] { return DoPrint(pClass, title); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_ToFile(LONG pClass, const char* title) {
  return OnThreadOf(Window(pClass), [=] { return DoToFile(pClass, title); });
}
