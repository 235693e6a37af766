// The table exports: a table window made over a script window, a record
// set shown in it, its events, selection, moves, search, redrawing, font
// and style. A handle that is no live table gives 0 and does nothing.
#include <windows.h>

#include <cstring>

#include "grid_window.h"
#include "library_frame.h"
#include "live_tables.h"
#include "table_fonts.h"
#include "table_settings.h"
#include "table_tune.h"
#include "wennic.h"
#include "window_thread_call.h"

namespace {

const char kEventWords[][8] = {"EDIT", "INSERT", "DELETE", "SELECT", "TAB",
                               "ESCAPE", "HELP", "MOVE", "TITLE"};
const int kNoWindow = 101;
const int kBadEventCode = 143;

// Event number 1-9 of the word (any case), 0 when it is none.
int EventNumber(const char* word) {
  if (!word) return 0;
  for (int n = 0; n < kGridEventCount; ++n)
    if (lstrcmpiA(word, kEventWords[n]) == 0) return n + 1;
  return 0;
}

}  // namespace

static LONG DoLoad(LONG hWnd, const char* name) {
  HWND owner = Window(hWnd);
  RECT area = {0, 0, 0, 0};
  if (owner) GetClientRect(owner, &area);
  HWND table = CreateWindowExA(0, kGridClass, "", WS_CHILD | WS_VSCROLL, 0, 0, area.right,
                               area.bottom, owner, nullptr, hInst, nullptr);
  RecordSetTable* record = table ? GridTableOf(table) : nullptr;
  if (!record) {
    if (table) DestroyWindow(table);
    // A handle that is no window would keep the box from showing at all.
    ERRBOX(IsWindow(owner) ? owner : nullptr, kNoWindow, 0, nullptr);
    return 0;
  }
  SetGridOwner(record, owner);
  OwnTableFont(table);
  // The name is the section of the table's settings; a name no atom can
  // hold (over 255 characters) leaves the table without settings.
  if (name && name[0]) {
    if (record->name) DeleteAtom(record->name);
    record->name = AddAtomA(name);
  }
  return static_cast<LONG>(reinterpret_cast<intptr_t>(table));
}

static BOOL DoShow(LONG pClass, RecordSetObject* records, const char* title,
                                      const char* style) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return FALSE;
  HCURSOR cursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ParseTableStyle(table, style, TRUE);
  BOOL shown = FALSE;
  if (SetGridRecordSet(table, records, title)) {
    if (!(GridStyle(table) & kStyleUntune)) ReadTableTune(table);
    ShowWindow(table->window, SW_SHOW);
    UpdateWindow(table->window);
    shown = TRUE;
  }
  SetCursor(cursor);
  SetFocus(table->window);
  return shown;
}

static LONG DoEvent(LONG pClass, const char* word, LONG code) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return 0;
  int event = EventNumber(word);
  if (!event) return kGridEventBase;  // an unknown word changes nothing
  if (!SetGridEvent(table, event, static_cast<unsigned>(code))) {
    ERRBOX(table->window, kBadEventCode, 0, nullptr);
    return 0;
  }
  return kGridEventBase + event;
}

static LONG DohWnd(LONG pClass) { return pClass; }

static LONG DoSelected(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table ? GridSelected(table) : 0;
}

static LONG DoColumn(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table ? GridSelectedField(table) : 0;
}

static BOOL DoLineUp(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table && table->records && GridLineUp(table);
}

static BOOL DoLineDown(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table && table->records && GridLineDown(table);
}

static BOOL DoLineGoto(LONG pClass, LONG record) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return FALSE;
  return static_cast<BOOL>(SendMessageA(table->window, kGridGoTo, 0, record));
}

static BOOL DoSeek(LONG pClass, const char* pattern) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table || !pattern) return FALSE;
  return static_cast<BOOL>(SendMessageA(table->window, kGridSeek, std::strlen(pattern),
                                        reinterpret_cast<LPARAM>(pattern)));
}

static void DoRedisplay(LONG pClass, LONG bild) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return;
  switch (bild) {
    case 1:  // the next paint starts afresh
      table->state &= ~kStateInitialised;
      break;
    case 2:
      table->state |= kStateLayout;
      break;
    case 3:  // the first record on the top line
      table->selected = 1;
      table->selectionRow = 0;
      break;
  }
  if (bild == 0) {
    RECT rows = GridRowsRect(table);
    InvalidateRect(table->window, &rows, TRUE);
  } else {
    table->markerRow = -1;
    InvalidateRect(table->window, nullptr, TRUE);
  }
  UpdateWindow(table->window);
}

static void DoUnload(LONG pClass) {
  if (RecordSetTable* table = LiveTable(Window(pClass))) DestroyWindow(table->window);
}

static HFONT DoFont(LONG pClass, const char* face, LONG height) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table || !face) return nullptr;
  HFONT font = CreateTableFont(table->window, face, height, false);
  if (font) SendMessageA(table->window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return font;
}

static LONG DoStyle(LONG pClass, const char* style, BOOL on) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return 0;
  return static_cast<LONG>(ParseTableStyle(table, style, on));
}

static LONG DoTune(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  return table ? static_cast<LONG>(ShowTuneSheet(table, hInst)) : 0;
}

static BOOL DoTuneRead(LONG pClass) {
  RecordSetTable* table = LiveTable(Window(pClass));
  if (!table) return FALSE;
  DWORD changed = ReadTableTune(table);
  if (changed) DoRedisplay(pClass, 2);
  return static_cast<BOOL>(changed);
}

// Each export runs on the thread of the window its first argument names
// (the owner for a Load, else the library's own window), the one that runs
// that window's procedure: a script body on a thread of its own waits
// while its call runs there.
KORVEX_EXPORT LONG WINAPI OSTREL_Load(LONG hWnd, const char* name) {
  return OnThreadOf(Window(hWnd), [=] { return DoLoad(hWnd, name); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_Show(LONG pClass, RecordSetObject* records, const char* title,
                                      const char* style) {
  return OnThreadOf(Window(pClass), [=] { return DoShow(pClass, records, title, style); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_Event(LONG pClass, const char* word, LONG code) {
  return OnThreadOf(Window(pClass), [=] { return DoEvent(pClass, word, code); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_hWnd(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DohWnd(pClass); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_Selected(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoSelected(pClass); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_Column(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoColumn(pClass); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_LineUp(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoLineUp(pClass); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_LineDown(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoLineDown(pClass); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_LineGoto(LONG pClass, LONG record) {
  return OnThreadOf(Window(pClass), [=] { return DoLineGoto(pClass, record); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_Seek(LONG pClass, const char* pattern) {
  return OnThreadOf(Window(pClass), [=] { return DoSeek(pClass, pattern); });
}

KORVEX_EXPORT void WINAPI OSTREL_Redisplay(LONG pClass, LONG bild) {
  OnThreadOf(Window(pClass), [=] { DoRedisplay(pClass, bild); });
}

KORVEX_EXPORT void WINAPI OSTREL_Unload(LONG pClass) {
  OnThreadOf(Window(pClass), [=] { DoUnload(pClass); });
}

KORVEX_EXPORT HFONT WINAPI OSTREL_Font(LONG pClass, const char* face, LONG height) {
  return OnThreadOf(Window(pClass), [=] { return DoFont(pClass, face, height); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_Style(LONG pClass, const char* style, BOOL on) {
  return OnThreadOf(Window(pClass), [=] { return DoStyle(pClass, style, on); });
}

KORVEX_EXPORT LONG WINAPI OSTREL_Tune(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoTune(pClass); });
}

KORVEX_EXPORT BOOL WINAPI OSTREL_TuneRead(LONG pClass) {
  return OnThreadOf(Window(pClass), [=] { return DoTuneRead(pClass); });
}
