#include "export_settings.h"

#include <new>

#include "export_ids.h"
#include "grid_window.h"

HINSTANCE GridModule();

namespace {

ExportSettings* settings = nullptr;

const int kWhereButtons[] = {IDC_EXPORT_CLIPBOARD, IDC_EXPORT_MAIL, IDC_EXPORT_FILE};
const char kSeparators[] = {'\t', '|', ';'};
const int kSeparatorButtons[] = {IDC_EXPORT_TAB, IDC_EXPORT_BAR, IDC_EXPORT_SEMICOLON};

void EnableFileName(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_EXPORT_FILE_NAME), IsDlgButtonChecked(dialog, IDC_EXPORT_FILE) == BST_CHECKED);
}

void Fill(HWND dialog, const ExportSettings* s) {
  int where = s->destination & kExportWhereMask;
  if (where < kExportClipboard) where = kExportClipboard;
  CheckRadioButton(dialog, IDC_EXPORT_CLIPBOARD, IDC_EXPORT_FILE, kWhereButtons[where - 1]);
  CheckRadioButton(dialog, IDC_EXPORT_WINDOWS, IDC_EXPORT_DOS,
                   (s->destination & kExportOem) ? IDC_EXPORT_DOS : IDC_EXPORT_WINDOWS);
  int separator = 0;
  for (int i = 0; i < 3; ++i)
    if (kSeparators[i] == s->separator) separator = i;
  CheckRadioButton(dialog, IDC_EXPORT_TAB, IDC_EXPORT_SEMICOLON, kSeparatorButtons[separator]);
  CheckDlgButton(dialog, IDC_EXPORT_HEADER, (s->destination & kExportHeader) ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageA(dialog, IDC_EXPORT_FILE_NAME, EM_LIMITTEXT, kExportFileNameMax, 0);
  SetDlgItemTextA(dialog, IDC_EXPORT_FILE_NAME, s->fileName);
  EnableFileName(dialog);
}

// "Выполнить": false when the file destination lacks a name of 3 or more
// characters (the box is shown and the dialog stays).
bool Store(HWND dialog, ExportSettings* s) {
  char name[kExportFileNameMax + 1] = {};
  GetDlgItemTextA(dialog, IDC_EXPORT_FILE_NAME, name, sizeof name);
  uint8_t where = kExportClipboard;
  for (int i = 0; i < 3; ++i)
    if (IsDlgButtonChecked(dialog, kWhereButtons[i]) == BST_CHECKED) where = static_cast<uint8_t>(i + 1);
  if (where == kExportFile && lstrlenA(name) < 3) {
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    MessageBoxA(dialog, "Не задано имя файла для экспорта", caption, MB_ICONERROR);
    return false;
  }
  uint8_t destination = where;
  if (IsDlgButtonChecked(dialog, IDC_EXPORT_DOS) == BST_CHECKED) destination |= kExportOem;
  if (IsDlgButtonChecked(dialog, IDC_EXPORT_HEADER) == BST_CHECKED) destination |= kExportHeader;
  s->destination = destination;
  for (int i = 0; i < 3; ++i)
    if (IsDlgButtonChecked(dialog, kSeparatorButtons[i]) == BST_CHECKED) s->separator = kSeparators[i];
  lstrcpynA(s->fileName, name, sizeof s->fileName);
  return true;
}

INT_PTR CALLBACK ExportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      Fill(dialog, reinterpret_cast<ExportSettings*>(lParam));
      return TRUE;
    case WM_COMMAND: {
      ExportSettings* s = reinterpret_cast<ExportSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDC_EXPORT_CLIPBOARD:
        case IDC_EXPORT_MAIL:
        case IDC_EXPORT_FILE:
          EnableFileName(dialog);
          return TRUE;
        case IDOK:
          if (Store(dialog, s)) EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace

ExportSettings* TheExportSettings() { return settings; }

bool CreateExportSettings() {
  if (!settings) settings = new (std::nothrow) ExportSettings();
  return settings != nullptr;
}

void FreeExportSettings() {
  delete settings;
  settings = nullptr;
}

INT_PTR RunExportDialog(HWND owner, ExportSettings* s) {
  const INT_PTR result =
      DialogBoxParamA(GridModule(), "EXPTUNE", owner, ExportDialogProc, reinterpret_cast<LPARAM>(s));
  return result == 1 ? 1 : 0;
}
