// Where the window statements and built-ins find their window: the script
// window of the running interpreter, the window's own interpreter (event
// handlers run in temporary interpreters that share its tables but not its
// fields), and the script windows of this process.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class Interpreter;
class WindowInterpreter;

// The script window (the window variable HWND), or null.
HWND ScriptWindowFor(Interpreter& interpreter);
// The interpreter that owns the script window's menu, accelerators,
// attached window and loaded modules: the window's own, or the running one
// when the window has none.
WindowInterpreter& WindowOwner(WindowInterpreter& interpreter);

// A window of this process of class "KORVEX_CLASS".
bool IsScriptWindow(HWND window);
// This process's script windows, in the MDI client's child order.
std::vector<HWND> ScriptWindows();

// A window variable of type LONG set to value (created when missing).
void SetLongVariable(Interpreter& interpreter, const char* name, int32_t value);
