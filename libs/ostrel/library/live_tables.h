// The table handle a script holds is the table window. Every export checks
// it first: only a live window of class "OSTRELCLASS" of this process that
// still has its table record is a table.
#pragma once
#include <windows.h>

#include <cstdint>

struct RecordSetTable;

// The window a script's handle names.
inline HWND Window(LONG handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

// The table record of the window, or null when the handle is no table.
RecordSetTable* LiveTable(HWND window);
