// The window class "GRIDRS": a record set shown as a grid inside a dialog.
// It is the grid engine's grid object (libs/ostrel/grid) in window long 0,
// driven by window messages: WM_SETTEXT binds a record set (wParam) with its
// column titles (lParam), WM_GETTEXT reads the selected record's number, and
// an edit request (Enter, a double click on a row, command 40001) reaches
// the dialog as WM_COMMAND with the control's id and the notification 0x0300.
#pragma once
#include <windows.h>

extern const char kGridControlClass[];

// Notification code of an edit request sent to the dialog.
const WORD kGridEditNotice = 0x0300;
// The command bound to the grid's EDIT event.
const UINT kGridEditCommand = 40001;

LRESULT CALLBACK GridControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_GETDLGCODE: arrows and characters; with the key-down message of Enter
// (lParam, may be null) the message too, so that the dialog manager hands
// Enter to the grid instead of pressing the default button.
LRESULT GridDialogCode(const MSG* message);
