#include "script_run.h"

#include "dde_client.h"
#include "dde_server.h"
#include "host_globals.h"
#include "script_setup.h"
#include "window_interpreter.h"

namespace {

const DWORD kHandlerPollMilliseconds = 10;

// Lock the text, preset BEGIN, collect the labels, set the predefined
// variables and restore the window size. The text's start, or null when
// the label scan failed or the body was started already.
const char* PrepareScript(HWND window, WindowInterpreter& interpreter) {
  if (interpreter.Start() || !interpreter.ScriptText) return nullptr;
  const char* start = static_cast<const char*>(GlobalLock(interpreter.ScriptText));
  if (!start) return nullptr;
  interpreter.SetStart(start);
  if (!interpreter.ScanLabels(start)) return nullptr;
  SetPredefinedVariables(window, interpreter);
  LoadOrSaveWindowSize(window, interpreter, true);
  return start;
}

void DestroyScriptWindow(HWND window) {
  SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

}  // namespace

WindowInterpreter* InterpreterOf(HWND window) {
  return reinterpret_cast<WindowInterpreter*>(GetWindowLongPtrA(window, kScriptWordInterpreter));
}

DWORD WINAPI ScriptThreadProc(LPVOID parameter) {
  HWND window = static_cast<HWND>(parameter);
  WindowInterpreter* interpreter = InterpreterOf(window);
  // StartScript took this thread's hold on the interpreter.
  if (interpreter) {
    const char* start = PrepareScript(window, *interpreter);
    if (start) {
      interpreter->Run(start);
      // A closing window takes no more events. A handler that the GUI
      // thread was starting as the bit was set has counted itself in by the
      // time this round trip returns, so the wait below cannot miss it.
      interpreter->RunFlags() |= kRunStop;
      SendMessageA(window, WM_NULL, 0, 0);
      while (interpreter->RunningHandlersNow() > 0) Sleep(kHandlerPollMilliseconds);
    }
    DdeClientThreadEnd();  // what the body left open
    // Let go before the window goes, so that the window's end (on the GUI
    // thread) is the one that deletes it.
    ReleaseInterpreter(interpreter);
  }
  DestroyScriptWindow(window);
  return 0;
}

void RunWindowScript(HWND window) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  if (!interpreter) return;
  if (interpreter->Start()) return;  // the body runs once
  const char* start = PrepareScript(window, *interpreter);
  uint32_t result = 0;
  if (start) {
    HoldInterpreter(interpreter);
    ++interpreter->RunningHandlers();
    result = interpreter->Run(start);
    --interpreter->RunningHandlers();
    bool destroyed = InterpreterOf(window) != interpreter;
    ReleaseInterpreter(interpreter);
    if (destroyed) return;
  }
  if (result == 0) RequestClose(window);
}

int RequestClose(HWND window) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  if (interpreter && interpreter->RunningHandlers() > 0) {
    interpreter->RunFlags() |= kRunStop;
    return 0;
  }
  DestroyScriptWindow(window);
  return 1;
}

void BeginHandler(WindowInterpreter* owner) {
  HoldInterpreter(owner);
  ++owner->RunningHandlers();
}

bool EndHandler(HWND window, WindowInterpreter* owner) {
  --owner->RunningHandlers();
  bool closing = InterpreterOf(window) == owner && (owner->RunFlags() & kRunWindow) &&
                 (owner->RunFlags() & kRunStop);
  ReleaseInterpreter(owner);
  return closing;
}

void OnScriptWindowDestroy(HWND window) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  SetWindowLongPtrA(window, kScriptWordInterpreter, 0);
  // The thread is ending (it sent the destroy request) or was never made.
  HANDLE thread = reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, kScriptWordThread));
  if (thread) {
    SetWindowLongPtrA(window, kScriptWordThread, 0);
    CloseHandle(thread);
  }
  if (!interpreter) return;
  LoadOrSaveWindowSize(window, *interpreter, false);
  DdeScriptWindowClosing(window, *interpreter);
  // A body or handler still running sees the stop and ends; the last of
  // them deletes the interpreter.
  interpreter->RunFlags() |= kRunStop;
  ReleaseInterpreter(interpreter);
}

void HoldInterpreter(WindowInterpreter* interpreter) { InterlockedIncrement(&interpreter->Holders); }

void ReleaseInterpreter(WindowInterpreter* interpreter) {
  if (InterlockedDecrement(&interpreter->Holders) != 0) return;
  interpreter->Labels().ClearBindings();
  if (interpreter->Start()) GlobalUnlock(interpreter->ScriptText);
  delete interpreter;
}

uint32_t RunTextInWindow(HWND window, const char* text) {
  WindowInterpreter* owner = InterpreterOf(window);
  if (!owner) return 0;
  WindowInterpreter runner;
  runner.ShareContext(owner);
  runner.ScriptWindow = window;
  if (runner.ScanLabels(text)) runner.Run(text);
  runner.Labels().DropAtLabels();
  runner.ShareContext(nullptr);
  return runner.GetError();
}
