// What a script window's interpreter gets before its body runs: the
// predefined variables and the window size kept in the INI file.
#pragma once
#include <windows.h>

class WindowInterpreter;

// PRGDIR, PRGNAME, HWND, HPARENT and RESOURCE in the window's table (from
// the window title, which is the script path), the process variables
// $NULL, $BASDIR, $TMPDIR, $HWND and $USER, and the DDE topic atom of
// PRGNAME. HPARENT takes the interpreter's StartParent, which is cleared.
void SetPredefinedVariables(HWND window, WindowInterpreter& interpreter);

// Section PRGNAME, key "WindowSize", in the MDI client's coordinates.
// restore moves the window to the stored rectangle when there is one;
// otherwise the rectangle is stored, unless the window is minimized or
// maximized or lies partly above or left of the client area. Nothing for a
// HIDE script or without a STRING PRGNAME.
void LoadOrSaveWindowSize(HWND window, WindowInterpreter& interpreter, bool restore);
