// SELFONT: the dialog "FONTLIST" that chooses the print font among the
// display's TrueType families and seven sizes.
#include <cstdio>

#include "library_frame.h"
#include "print_settings.h"
#include "settings_dialog.h"

namespace {

const int kSizeBox = 1003;
const int kFaceList = 1004;
const char kProperty[] = "FONTLIST";
const WORD kSizes[] = {6, 8, 10, 12, 14, 16, 18};

int CALLBACK AddTrueTypeFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM list) {
  HWND box = reinterpret_cast<HWND>(list);
  // A family comes once per character set: list it once.
  if ((type & TRUETYPE_FONTTYPE) &&
      SendMessageA(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) ==
          LB_ERR)
    SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  return 1;
}

void FillFaces(HWND list, const GruskFont& font) {
  HDC dc = GetDC(list);
  EnumFontFamiliesA(dc, nullptr, AddTrueTypeFamily, reinterpret_cast<LPARAM>(list));
  ReleaseDC(list, dc);
  // LB_FINDSTRINGEXACT compares without regard to case.
  LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font.face));
  if (at != LB_ERR) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

void FillSizes(HWND box, WORD points) {
  for (WORD size : kSizes) {
    char text[8];
    std::snprintf(text, sizeof text, "%u", size);
    LRESULT at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(at), size);
    if (size == points) SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
}

// Stores the selected face and size, each only when one is selected.
void TakeChoice(HWND dialog, void* parameter) {
  GruskFont* font = &static_cast<PrintSettings*>(parameter)->font;
  HWND list = GetDlgItem(dialog, kFaceList);
  LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (at != LB_ERR) {
    char face[256] = "";
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(at), 0);
    if (length >= 0 && length < static_cast<LRESULT>(sizeof face)) {
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(face));
      lstrcpynA(font->face, face, sizeof font->face);
    }
  }
  at = SendDlgItemMessageA(dialog, kSizeBox, CB_GETCURSEL, 0, 0);
  if (at != CB_ERR) font->points = static_cast<WORD>(SendDlgItemMessageA(dialog, kSizeBox, CB_GETITEMDATA, at, 0));
}

INT_PTR CALLBACK FontListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return SettingsDialogMessage(dialog, message, wParam, kProperty, TakeChoice);
  KeepDialogParameter(dialog, kProperty, lParam);
  const PrintSettings* s = reinterpret_cast<const PrintSettings*>(lParam);
  FillFaces(GetDlgItem(dialog, kFaceList), s->font);
  FillSizes(GetDlgItem(dialog, kSizeBox), s->font.points);
  return TRUE;
}

}  // namespace

GRUSK_API BOOL WINAPI SELFONT(HWND owner) {
  if (DialogBoxParamA(hInst, "FONTLIST", owner, FontListProc, reinterpret_cast<LPARAM>(settings)) != 1) return FALSE;
  SavePrintSettings();
  return TRUE;
}
