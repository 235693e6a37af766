// The query dialog (resource 101): the record set's query text, its record
// count and its column table, each copied to the clipboard on request.
#pragma once
#include <windows.h>

class RecordSet;

// Runs the dialog modally; its result (1 when closed).
INT_PTR ShowQueryDialog(RecordSet* recordSet, HWND owner);
// The five texts of a column's row in the column table.
const char* SqlTypeName(int sqlType);
const char* CTypeName(int cType);
