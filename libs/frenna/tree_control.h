// The window class "TREERS": a record set shown as a tree inside a dialog.
// The dialog hands it the record set and its settings in one WM_SETTEXT
// (wParam the RecordSetObject, lParam "%d,%d,%d": caption window, caption
// command, sort flag); WM_GETTEXT reads the selected node's record number.
#pragma once
#include <windows.h>

extern const char kTreeControlClass[];

LRESULT CALLBACK TreeControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
