#include "settings_dialog.h"

void KeepDialogParameter(HWND dialog, const char* property, LPARAM parameter) {
  SetPropA(dialog, property, reinterpret_cast<HANDLE>(parameter));
}

INT_PTR SettingsDialogMessage(HWND dialog, UINT message, WPARAM wParam, const char* property,
                              void (*confirm)(HWND dialog, void* parameter)) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        confirm(dialog, GetPropA(dialog, property));
        EndDialog(dialog, 1);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
      }
      return TRUE;
    case WM_DESTROY:
      RemovePropA(dialog, property);
      return FALSE;
    default:
      return FALSE;
  }
}
