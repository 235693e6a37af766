// Built-ins over script windows: ATTACH, ACTIVE, WNDFIND, VARGET, VARWND,
// EVENT and POST. Only this process's script windows are asked for their
// variables or counted, so no foreign pointer is ever read.
#include <string>

#include "event_dispatch.h"
#include "host_globals.h"
#include "operator_lock.h"
#include "window_builtin_entries.h"
#include "window_context.h"
#include "window_interpreter.h"

namespace {

HWND AsWindow(int32_t value) { return reinterpret_cast<HWND>(static_cast<intptr_t>(value)); }
int32_t AsLong(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

// The window's scalar of that name (request 1012), or null. Only a script
// window of this process answers with a pointer that can be read here.
VARIABLE* RequestVariable(HWND window, const char* name) {
  if (!IsScriptWindow(window)) return nullptr;
  return reinterpret_cast<VARIABLE*>(
      SendMessageA(window, WM_COMMAND, kRequestVariable, reinterpret_cast<LPARAM>(name)));
}

std::string WindowTitle(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string title(static_cast<size_t>(length) + 1, '\0');
  title.resize(static_cast<size_t>(GetWindowTextA(window, &title[0], length + 1)));
  return title;
}

// WM_COMMAND (code, 0) to one window, or with window 0 to every script
// window in turn: 1, or the number of windows reached.
int32_t DeliverCode(HWND window, int32_t code, bool post) {
  WPARAM command = static_cast<WPARAM>(static_cast<uint32_t>(code));
  auto deliver = [&](HWND to) {
    if (post)
      PostMessageA(to, WM_COMMAND, command, 0);
    else
      SendMessageA(to, WM_COMMAND, command, 0);
  };
  if (window) {
    deliver(window);
    return 1;
  }
  int32_t reached = 0;
  for (HWND to : ScriptWindows()) {
    if (!IsWindow(to)) continue;  // ended by an earlier one's handler
    deliver(to);
    ++reached;
  }
  return reached;
}

bool RunDelivery(WindowBuiltinFrame& f, bool post) {
  int32_t code, window;
  if (!f.PopLong(code) || !f.PopLong(window)) return false;
  f.Result().SetLong(DeliverCode(AsWindow(window), code, post));
  return true;
}

// EVENT(label): the label runs as the handler of 1014 on the GUI thread.
// Its binding goes in front of any the script made for 1014, and only it is
// taken away again.
bool CallLabel(WindowBuiltinFrame& f) {
  const char* label;
  if (!f.PopText(label)) return false;
  LabelTable& labels = f.Interpreter().Labels();
  const char* position = labels.FindLabel(label);
  if (!position) return f.Fail(kRunErrorNoLabel);
  if (!labels.BindEventFirst(kEventCall, label)) return f.Fail(kErrorOutOfMemory);
  LRESULT result = SendMessageA(f.Window(), WM_COMMAND, kEventCall, 0);
  labels.UnbindEventAt(kEventCall, position);
  f.Result().SetLong(static_cast<int32_t>(result));
  return true;
}

}  // namespace

bool RunAttach(WindowBuiltinFrame& f) {
  int32_t margin, top, attached;
  if (!f.PopLong(margin) || !f.PopLong(top) || !f.PopLong(attached)) return false;
  WindowInterpreter& owner = WindowOwner(f.Interpreter());
  HWND previous = owner.AttachedWindow;
  owner.RightMargin = static_cast<uint16_t>(margin);
  owner.TopMargin = static_cast<uint16_t>(owner.TopMargin + top);
  owner.AttachedWindow = AsWindow(attached);
  HWND window = f.Window();
  RECT client = {};
  GetClientRect(window, &client);
  MoveWindow(owner.AttachedWindow, 0, owner.TopMargin, client.right - owner.RightMargin,
             client.bottom - owner.TopMargin, TRUE);
  InvalidateRect(window, nullptr, TRUE);
  f.Result().SetLong(AsLong(previous));
  return true;
}

bool RunActive(WindowBuiltinFrame& f) {
  int32_t window;
  if (!f.PopLong(window)) return false;
  HWND active = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0));
  if (window) {
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(AsWindow(window)), 0);
    SetForegroundWindow(FrameWindow);
  }
  f.Result().SetLong(AsLong(active));
  return true;
}

bool RunWndFind(WindowBuiltinFrame& f) {
  const char* title;
  if (!f.PopText(title)) return false;
  HWND found = nullptr;
  for (HWND window : ScriptWindows()) {
    if (WindowTitle(window) == title) {
      found = window;
      break;
    }
  }
  f.Result().SetLong(AsLong(found));
  return true;
}

bool RunVarGet(WindowBuiltinFrame& f) {
  const char* name;
  int32_t window;
  if (!f.PopText(name) || !f.PopLong(window)) return false;
  if (VARIABLE* v = RequestVariable(AsWindow(window), name)) f.Result().Assign(*v);
  return true;
}

bool RunVarWnd(WindowBuiltinFrame& f) {
  const char* name;
  if (!f.PopText(name)) return false;
  VARIABLE* wanted = f.Pop();
  if (!wanted) return false;
  HWND found = nullptr;
  if (*name) {
    for (HWND window : ScriptWindows()) {
      VARIABLE* v = RequestVariable(window, name);
      if (!v) continue;
      VARIABLE left(*wanted), right(*v);
      OperatorSection section;
      bool equal = VARIABLE::Equal(&left, &right) != 0;
      section.TakeError();  // values of other types are just not equal
      if (equal) {
        found = window;
        break;
      }
    }
  }
  f.Result().SetLong(AsLong(found));
  return true;
}

bool RunEvent(WindowBuiltinFrame& f) {
  if (f.Count() == 1) return CallLabel(f);
  return RunDelivery(f, false);
}

bool RunPost(WindowBuiltinFrame& f) { return RunDelivery(f, true); }
