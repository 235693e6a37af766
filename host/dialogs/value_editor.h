// The value editor (dialog 108): a variable's value as window text, read
// back by the variable's type on OK.
#pragma once
#include <windows.h>

class VARIABLE;

// Reads the edit's text into value by value's type: STRING, BOOL and MONEY
// as WindowToVariable reads them; LONG, REAL, TIME and GUID converted from
// the text into their own type, blanks removed (a TIME is read in the form
// it shows, its date's dots dropped and the blank before its time of day
// kept); a conversion that fails leaves the value as it was; any other type
// stays. 1 when the value was read; DDE clients linked to it are told once.
int ReadEditedValue(HWND edit, VARIABLE& value);

// The editor for value, owned by owner: 1 after OK (the value read back),
// 0 after Cancel, -1 when it could not be made. The value is the dialog's
// window property "VARIABLE" while it is open.
INT_PTR EditValue(HINSTANCE instance, HWND owner, VARIABLE& value);
