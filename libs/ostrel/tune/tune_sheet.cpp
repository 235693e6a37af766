#include "tune_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "tune_ids.h"

namespace {

PROPSHEETPAGEA Page(TuneSubject* subject, HINSTANCE resources, const char* dialog, int icon,
                    DLGPROC procedure) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_USEICONID;
  page.hInstance = resources;
  page.pszTemplate = dialog;
  page.pszIcon = MAKEINTRESOURCEA(icon);
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<LPARAM>(subject);
  return page;
}

}  // namespace

DWORD RunTuneSheet(TuneSubject* subject, HINSTANCE resources) {
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  PROPSHEETPAGEA pages[] = {
      Page(subject, resources, "FORMAT", IDI_PAGE_FORMAT, FormatPageProc),
      Page(subject, resources, "FONT", IDI_PAGE_FONT, FontPageProc),
      Page(subject, resources, "MARKER", IDI_PAGE_MARKER, MarkerPageProc),
  };
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  // Without "Apply": a second apply by OK would find nothing changed and
  // overwrite the FORMAT page's change bits with 0.
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  header.hwndParent = subject->window;
  header.hInstance = resources;
  header.pszCaption = "Настройка таблицы";
  header.nPages = sizeof pages / sizeof pages[0];
  header.ppsp = pages;
  subject->result = 0;
  PropertySheetA(&header);
  return subject->result;
}

std::string ListedTitle(const std::string& title) {
  std::string listed;
  for (char c : title) {
    if (c == '\r') continue;
    listed += c == '\n' ? ' ' : c;
  }
  size_t first = listed.find_first_not_of(' ');
  listed = first == std::string::npos ? "" : listed.substr(first);
  if (listed.size() > 63) listed.resize(63);
  return listed;
}

std::vector<std::string> SplitTitles(const char* text, size_t length) {
  std::vector<std::string> titles;
  size_t start = 0;
  for (size_t i = 0; i <= length; ++i) {
    if (i == length || text[i] == '|' || text[i] == 0) {
      titles.emplace_back(text + start, i - start);
      if (i < length && text[i] == 0) break;
      start = i + 1;
    }
  }
  return titles;
}
