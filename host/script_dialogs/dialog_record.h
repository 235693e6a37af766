// Inside the script dialogs: the dialog's record and serving interpreter,
// and how notices reach the script window.
#pragma once
#include <windows.h>

#include "script_dialogs.h"

WindowInterpreter* ServingInterpreter(HWND dialog);
DialogEventRecord* RecordOf(HWND dialog);
// Frees the record and removes both properties (again: nothing).
void ReleaseDialog(HWND dialog);

void SetHdlg(Interpreter& interpreter, HWND dialog);
// The window variable becomes NULL.
void SetNull(Interpreter& interpreter, const char* name);
// WM_COMMAND to the interpreter's script window; the handler's result.
LRESULT SendToScript(Interpreter& interpreter, WPARAM wParam, LPARAM lParam);
// With a record: HDLG = the dialog and (code, kind + id * 65536) to the
// script window; false without a record.
bool SendNotice(WindowInterpreter& interpreter, HWND dialog, int kind, int controlId,
                LRESULT* result = nullptr);
bool HandlerBound(WindowInterpreter& interpreter, const DialogEventRecord& record);
