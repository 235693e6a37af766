// How a script body runs and how its window ends.
#pragma once
#include <windows.h>

#include <cstdint>

class WindowInterpreter;

// The interpreter in window word 0, or null.
WindowInterpreter* InterpreterOf(HWND window);

// Thread of a script without the option WINDOW: runs the body, then closes
// the window once no event handler of it is running.
DWORD WINAPI ScriptThreadProc(LPVOID window);

// A WINDOW script's body, on the GUI thread: a non-zero result leaves the
// window open for events; 0 (an error, END 0, a failed label scan) closes it.
void RunWindowScript(HWND window);

// Destroys the window now (1), or, while handlers run, only sets the stop
// bit so that the last handler closes it (0).
int RequestClose(HWND window);

// A handler (an event's, or a client's command) runs in the window's
// context: the interpreter is held and counted as running a handler.
void BeginHandler(WindowInterpreter* owner);
// Counts the handler out and lets its hold go. True when the window is now
// to close: a WINDOW script marked to stop (BREAK, or a close request while
// handlers ran) still in its window. The caller then calls RequestClose:
// nobody else will, and the stop bit turns every later event away.
bool EndHandler(HWND window, WindowInterpreter* owner);

// From the window's WM_DESTROY: takes the interpreter from the window,
// saves the window size, closes the thread handle, marks it to stop and
// lets the window's hold go.
void OnScriptWindowDestroy(HWND window);

// One more user of the interpreter (any thread).
void HoldInterpreter(WindowInterpreter* interpreter);
// One user fewer; the last frees the bindings, unlocks the script text and
// deletes the interpreter.
void ReleaseInterpreter(WindowInterpreter* interpreter);

// Runs a text in the window's context (labels, bindings, variables); the
// text's '@' labels are dropped again. The error number, 0 for none.
uint32_t RunTextInWindow(HWND window, const char* text);
