// The dialogs of a failing or stopped script: the script's lines with the
// failing or stopping one selected and the window's variables, modal and
// owned by the script window.
#pragma once
#include <windows.h>

class Interpreter;

// Dialog 101 with the interpreter's error text. When the dialog cannot be
// made, the text goes through the error message box. Returns 0.
int ShowErrorDialog(HINSTANCE instance, Interpreter& interpreter, HWND scriptWindow,
                    const char* position);

// Dialog 107 with the FOR and IF depths; the variable rows open in their
// inspectors. 1 when the user chose "End", 0 for "Continue" (also when the
// dialog cannot be made).
int ShowStopDialog(HINSTANCE instance, Interpreter& interpreter, HWND scriptWindow,
                   const char* position);
