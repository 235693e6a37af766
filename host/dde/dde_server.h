// The program's DDE server on raw WM_DDE_* messages: the service "KORVEX",
// one topic a script window (its PRGNAME), one item a script variable. All
// of it runs on the GUI thread, except the change hook VariableUpdated
// (variable.h), which runs on the thread that stored the value.
#pragma once
#include <windows.h>

class WindowInterpreter;

// From the frame's WM_CREATE: the service atom; from its WM_DESTROY:
// deletes it, then ends each conversation left, waiting up to 1 s for
// each client's TERMINATE.
void DdeRegisterService();
void DdeShutdown(HWND frame);
// The service atom, 0 while the server answers nothing.
ATOM DdeServiceAtom();

// WM_DDE_INITIATE to the frame: the first script window whose topic it
// names answers, unless the client has a conversation already.
void DdeAnswerInitiate(WPARAM client, LPARAM atoms);

// WM_DDE_ADVISE .. WM_DDE_EXECUTE to a script window.
void DdeScriptWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// From a script window's WM_DESTROY while its interpreter still lives: the
// links it serves are released, and the conversations it answered end
// (their clients get WM_DDE_TERMINATE from it).
void DdeScriptWindowClosing(HWND window, WindowInterpreter& interpreter);

// Some DDE client advises a variable this window serves (the built-in
// ADVISE).
bool IsAdvised(HWND window);
