// A record table put out: exported as text (clipboard, file, or the owner
// by mail), printed on the chosen printer, or written into a page file.
// Ostrel.dll's OSTREL_Export, OSTREL_Print and OSTREL_ToFile call these
// after their own checks (and the printer choice for the last two).
#pragma once
#include <windows.h>

#include "export_settings.h"
#include "record_set_table.h"

// The dialog "EXPTUNE" over the table, then the export with Msg as the
// owner's notification code: WM_COMMAND(Msg, 0), (Msg, n) before record
// n, (Msg, -1) at the end. TRUE when the file or the clipboard got the
// text; with mail, the owner's answer to (Msg, -1). FALSE without the
// settings block, when cancelled, or when the file, a write, a record,
// memory or the clipboard failed (the message is shown: 8, 29, 40).
BOOL ExportTable(RecordSetTable* table, UINT msg);

// Prints the table on the chosen printer with the title over it; the
// document is named by the owner's window text. A failure is shown by
// its message (103, 104, 105, 108 or PRNSTART's and PRNSTOP's) and gives
// FALSE.
BOOL PrintTable(RecordSetTable* table, const char* title);

// Writes the table into a new temporary page file laid out for the chosen
// printer, flushed, and returns its handle (the file goes when
// HESTEL_CLOSE closes it). A failure is shown (103, 29 a failed write,
// 111 more than 255 pages, or the system's error of the file) and gives 0,
// the file closed.
HANDLE WriteTableFile(RecordSetTable* table, const char* title);
