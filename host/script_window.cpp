#include "script_window.h"

#include "frame_window.h"
#include "host_globals.h"
#include "script_run.h"

LRESULT CALLBACK ScriptWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      InterlockedIncrement(&ScriptWindowCount);
      break;
    case WM_DESTROY:
      if (ActiveScriptWindow == window) ActiveScriptWindow = nullptr;
      OnScriptWindowDestroy(window);
      if (InterlockedDecrement(&ScriptWindowCount) == 0) EndFrameWhenIdle();
      break;
    case WM_MDIACTIVATE:
      ActiveScriptWindow = reinterpret_cast<HWND>(lParam);
      break;
    case WM_CLOSE:
      // A script window never closes by default; the script decides.
      if (InterpreterOf(window)) return 0;
      break;
    case kRunWindowScriptMessage:
      RunWindowScript(window);
      break;
    default:
      break;
  }
  return DefMDIChildProcA(window, message, wParam, lParam);
}
