// The FONT page "Шрифт": the font families of the table's device, the size
// in points (4 to 20) and bold; applied fonts are stored as "TableFont".
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "table_settings.h"
#include "tune_ids.h"
#include "tune_page.h"

namespace {

const char kProperty[] = "FONT";

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  HWND box = reinterpret_cast<HWND>(list);
  if (SendMessageA(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(font->lfFaceName)) == LB_ERR)
    SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  return 1;
}

int KeptSize(int size) {
  return size < kFontSizeLowest ? kFontSizeLowest : size > kFontSizeHighest ? kFontSizeHighest : size;
}

void FillPage(HWND page, TuneSubject* subject) {
  HWND faces = GetDlgItem(page, IDC_FONT_FACES);
  HDC dc = GetDC(subject->window);
  EnumFontFamiliesA(dc, nullptr, AddFamily, reinterpret_cast<LPARAM>(faces));
  ReleaseDC(subject->window, dc);
  if (SendMessageA(faces, LB_GETCOUNT, 0, 0) <= 0) return;

  char text[128] = "";
  if (subject->section[0])
    GetPrivateProfileStringA(subject->section, "TableFont", "", text, sizeof text,
                             kTableSettingsFile);
  TableFontSetting stored = ParseTableFont(text);
  if (stored.size > 0) {
    LRESULT found = SendMessageA(faces, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(stored.face));
    if (found != LB_ERR) SendMessageA(faces, LB_SETCURSEL, found, 0);
  }
  SendDlgItemMessageA(page, IDC_FONT_SIZE_SPIN, UDM_SETRANGE32, kFontSizeLowest, kFontSizeHighest);
  SendDlgItemMessageA(page, IDC_FONT_SIZE_SPIN, UDM_SETPOS32, 0, KeptSize(stored.size));
  CheckDlgButton(page, IDC_FONT_BOLD, stored.bold ? BST_CHECKED : BST_UNCHECKED);
}

void Apply(HWND page, TuneSubject* subject) {
  HWND faces = GetDlgItem(page, IDC_FONT_FACES);
  LRESULT selected = SendMessageA(faces, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  char face[256] = "";
  if (SendMessageA(faces, LB_GETTEXTLEN, selected, 0) >= static_cast<LRESULT>(sizeof face)) return;
  SendMessageA(faces, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(face));
  face[LF_FACESIZE - 1] = 0;
  int size = KeptSize(static_cast<int>(GetDlgItemInt(page, IDC_FONT_SIZE, nullptr, FALSE)));
  int bold = IsDlgButtonChecked(page, IDC_FONT_BOLD) == BST_CHECKED;
  if (subject->section[0]) {
    char text[64];
    std::snprintf(text, sizeof text, "%s,%d,%d", face, size, bold);
    WritePrivateProfileStringA(subject->section, "TableFont", text, kTableSettingsFile);
  }
  if (HFONT font = CreateTableFont(subject->window, face, size, bold != 0))
    SendMessageA(subject->window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (subject->result == 0) subject->result = 1;
}

bool Changes(WORD notification) {
  return notification == LBN_SELCHANGE || notification == EN_CHANGE || notification == BN_CLICKED;
}

const SettingsPage kFontPage = {kProperty, FillPage, Apply, Changes};

}  // namespace

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return SettingsPageProc(kFontPage, page, message, wParam, lParam);
}
