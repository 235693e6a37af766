// Dialog 101 "Ошибка": a compile error of a form, its message (control
// 1000) over the form text from where compiling stopped (control 1001);
// OK and Cancel both close it.
#pragma once

#define kFormErrorDialog 101
#define kFormErrorMessage 1000
#define kFormErrorText 1001

#ifndef RC_INVOKED
#include <windows.h>

#include <cstdint>

// Shows the dialog of the module's resources on the owner; false when it
// cannot be made.
bool ShowFormErrorDialog(HINSTANCE module, HWND owner, uint32_t number, const char* text);
#endif
