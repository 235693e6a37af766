#include "script_window.h"

#include <commctrl.h>
#include <dde.h>

#include "dde_server.h"
#include "event_dispatch.h"
#include "frame_window.h"
#include "gui_call.h"
#include "host_globals.h"
#include "host_resources.h"
#include "script_run.h"
#include "window_buffer.h"
#include "window_interpreter.h"

namespace {

// The event's handler ran (or the code was answered).
bool Dispatched(HWND window, uint32_t code, LPARAM parameter) {
  return DispatchEvent(window, code, parameter, nullptr) != 0;
}

// List and tree views: keys, drag starts and double clicks. The result of
// the message, or -1 to leave it to the default.
LRESULT OnNotify(HWND window, const NMHDR* notice) {
  switch (notice->code) {
    case LVN_KEYDOWN:
    case TVN_KEYDOWN:
      // Both notices carry the virtual key in the same place.
      return Dispatched(window, kEventKeyDown,
                        reinterpret_cast<const NMLVKEYDOWN*>(notice)->wVKey) ? 1 : 0;
    case TVN_BEGINDRAGA:
      return Dispatched(window, kEventBeginDrag, reinterpret_cast<LPARAM>(notice)) ? 1 : 0;
    case NM_DBLCLK: {
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(window, &at);
      Dispatched(window, kEventDoubleClick, MAKELPARAM(at.x, at.y));
      return 0;
    }
    default:
      return -1;
  }
}

LRESULT OnCommand(HWND window, WindowInterpreter& interpreter, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (DispatchEvent(window, static_cast<uint32_t>(wParam), lParam, &result)) return result;
  // Menu commands the script leaves alone belong to its attached window.
  UINT id = LOWORD(wParam);
  if (interpreter.AttachedWindow && id >= kCommandFirstScript && id <= kCommandLastScript)
    return SendMessageA(interpreter.AttachedWindow, WM_COMMAND, wParam, lParam);
  return DefMDIChildProcA(window, WM_COMMAND, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ScriptWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    InterlockedIncrement(&ScriptWindowCount);
    return DefMDIChildProcA(window, message, wParam, lParam);
  }
  if (message == WM_DESTROY) {
    if (ActiveScriptWindow == window) ActiveScriptWindow = nullptr;
    FreeWindowBuffer(window);
    OnScriptWindowDestroy(window);
    if (InterlockedDecrement(&ScriptWindowCount) == 0) EndFrameWhenIdle();
    return DefMDIChildProcA(window, message, wParam, lParam);
  }
  if (message == WM_MDIACTIVATE) ActiveScriptWindow = reinterpret_cast<HWND>(lParam);
  if (message >= WM_DDE_FIRST && message <= WM_DDE_LAST) {
    DdeScriptWindowMessage(window, message, wParam, lParam);
    return 0;
  }
  WindowInterpreter* interpreter = InterpreterOf(window);
  if (!interpreter) return DefMDIChildProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_SIZE: Dispatched(window, kEventSize, lParam); break;
    case WM_SETFOCUS: Dispatched(window, kEventFocus, 0); break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Dispatched(window, kEventPaint, reinterpret_cast<LPARAM>(dc));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      // A script window never closes by default; the script decides.
      Dispatched(window, kEventClose, 0);
      return 0;
    case WM_POWER:
      if (Dispatched(window, kEventPower, static_cast<LPARAM>(wParam))) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
      if (result >= 0) return result;
      break;
    }
    case WM_KEYDOWN: Dispatched(window, kEventKeyDown, static_cast<LPARAM>(wParam)); break;
    case WM_TIMER: Dispatched(window, kEventTimer, static_cast<LPARAM>(wParam)); break;
    case WM_MOUSEMOVE:
      if (interpreter->RunFlags() & kRunMouseMove) Dispatched(window, kEventMouseMoved, lParam);
      break;
    case WM_LBUTTONDOWN: Dispatched(window, kEventLeftDown, lParam); break;
    case WM_LBUTTONUP: Dispatched(window, kEventLeftUp, lParam); break;
    case WM_LBUTTONDBLCLK: Dispatched(window, kEventDoubleClick, lParam); break;
    case WM_RBUTTONDOWN: Dispatched(window, kEventRightDown, lParam); break;
    case WM_MDIACTIVATE:
      Dispatched(window, reinterpret_cast<HWND>(lParam) == window ? kEventActivate
                                                                   : kEventDeactivate, 0);
      break;
    case WM_COMMAND:
      return OnCommand(window, *interpreter, wParam, lParam);
    case kRunWindowScriptMessage:
      RunWindowScript(window);
      break;
    case kWindowThreadCallMessage:
      return AnswerWindowThreadCall(lParam);
    default:
      break;
  }
  return DefMDIChildProcA(window, message, wParam, lParam);
}
