// The grid engine: a RecordSetObject shown as a table in a window. The
// class "OSTRELCLASS" keeps its RecordSetTable in window long 0; a dialog
// control of another library makes its own grid object with CreateGridTable
// and hands its messages to GridMessage from its own window procedure.
#pragma once
#include <windows.h>

#include "record_set_table.h"

extern const char kGridClass[];    // "OSTRELCLASS"
extern const char kSearchClass[];  // "SEARCHWINDOW"

// The class (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, arrow, COLOR_WINDOW + 1,
// 4 extra bytes); registered at the library's first attach, unregistered at
// its last detach.
bool RegisterGridClass(HINSTANCE instance);
void UnregisterGridClass(HINSTANCE instance);
// The search popup's class, registered in the engine's module at the first
// search; a library that links the engine without registering the grid
// class (the dialog control) unregisters it at its last detach.
void UnregisterSearchClass();
LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The table of an "OSTRELCLASS" window (window long 0).
RecordSetTable* GridTableOf(HWND window);

// A grid object for `window` (owner = the window itself); null without
// memory. FreeGridTable deletes the name atom, the titles and the paint
// tools, then the object (null is ignored); the font is left to its maker
// (WM_SETFONT deletes the font it replaces).
RecordSetTable* CreateGridTable(HWND window);
void FreeGridTable(RecordSetTable* table);

// The grid's window messages for a window that holds `table`, also from
// another window procedure on the same window and object. True when the
// message was handled (its answer in *result); false: the caller passes it
// to DefWindowProc (or its own default). WM_CREATE/WM_DESTROY are the
// caller's: GridWindowProc makes and frees the object there.
bool GridMessage(RecordSetTable* table, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                 LRESULT* result);

// Owner of the events (null: the table window itself).
void SetGridOwner(RecordSetTable* table, HWND owner);
HWND GridOwner(const RecordSetTable* table);
// Attaches a record set and its '|'-separated titles (TablePrintContext::
// SetTitle; 122 and 8 shown there). Null records or titles: nothing set,
// false. The next paint starts afresh (first field, first record unless
// GOTO).
bool SetGridRecordSet(RecordSetTable* table, RecordSetObject* records, const char* titles);
// The style word (bits kStyle...); setting it lays the table out again.
unsigned GridStyle(const RecordSetTable* table);
void SetGridStyle(RecordSetTable* table, unsigned style);
// The selected record (0 while no record set or an empty one is shown) and
// field; SetGridSelected only stores the number (kept by GOTO's first paint).
long GridSelected(const RecordSetTable* table);
int GridSelectedField(const RecordSetTable* table);
void SetGridSelected(RecordSetTable* table, long record);
// Event n (1-9) gets code 0 (off), 1 (on) or 40001-40999; false for any
// other n or code (nothing changed).
bool SetGridEvent(RecordSetTable* table, int event, unsigned code);
// Fires event n: WM_COMMAND(2000 + n, selected record) to the owner when
// its code is not 0; the owner's answer (0 when off).
LRESULT FireGridEvent(RecordSetTable* table, int event);

// One line move with drawing, without the MOVE event (true when moved).
bool GridLineUp(RecordSetTable* table);
bool GridLineDown(RecordSetTable* table);
// The rows area (between titles and footer) in client coordinates.
RECT GridRowsRect(const RecordSetTable* table);

// Style keywords: LEFT SCROLL NOTITLE GOTO FIND UNTUNE FOOTERn LINEn SORT
// GRID, each looked for as a case-sensitive substring of text and set (set
// true) or cleared. A digit 1-8 right after FOOTER or LINE gives the footer
// lines or lines per row (anything else 1); clearing LINE gives 1 line per
// row. An empty or null text changes nothing. Returns the style word.
unsigned ParseTableStyle(RecordSetTable* table, const char* text, BOOL set);

// Process-wide settings: the column gap (2), and the marker pen width (1)
// and colour (red). Each setter returns the old value; widths below 1 are
// ignored.
int GridColumnGap();
int SetGridColumnGap(int gap);
int GridMarkerWidth();
int SetGridMarkerWidth(int width);
COLORREF GridMarkerColor();
COLORREF SetGridMarkerColor(COLORREF color);
