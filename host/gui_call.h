// Work that must run on the GUI thread (windows that belong to it, such as
// a script's embedded dialog), asked for from any thread through the
// script window.
#pragma once
#include <windows.h>

// Runs run(context) on the thread of the script window and returns its
// result: at once on that thread, otherwise through a message the window
// answers while the caller waits. 0 when the window is gone.
LRESULT CallOnWindowThread(HWND window, LRESULT (*run)(void* context), void* context);

// The script window's answer to that message: runs the call lParam names,
// when it is one a thread of this process is waiting for (anything else,
// such as the same number sent by another program, is refused with 0).
LRESULT AnswerWindowThreadCall(LPARAM call);
