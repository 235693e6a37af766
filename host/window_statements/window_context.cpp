#include "window_context.h"

#include "host_globals.h"
#include "script_run.h"
#include "window_interpreter.h"

HWND ScriptWindowFor(Interpreter& interpreter) { return interpreter.GetWindowHandle(); }

WindowInterpreter& WindowOwner(WindowInterpreter& interpreter) {
  HWND window = interpreter.GetWindowHandle();
  WindowInterpreter* owner = window && IsScriptWindow(window) ? InterpreterOf(window) : nullptr;
  return owner ? *owner : interpreter;
}

bool IsScriptWindow(HWND window) {
  if (!window || !IsWindow(window)) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return false;
  char name[32];
  return GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, kScriptWindowClass) == 0;
}

std::vector<HWND> ScriptWindows() {
  std::vector<HWND> windows;
  if (!MdiClient) return windows;
  for (HWND child = GetWindow(MdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsScriptWindow(child)) windows.push_back(child);
  return windows;
}

void SetLongVariable(Interpreter& interpreter, const char* name, int32_t value) {
  uint32_t error = 0;
  if (VARIABLE* v = interpreter.Variables().FindOrCreate(name, error)) v->SetLong(value);
}
