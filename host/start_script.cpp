#include "start_script.h"

#include <string>

#include "host_globals.h"
#include "path_helpers.h"
#include "script_loader.h"
#include "script_path.h"
#include "script_run.h"
#include "wennic.h"
#include "window_interpreter.h"

namespace {

const int kMessageFileNotFound = 2;

void SetWord(HWND window, int offset, const void* value) {
  SetWindowLongPtrA(window, offset, reinterpret_cast<LONG_PTR>(value));
}

}  // namespace

HWND StartScript(HWND parent, const char* path) {
  if (!path) return nullptr;
  WindowInterpreter* interpreter = new WindowInterpreter;

  std::string clean = CleanScriptPath(path);
  if (!FileExists(clean.c_str())) {
    ERRBOX(FrameWindow, kMessageFileNotFound, kErrBoxStringArgument, clean.c_str());
    delete interpreter;
    return nullptr;
  }
  unsigned short error = 0;
  DWORD line = 0;
  HGLOBAL text = LoadScript(clean.c_str(), &error, &line);
  if (!text) {
    int lineNumber = static_cast<int>(line);
    ERRBOX(FrameWindow, error, kErrBoxIntegerArgument, reinterpret_cast<const char*>(&lineNumber));
    delete interpreter;
    return nullptr;
  }
  interpreter->ScriptText = text;

  const char* start = static_cast<const char*>(GlobalLock(text));
  uint16_t flags = start ? ReadScriptOptions(start, interpreter->RunFlags()) : 0;
  GlobalUnlock(text);
  interpreter->RunFlags() = flags;
  LastScriptOptions = flags & (kRunHide | kRunWindow);
  interpreter->StartParent = parent;

  if (ScriptWindowCount == 0) {
    ShowWindow(FrameWindow, (flags & kRunHide) ? SW_HIDE : SW_SHOWMINIMIZED);
    UpdateWindow(FrameWindow);
  }

  MDICREATESTRUCTA create = {};
  create.szClass = kScriptWindowClass;
  create.szTitle = clean.c_str();
  create.hOwner = hInst;
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.lParam = reinterpret_cast<LPARAM>(interpreter);
  HWND window = reinterpret_cast<HWND>(
      SendMessageA(MdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  if (!window) {
    delete interpreter;
    return nullptr;
  }
  SetWord(window, kScriptWordInterpreter, interpreter);
  interpreter->ScriptWindow = window;

  if (flags & kRunWindow) {
    PostMessageA(window, kRunWindowScriptMessage, 0, 0);
    return window;
  }
  // Started only once its handle is in the window, so a script that ends
  // at once still leaves the handle for the window's end to close.
  HANDLE thread = CreateThread(nullptr, 0, ScriptThreadProc, window, CREATE_SUSPENDED, nullptr);
  if (!thread) {
    SetWord(window, kScriptWordInterpreter, nullptr);
    SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    delete interpreter;
    return nullptr;
  }
  SetWord(window, kScriptWordThread, thread);
  HoldInterpreter(interpreter);  // the thread's, let go when its body ends
  ResumeThread(thread);
  return window;
}
