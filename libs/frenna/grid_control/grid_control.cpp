#include "grid_control.h"

#include "grid_binding.h"
#include "grid_window.h"
#include "record_text.h"

const char kGridControlClass[] = "GRIDRS";

namespace {

const LRESULT kTextLength = 16;
const LRESULT kDialogCodes = DLGC_WANTARROWS | DLGC_WANTCHARS;  // 129

RecordSetTable* TableOf(HWND window) {
  return reinterpret_cast<RecordSetTable*>(GetWindowLongPtrA(window, 0));
}

LRESULT OnCreate(HWND window) {
  RecordSetTable* table = CreateGridTable(window);
  if (!table) return -1;
  SetGridOwner(table, window);
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(table));
  return 0;
}

// The selected record; 0 without a record set or with an empty one.
LRESULT OnGetText(const RecordSetTable* table, WPARAM size, char* buffer) {
  long record = GridSelected(table);
  return CopyRecordText(record > 0 ? static_cast<unsigned long>(record) : 0, size, buffer);
}

// The grid's EDIT event, fired to its owner (the control itself), goes on
// to the dialog as the control's notification.
void NotifyEdit(HWND window) {
  SendMessageA(GetParent(window), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(window), kGridEditNotice), 0);
}

}  // namespace

LRESULT GridDialogCode(const MSG* message) {
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
    return kDialogCodes | DLGC_WANTMESSAGE;
  return kDialogCodes;
}

LRESULT CALLBACK GridControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_GETTEXTLENGTH:
      return kTextLength;
    case WM_GETDLGCODE:
      return GridDialogCode(reinterpret_cast<const MSG*>(lParam));
    default:
      break;
  }
  RecordSetTable* table = TableOf(window);
  if (!table) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SetWindowLongPtrA(window, 0, 0);
      FreeGridTable(table);
      return 0;
    case WM_SETTEXT:
      BindGridRecordSet(window, table, reinterpret_cast<RecordSetObject*>(wParam),
                        reinterpret_cast<const char*>(lParam));
      return 0;
    case WM_GETTEXT:
      return OnGetText(table, wParam, reinterpret_cast<char*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == kGridEventBase + kEventEdit) {
        NotifyEdit(window);
        return 0;
      }
      break;
    default:
      break;
  }
  LRESULT result = 0;
  if (GridMessage(table, window, message, wParam, lParam, &result)) return result;
  return DefWindowProcA(window, message, wParam, lParam);
}
