// What the tuning sheet's pages share: each keeps the TuneSubject it tunes
// in a window property named as the page while it lives, and answers the
// sheet's apply notice as accepted.
#pragma once
#include <windows.h>

#include "tune_sheet.h"

// On WM_INITDIALOG: keeps the subject that the sheet passes in the page's
// PROPSHEETPAGE (lParam) under `property` and returns it.
TuneSubject* KeepPageSubject(HWND page, const char* property, LPARAM lParam);
// The subject kept under `property`, or null.
TuneSubject* PageSubject(HWND page, const char* property);
// Answers PSN_APPLY: the page's changes are taken.
INT_PTR AcceptApply(HWND page);

// A page of settings controls: filled at the opening, marked changed on the
// control notifications it names, applied on PSN_APPLY.
struct SettingsPage {
  const char* property;
  void (*fill)(HWND page, TuneSubject* subject);
  void (*apply)(HWND page, TuneSubject* subject);
  bool (*changes)(WORD notification);  // a control notification changes the page
};

// The dialog procedure of a settings page.
INT_PTR SettingsPageProc(const SettingsPage& kind, HWND page, UINT message, WPARAM wParam,
                         LPARAM lParam);
