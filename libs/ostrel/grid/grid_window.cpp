// The grid window: its class, its object, the message handler that other
// window procedures share, and the setters of the object.
#include "grid_window.h"

#include <new>

#include "grid_internal.h"
#include "wennic.h"

const char kGridClass[] = "OSTRELCLASS";

namespace {

HWND Target(const RecordSetTable* table) { return table->owner ? table->owner : table->window; }

void DeleteFont(HFONT font) {
  if (font && font != GetStockObject(SYSTEM_FONT)) DeleteObject(font);
}

// 1125 and 1126: the selection on the record, the rows redrawn, MOVE when
// it changed; 1 also when the record was the selected one already.
LRESULT GoToAndShow(RecordSetTable* table, long record) {
  long before = table->selected;
  if (!GoToRecord(table, record)) return 0;
  InvalidateRows(table);
  if (table->selected != before) FireGridEvent(table, kEventMove);
  return 1;
}

void WithWindowDC(RecordSetTable* table, void (*draw)(RecordSetTable*, HDC)) {
  HDC dc = GetDC(table->window);
  draw(table, dc);
  ReleaseDC(table->window, dc);
}

void Paint(RecordSetTable* table, HWND window) {
  // The marker is erased and drawn outside the paint's clipping, so that
  // a paint of part of the window never leaves half a marker.
  if (table->markerRow >= 0) WithWindowDC(table, EraseMarker);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  bool drawn = PaintGrid(table, dc, paint.rcPaint);
  EndPaint(window, &paint);
  if (drawn) WithWindowDC(table, DrawMarker);
}

}  // namespace

HINSTANCE GridModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&GridModule), &module);
  return module;
}

void GridError(HWND owner, int number) { ERRBOX(owner, number, 0, nullptr); }

bool RegisterGridClass(HINSTANCE instance) {
  WNDCLASSA kind = {};
  kind.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  kind.lpfnWndProc = GridWindowProc;
  kind.cbWndExtra = 4;
  kind.hInstance = instance;
  kind.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  kind.lpszClassName = kGridClass;
  return RegisterClassA(&kind) != 0;
}

void UnregisterGridClass(HINSTANCE instance) {
  UnregisterClassA(kGridClass, instance);
  UnregisterSearchClass();
}

RecordSetTable* GridTableOf(HWND window) {
  return reinterpret_cast<RecordSetTable*>(GetWindowLongPtrA(window, 0));
}

RecordSetTable* CreateGridTable(HWND window) {
  RecordSetTable* table = new (std::nothrow) RecordSetTable;
  if (!table) return nullptr;
  table->window = window;
  table->owner = window;
  table->context.owner = window;
  return table;
}

void FreeGridTable(RecordSetTable* table) {
  if (!table) return;
  if (table->searchPopup) PostMessageA(table->searchPopup, WM_CLOSE, 0, 0);  // ends the popup's loop
  if (table->name) DeleteAtom(table->name);
  FreePaintTools(&table->tools);
  // The font stays: a dialog's own font may be the one its control took.
  delete table;
}

LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    RecordSetTable* table = CreateGridTable(window);
    if (!table) return -1;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(table));
    return 0;
  }
  RecordSetTable* table = GridTableOf(window);
  if (message == WM_DESTROY) {
    SetWindowLongPtrA(window, 0, 0);
    FreeGridTable(table);
    return 0;
  }
  LRESULT result = 0;
  if (table && GridMessage(table, window, message, wParam, lParam, &result)) return result;
  return DefWindowProcA(window, message, wParam, lParam);
}

bool GridMessage(RecordSetTable* table, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                 LRESULT* result) {
  *result = 0;
  table->window = window;
  const bool attached = table->records != nullptr;
  switch (message) {
    case WM_CLOSE:
      SendMessageA(Target(table), WM_COMMAND, kGridClosing, 0);
      return false;  // the default handling destroys the window
    case WM_SIZE:
      table->context.width = LOWORD(lParam) - table->context.marginLeft - table->context.marginRight;
      table->context.height = HIWORD(lParam);
      table->state |= kStateLayout;
      table->markerRow = -1;
      if (!table->context.font) table->context.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
      InvalidateRect(window, nullptr, TRUE);
      return false;
    case WM_SETFONT:
      if (reinterpret_cast<HFONT>(wParam) != table->context.font) DeleteFont(table->context.font);
      table->context.font = reinterpret_cast<HFONT>(wParam);
      table->state |= kStateLayout;
      table->markerRow = -1;
      InvalidateRect(window, nullptr, TRUE);
      return true;
    case WM_SETFOCUS:
      table->state |= kStateFocus;
      if (attached && IsWindowVisible(window)) WithWindowDC(table, DrawMarker);
      return true;
    case WM_KILLFOCUS:
      if (table->state & kStateDeleting) return true;
      table->state &= ~kStateFocus;
      if (attached) WithWindowDC(table, EraseMarker);
      return true;
    case WM_PAINT:
      Paint(table, window);
      return true;
    case WM_KEYDOWN:
      return !attached || GridKeyDown(table, wParam);
    case WM_CHAR:
      if (!attached || !(table->style & kStyleFind) || static_cast<unsigned char>(wParam) <= ' ') return false;
      RunSearchPopup(table, static_cast<char>(wParam));
      return true;
    case WM_COMMAND:
      return GridCommand(table, wParam, lParam, result);
    case WM_VSCROLL:
      return !attached || GridVScroll(table, LOWORD(wParam));
    case WM_HSCROLL:
      return !attached || GridHScroll(table, LOWORD(wParam));
    case WM_SETCURSOR:
      if (!GridSetCursor(table, lParam)) return false;
      *result = TRUE;
      return true;
    case WM_MOUSEWHEEL:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return GridMouse(table, message, wParam, lParam, result);
    case kGridGoTo:
      if (attached) *result = GoToAndShow(table, static_cast<long>(lParam));
      return true;
    case kGridSeek: {
      const char* pattern = reinterpret_cast<const char*>(lParam);
      if (!attached || !pattern) return true;
      long found = table->records->Seek(pattern, static_cast<unsigned long>(wParam));
      if (found > 0) *result = GoToAndShow(table, found);
      return true;
    }
    case kGridHold:
      if (attached) table->hold = LOWORD(wParam);
      return true;
    case kGridRedrawRows:
      if (attached) InvalidateRows(table);
      return true;
    case kGridRedrawLine:
      if (attached && !(table->state & kStateLayout)) {
        RECT line = table->context.LineRect(table->selectionRow);
        InvalidateRect(window, &line, FALSE);
        UpdateWindow(window);
      }
      return true;
    case kGridFirst:
    case kGridLast: {
      if (!attached) return true;
      long before = table->selected;
      if (message == kGridFirst ? FirstRecord(table) : LastRecord(table)) {
        InvalidateRows(table);
        if (table->selected != before) FireGridEvent(table, kEventMove);
      }
      *result = 1;
      return true;
    }
    default:
      return false;
  }
}

void SetGridOwner(RecordSetTable* table, HWND owner) {
  table->owner = owner;
  table->context.owner = Target(table);
}

HWND GridOwner(const RecordSetTable* table) { return Target(table); }

bool SetGridRecordSet(RecordSetTable* table, RecordSetObject* records, const char* titles) {
  if (!records || !titles) return false;
  if (!table->context.SetTitle(titles, records->FieldCount())) {
    table->records = nullptr;
    return false;
  }
  table->records = records;
  table->state &= ~kStateInitialised;
  table->state |= kStateLayout;
  table->markerRow = -1;
  table->vScrollMax = table->vScrollPos = table->hScrollMax = table->hScrollPos = -1;
  if (table->window) InvalidateRect(table->window, nullptr, TRUE);
  return true;
}

unsigned GridStyle(const RecordSetTable* table) { return table->style; }

void SetGridStyle(RecordSetTable* table, unsigned style) {
  table->style = static_cast<uint16_t>(style);
  table->state |= kStateLayout;
  table->markerRow = -1;
  if (table->window) InvalidateRect(table->window, nullptr, TRUE);
}

long GridSelected(const RecordSetTable* table) { return RecordTotal(table) > 0 ? table->selected : 0; }

int GridSelectedField(const RecordSetTable* table) {
  return RecordTotal(table) > 0 ? table->selectedField : 0;
}

void SetGridSelected(RecordSetTable* table, long record) { table->selected = record > 0 ? record : 1; }

bool SetGridEvent(RecordSetTable* table, int event, unsigned code) {
  if (event < 1 || event > kGridEventCount) return false;
  if (code > 1 && (code < kEventMenuFirst || code > kEventMenuLast)) return false;
  table->events[event - 1] = static_cast<uint16_t>(code);
  return true;
}

LRESULT FireGridEvent(RecordSetTable* table, int event) {
  if (event < 1 || event > kGridEventCount || !table->events[event - 1]) return 0;
  return SendMessageA(Target(table), WM_COMMAND, kGridEventBase + event, table->selected);
}

bool GridLineUp(RecordSetTable* table) { return MoveLineUp(table, true); }

bool GridLineDown(RecordSetTable* table) { return MoveLineDown(table, true); }
