// SETMARGIN: the dialog "MARGIN" that edits a copy of the four margins.
#include <windows.h>
#include <commctrl.h>

#include "library_frame.h"
#include "print_settings.h"
#include "settings_dialog.h"

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

// "Установить": the four fields, read as unsigned numbers, into the copy.
void TakeMargins(HWND dialog, void* parameter) {
  Margins* copy = static_cast<Margins*>(parameter);
  for (const MarginField& field : kFields)
    copy->*field.value = static_cast<int>(GetDlgItemInt(dialog, field.id, nullptr, FALSE));
}

INT_PTR CALLBACK MarginProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return SettingsDialogMessage(dialog, message, wParam, kProperty, TakeMargins);
  KeepDialogParameter(dialog, kProperty, lParam);
  const Margins* copy = reinterpret_cast<const Margins*>(lParam);
  for (const MarginField& field : kFields) {
    SendDlgItemMessageA(dialog, field.id + 1, UDM_SETRANGE, 0, MAKELONG(kMaxMargin, 0));
    SetDlgItemInt(dialog, field.id, static_cast<UINT>(copy->*field.value), TRUE);
  }
  return TRUE;
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
