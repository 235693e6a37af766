#include "form_error_dialog.h"

#include "form_messages.h"
#include "wennic.h"

namespace {

// The message text shows at most this many characters.
const int kMessageText = 128;

struct ErrorShown {
  uint32_t number;
  const char* text;
};

INT_PTR CALLBACK ErrorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const ErrorShown& shown = *reinterpret_cast<const ErrorShown*>(lParam);
      char text[kMessageText + 1];
      // A form that ended without END ended unexpectedly.
      ERRTXT(static_cast<int>(shown.number ? shown.number : kFormUnexpectedEnd), text, sizeof text);
      SetDlgItemTextA(dialog, kFormErrorMessage, text);
      SetDlgItemTextA(dialog, kFormErrorText, shown.text ? shown.text : "");
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowFormErrorDialog(HINSTANCE module, HWND owner, uint32_t number, const char* text) {
  ErrorShown shown = {number, text};
  return DialogBoxParamA(module, MAKEINTRESOURCEA(kFormErrorDialog), owner, ErrorDialogProc,
                         reinterpret_cast<LPARAM>(&shown)) != -1;
}
