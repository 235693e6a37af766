// The font and margin dialogs share their buttons: the dialog's parameter
// is kept as a window property while it is open; "Установить" (IDOK)
// hands it to confirm and ends the dialog with 1, "Назад" (IDCANCEL) ends
// it with 0.
#pragma once
#include <windows.h>

// Stores the parameter as the property; called at WM_INITDIALOG.
void KeepDialogParameter(HWND dialog, const char* property, LPARAM parameter);
// The dialog procedure's answer to the shared messages (FALSE to others).
INT_PTR SettingsDialogMessage(HWND dialog, UINT message, WPARAM wParam, const char* property,
                              void (*confirm)(HWND dialog, void* parameter));
