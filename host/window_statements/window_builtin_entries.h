// The routines behind the window built-in table, by family.
#pragma once
#include "window_builtins.h"

// DDE: the server's links and the thread's client (host/dde/dde_builtins.cpp).
bool RunAdvise(WindowBuiltinFrame& f);
bool RunDdeOpen(WindowBuiltinFrame& f);
bool RunDdeSend(WindowBuiltinFrame& f);
bool RunDdeReceive(WindowBuiltinFrame& f);
bool RunDdeClose(WindowBuiltinFrame& f);

// Events between scripts (builtins_sync.cpp).
bool RunSignal(WindowBuiltinFrame& f);
bool RunWait(WindowBuiltinFrame& f);
bool RunSend(WindowBuiltinFrame& f);
bool RunCheck(WindowBuiltinFrame& f);

// Script windows (builtins_windows.cpp).
bool RunAttach(WindowBuiltinFrame& f);
bool RunActive(WindowBuiltinFrame& f);
bool RunWndFind(WindowBuiltinFrame& f);
bool RunVarGet(WindowBuiltinFrame& f);
bool RunVarWnd(WindowBuiltinFrame& f);
bool RunEvent(WindowBuiltinFrame& f);
bool RunPost(WindowBuiltinFrame& f);

// Programs, texts and the INI file (builtins_system.cpp).
bool RunExeFind(WindowBuiltinFrame& f);
bool RunRun(WindowBuiltinFrame& f);
bool RunError(WindowBuiltinFrame& f);
bool RunObject(WindowBuiltinFrame& f);
bool RunProfile(WindowBuiltinFrame& f);

bool RunCalc(WindowBuiltinFrame& f);    // builtin_calc.cpp
bool RunMenu(WindowBuiltinFrame& f);    // builtin_menu.cpp
bool RunInput(WindowBuiltinFrame& f);   // input_dialog.cpp

// Bitmaps and memory blocks (builtins_bitmap.cpp).
bool RunBitmap(WindowBuiltinFrame& f);
bool RunFree(WindowBuiltinFrame& f);
// FREE(X) or FREE(A(i, j)) on a variable, at p behind '(': the variable, its
// value pushed as the one argument and p left at ')'. Null (nothing pushed,
// p kept) when the argument is anything else.
VARIABLE* ReadFreeReference(WindowInterpreter& interpreter, const char*& p);
