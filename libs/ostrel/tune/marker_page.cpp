// The MARKER page "Маркер": the selection marker's width (1 to 4) for every
// table of the process, stored with the colour 255 as "TableMarker" of
// "Main".
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "grid_window.h"
#include "table_settings.h"
#include "tune_ids.h"
#include "tune_page.h"

namespace {

const char kProperty[] = "MARKER";
const int kWidthLowest = 1;
const int kWidthHighest = 4;

int KeptWidth(long width) {
  return width < kWidthLowest ? kWidthLowest : width > kWidthHighest ? kWidthHighest : static_cast<int>(width);
}

void FillPage(HWND page, TuneSubject*) {
  TableMarkerSetting stored = {};
  long width = ReadTableMarker(&stored) && stored.width >= 1 ? stored.width : GridMarkerWidth();
  SendDlgItemMessageA(page, IDC_MARKER_WIDTH_SPIN, UDM_SETRANGE32, kWidthLowest, kWidthHighest);
  SendDlgItemMessageA(page, IDC_MARKER_WIDTH_SPIN, UDM_SETPOS32, 0, KeptWidth(width));
}

void Apply(HWND page, TuneSubject* subject) {
  int width = KeptWidth(static_cast<long>(GetDlgItemInt(page, IDC_MARKER_WIDTH, nullptr, FALSE)));
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d", width, 255);
  WritePrivateProfileStringA(kMarkerSection, "TableMarker", text, kTableSettingsFile);
  SetGridMarkerWidth(width);
  if (subject->result == 0) subject->result = 1;
}

bool Changes(WORD notification) { return notification == EN_CHANGE; }

const SettingsPage kMarkerPage = {kProperty, FillPage, Apply, Changes};

}  // namespace

INT_PTR CALLBACK MarkerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return SettingsPageProc(kMarkerPage, page, message, wParam, lParam);
}
