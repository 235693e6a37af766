#include "tune_page.h"

#include <commctrl.h>
#include <prsht.h>

TuneSubject* KeepPageSubject(HWND page, const char* property, LPARAM lParam) {
  auto* subject = reinterpret_cast<TuneSubject*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
  SetPropA(page, property, subject);
  return subject;
}

TuneSubject* PageSubject(HWND page, const char* property) {
  return static_cast<TuneSubject*>(GetPropA(page, property));
}

INT_PTR AcceptApply(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

INT_PTR SettingsPageProc(const SettingsPage& kind, HWND page, UINT message, WPARAM wParam,
                         LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      kind.fill(page, KeepPageSubject(page, kind.property, lParam));
      return TRUE;
    case WM_COMMAND:
      if (kind.changes(HIWORD(wParam))) PropSheet_Changed(GetParent(page), page);
      return FALSE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
        if (TuneSubject* subject = PageSubject(page, kind.property)) kind.apply(page, subject);
        return AcceptApply(page);
      }
      return FALSE;
    case WM_DESTROY:
      RemovePropA(page, kind.property);
      return FALSE;
  }
  return FALSE;
}
