// The inspector of a variable row of the STOP dialog.
#pragma once
#include <windows.h>

class VariableTable;

// Opens the inspector of the list view's selected row, its record found
// again by the row's name (a record gone opens nothing): an OBJECT shows
// its module's declarations (dialog 109), a DISPATCH its members (dialog
// 105), any other value opens in the value editor, whose OK shows the new
// value in the row. The dialog's result, or -1 when nothing opened.
INT_PTR OpenInspector(HWND dialog, HWND listView, VariableTable& variables);
