// RecordSetTable: the state of one grid window (kept in window long 0 of an
// "OSTRELCLASS" window, or wherever a control keeps its grid object), and
// the grid's bits, events and messages.
#pragma once
#include <windows.h>

#include <cstdint>

#include "record_set_object.h"
#include "table_print_context.h"

// Style word bits (set and cleared by the style keywords, ParseTableStyle).
enum : unsigned {
  kStyleLeft = 0x4,      // kept in the word only
  kStyleScroll = 0x8,    // vertical scroll bar kept in step with the selection
  kStyleFooter = 0x10,
  kStyleNoTitle = 0x20,
  kStyleGoTo = 0x40,     // the first paint keeps the selected record
  kStyleFind = 0x80,     // typing opens the search popup
  kStyleUntune = 0x100,  // no INI settings at show
  kStyleSort = 0x200,    // the INI settings may set the sort order
  kStyleGrid = 0x400,    // a cell, not a line, is selected
};

// State word bits.
enum : unsigned {
  kStateInitialised = 0x1,
  kStateFocus = 0x2,      // marker shown
  kStateLayout = 0x8,     // layout needed before the next paint
  kStateDeleting = 0x10,  // delete in progress
  kStateNoneLeft = 0x20,  // no shown column lies left of the first laid out
  kStateNoneRight = 0x40, // none lies right of the last
};

// Events 1-9; event n is reported as WM_COMMAND(2000 + n, selected record).
enum GridEvent : int {
  kEventEdit = 1,
  kEventInsert,
  kEventDelete,
  kEventSelect,
  kEventTab,
  kEventEscape,
  kEventHelp,
  kEventMove,
  kEventTitle,
};
const int kGridEventCount = 9;
const UINT kGridEventBase = 2000;
const UINT kGridClosing = 2010;  // WM_COMMAND(2010, 0) from WM_CLOSE
// Event codes: 0 off, 1 on, 40001-40999 on and bound to that menu command.
const UINT kEventMenuFirst = 40001;
const UINT kEventMenuLast = 40999;

// Messages of the grid window.
const UINT kGridGoTo = WM_USER + 101;       // 1125: go to record lParam
const UINT kGridSeek = WM_USER + 102;       // 1126: Seek lParam, wParam bytes
const UINT kGridHold = WM_USER + 103;       // 1127: hold flag = LOWORD(wParam)
const UINT kGridRedrawRows = WM_USER + 104; // 1128
const UINT kGridRedrawLine = WM_USER + 105; // 1129
const UINT kGridFirst = WM_USER + 107;      // 1131
const UINT kGridLast = WM_USER + 108;       // 1132

// Pens and brushes of the paint, made at layout (not per paint or cell)
// and deleted with the table or at the next layout.
struct GridPaintTools {
  HBRUSH titleBrush = nullptr;   // COLOR_SCROLLBAR
  HBRUSH rowBrush = nullptr;     // white
  HPEN borderPen = nullptr;      // black lines
  HPEN highlightPen = nullptr;   // white highlight in the title cells
  HPEN markerPen = nullptr;      // the marker (process width and colour)
  HPEN eraserPen = nullptr;      // the marker in the background colour
  int markerWidth = 0;           // what markerPen was made with
  COLORREF markerColor = 0;
};

struct RecordSetTable {
  ATOM name = 0;                             // INI section of the settings
  uint16_t events[kGridEventCount] = {};     // codes of events 1-9
  uint16_t hold = 0;                         // next paint lays out, draws nothing
  HCURSOR savedCursor = nullptr;
  RecordSetObject* records = nullptr;        // borrowed, never freed here
  HWND window = nullptr;
  HWND owner = nullptr;                      // events go here (the window when null)
  uint16_t style = 0;
  uint16_t state = 0;
  TablePrintContext context;                 // device: the window's DC, margins 0
  int selectionRow = 0;                      // from the top visible line, 0-based
  int selectedColumn = 0;                    // among the laid-out columns (GRID)
  int markerRow = -1;                        // where the marker was last drawn
  int markerColumn = 0;
  int firstField = 1;                        // first field number laid out
  int lastField = 0;                         // last field number laid out
  long selected = 1;                         // selected record, 1-based
  int selectedField = 1;
  long tuneResult = 0;                       // result of the last tuning sheet

  GridPaintTools tools;
  // Scroll bar values last set (-1: not yet), so unchanged ones are not
  // set again on every move.
  long vScrollMax = -1;
  long vScrollPos = -1;
  long hScrollMax = -1;
  long hScrollPos = -1;
  // Field left of the column border being dragged in the title (0: none).
  int dragColumn = 0;
  // The search popup while its loop runs (told to close when the table goes).
  HWND searchPopup = nullptr;
};
