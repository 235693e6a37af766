// The engine's error texts and its error box.
#include <cstdio>
#include <cstring>

#include "library_frame.h"
#include "quelt_api.h"

namespace {

const int kTextControl = 101;
const int kBoxText = 128;  // the prefix, a line feed and the text, zero included

INT_PTR CALLBACK ErrorBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(box, kTextControl, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_COMMAND:
      // Button 2 is also what Escape sends.
      if (LOWORD(wParam) == 1 || LOWORD(wParam) == 2) {
        EndDialog(box, LOWORD(wParam) == 1 ? 1 : 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// Quelt's text of id, else the owner's module's, else "Ошибка <id>".
void ErrorText(HWND owner, int id, char* text, int size) {
  if (LoadStringA(hInst, static_cast<UINT>(id), text, size) > 0) return;
  if (owner) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    if (module && LoadStringA(module, static_cast<UINT>(id), text, size) > 0) return;
  }
  std::snprintf(text, static_cast<size_t>(size), "Ошибка %d", id);
}

}  // namespace

QUELT_API int WINAPI QUELT_ErrorTxt(int id, char* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  const int sized = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
  return LoadStringA(hInst, static_cast<UINT>(id), buffer, sized);
}

QUELT_API int WINAPI QUELT_ErrorBox(HWND owner, int id, char* prefix) {
  char text[kBoxText];
  ErrorText(owner, id, text, sizeof text);
  char shown[kBoxText] = "";
  if (prefix) {
    // The prefix gives way to the text.
    const size_t room = sizeof shown - 2 - std::strlen(text);
    const size_t length = std::strlen(prefix) < room ? std::strlen(prefix) : room;
    std::memcpy(shown, prefix, length);
    shown[length] = '\n';
    shown[length + 1] = '\0';
  }
  std::strncat(shown, text, sizeof shown - 1 - std::strlen(shown));
  const INT_PTR result = DialogBoxParamA(hInst, "ERRORBOX", owner, ErrorBoxProc,
                                         reinterpret_cast<LPARAM>(shown));
  SetFocus(owner);
  return result == 1 ? 1 : 0;
}
