// SETMARGIN: the dialog "MARGIN" that edits a copy of the four margins.
#include <windows.h>
#include <commctrl.h>

#include "library_frame.h"
#include "print_settings.h"

namespace {

const char kProperty[] = "MARGIN";
const int kMaxMargin = 100;

// Edit fields in the order of the dialog; each up-down control's id is
// its field's plus 1.
struct MarginField {
  int id;
  int Margins::*value;
};
const MarginField kFields[] = {
    {1005, &Margins::left}, {1007, &Margins::right}, {1009, &Margins::top}, {1011, &Margins::bottom}};

INT_PTR CALLBACK MarginProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      Margins* copy = reinterpret_cast<Margins*>(lParam);
      SetPropA(dialog, kProperty, copy);
      for (const MarginField& field : kFields) {
        SendDlgItemMessageA(dialog, field.id + 1, UDM_SETRANGE, 0, MAKELONG(kMaxMargin, 0));
        SetDlgItemInt(dialog, field.id, static_cast<UINT>(copy->*field.value), TRUE);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Margins* copy = static_cast<Margins*>(GetPropA(dialog, kProperty));
        for (const MarginField& field : kFields)
          copy->*field.value = static_cast<int>(GetDlgItemInt(dialog, field.id, nullptr, FALSE));
        EndDialog(dialog, 1);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
      }
      return TRUE;
    case WM_DESTROY:
      RemovePropA(dialog, kProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

GRUSK_API BOOL WINAPI SETMARGIN(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  Margins copy = settings->margins;
  if (DialogBoxParamA(hInst, "MARGIN", owner, MarginProc, reinterpret_cast<LPARAM>(&copy)) != 1) return FALSE;
  settings->margins = copy;
  SavePrintSettings();
  return TRUE;
}
