// What TUNE, PUT and GET share: the control they name, and the messages of
// combo boxes and list boxes, which do the same things under other numbers.
#pragma once
#include <windows.h>

class WindowInterpreter;

// The dialog in HDLG, then the control id (a LONG followed by a comma, else
// 112) and its control (154 when the dialog has none). True when the
// control was found; otherwise the statement is over and returns done (0
// when there is no dialog, so nothing to do and no error; 1 after an error).
bool ReadControl(WindowInterpreter& interpreter, HWND& dialog, int& id, HWND& control, int& done);

struct ListMessages {
  UINT count, reset, add, getData, setData, setSelection, getSelection, getText, getTextLength,
      directory;
};
// The set for a combo box (kind 1) or a list box.
const ListMessages& ListMessagesOf(int kind);

// Style bits both kinds share.
const LONG kOwnerDrawnFixed = 0x0010;  // LBS_OWNERDRAWFIXED, CBS_OWNERDRAWFIXED
const LONG kComboWithEdit = 0x0002;    // CBS_DROPDOWN, CBS_DROPDOWNLIST

LONG StyleOf(HWND control);
// The item's text, at most limit characters.
void ListItemText(HWND control, const ListMessages& list, int index, char* text, int limit);
