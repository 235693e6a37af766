// Binding a record set to a grid control (its WM_SETTEXT).
#pragma once
#include <windows.h>

#include "record_set_table.h"

// Stores the record set with its column titles and shows it: style SCROLL,
// GOTO and FIND, the record set's current record selected (1 for 0), EDIT
// on with the command 40001. Without a record set, without titles, or when
// the titles do not fit the record set (message 122 or 8 shown), the
// control is left without a record set and nothing is redrawn.
void BindGridRecordSet(HWND window, RecordSetTable* table, RecordSetObject* records, const char* titles);
