// The tuning sheet "Настройка таблицы" over a record table: the pages
// FORMAT (column modes and sort marks), FONT and MARKER. Each page keeps
// the table it tunes in a window property named as the page while it
// lives. The sheet knows the table through TuneSubject, which the grid
// library fills from its table record.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class RecordSetObject;

struct TuneSubject {
  HWND window;                      // the table window (the sheet's owner)
  RecordSetObject* records;         // its record set
  char section[32];                 // its settings' section; empty: none
  std::vector<std::string> titles;  // the column titles, field 1 first
  DWORD result;                     // the tuning result (0 at the opening)
};

// Runs the sheet modally over subject->window with the pages' resources
// of `resources`; returns subject->result.
DWORD RunTuneSheet(TuneSubject* subject, HINSTANCE resources);

// Page procedures (tune_*_page.cpp).
INT_PTR CALLBACK FormatPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MarkerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Applies the FORMAT page's rows (list view 1014) to the record set and
// stores what changed: "TableTune" with the letters of all fields when a
// mode changed (kTuneModesChanged), the sort text built from the marks to
// SetSort and "TableSort" when a mark changed (kTuneSortChanged).
DWORD SaveTableFormat(TuneSubject* subject, HWND list);

// A title as the FORMAT page lists it: line breaks as blanks, leading
// blanks dropped, at most 63 characters.
std::string ListedTitle(const std::string& title);
// Splits a '|'-separated title text (as the table keeps it) by field.
std::vector<std::string> SplitTitles(const char* text, size_t length);
