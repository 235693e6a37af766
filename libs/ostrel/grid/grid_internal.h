// What the grid engine's files share among themselves.
#pragma once
#include <windows.h>

#include "record_set_table.h"

// Layout (grid_layout.cpp): steps 1-6 on the window's DC; makes the paint
// tools anew.
void LayoutGrid(RecordSetTable* table, HDC dc);
void FreePaintTools(GridPaintTools* tools);
// The rows per page never below 0; counts of the record set never below 0.
long RecordTotal(const RecordSetTable* table);

// Paint (grid_paint.cpp); false when nothing was drawn (no record set, or
// the hold flag after a layout).
bool PaintGrid(RecordSetTable* table, HDC dc, const RECT& invalid);
// Draws the lines first..last (0-based visible lines) at once on a DC of
// the window, outside WM_PAINT (a one-line scroll paints its new line).
void DrawGridLines(RecordSetTable* table, HDC dc, int first, int last);
// Marker on the selected line / cell: drawn when the focus bit is set.
void DrawMarker(RecordSetTable* table, HDC dc);
void EraseMarker(RecordSetTable* table, HDC dc);
// With its own DC: erase the old marker, draw the new one.
void RefreshMarker(RecordSetTable* table);
void UpdateScrollBars(RecordSetTable* table);
// Invalidates the rows area (and the scroll position).
void InvalidateRows(RecordSetTable* table);

// Moves (grid_moves.cpp). `draw`: scroll and paint as the selection moves.
bool MoveLineDown(RecordSetTable* table, bool draw);
bool MoveLineUp(RecordSetTable* table, bool draw);
bool GoToRecord(RecordSetTable* table, long record);
void PageUp(RecordSetTable* table);
void PageDown(RecordSetTable* table);
bool FirstRecord(RecordSetTable* table);
bool LastRecord(RecordSetTable* table);
bool ColumnRight(RecordSetTable* table);
bool ColumnLeft(RecordSetTable* table);
// The selection kept inside 1..count and the visible lines (a record set
// refreshed to fewer rows moves it to its last record).
void ClampSelection(RecordSetTable* table);

// Input (grid_input.cpp): each returns true when handled.
bool GridKeyDown(RecordSetTable* table, WPARAM key);
bool GridVScroll(RecordSetTable* table, int code);
bool GridHScroll(RecordSetTable* table, int code);
bool GridCommand(RecordSetTable* table, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool GridMouse(RecordSetTable* table, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
bool GridSetCursor(RecordSetTable* table, LPARAM lParam);

// Search popup (search_popup.cpp): typing ch opens it (FIND style).
void RunSearchPopup(RecordSetTable* table, char ch);
void UnregisterSearchClass();

// The module that holds the engine's code (the classes are registered in
// its name, so a library that unloads takes them along).
HINSTANCE GridModule();

// Shows message `number` through ERRBOX.
void GridError(HWND owner, int number);
