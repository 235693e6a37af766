#include "event_dispatch.h"

#include <cstring>
#include <exception>
#include <string>

#include "host_globals.h"
#include "script_run.h"
#include "window_buffer.h"
#include "window_interpreter.h"

namespace {

// Of a 1013 request text only this much is read.
const int kElementText = 31;

void SetLongVariable(WindowInterpreter& interpreter, const char* name, int32_t value) {
  uint32_t error = 0;
  VARIABLE* v = interpreter.Variables().FindOrCreate(name, error);
  if (v) v->SetLong(value);
}

bool IsMouseEvent(uint32_t code) {
  return code == kEventLeftDown || code == kEventRightDown || code == kEventDoubleClick ||
         code == kEventMouseMoved || code == kEventLeftUp;
}

// NAME(row[,col]) in the window's arrays: the element, or null.
VARIABLE* RequestedElement(WindowInterpreter& owner, const char* request) {
  char text[kElementText + 1];
  std::strncpy(text, request, kElementText);
  text[kElementText] = 0;
  char* bracket = std::strchr(text, '(');
  if (!bracket) return nullptr;
  *bracket = 0;
  // Index expressions may name the window's variables: a parser sharing
  // its tables reads them.
  WindowInterpreter parser;
  parser.ShareContext(&owner);
  const char* p = bracket + 1;
  int32_t row = 0, col = 0;
  VARIABLE* element = nullptr;
  if (!parser.ParseIndices(p, row, col)) element = owner.Variables().FindElement(text, row, col);
  parser.ShareContext(nullptr);
  return element;
}

// The codes the window answers itself: true when answered (result set).
bool AnswerFixedCode(HWND window, WindowInterpreter& owner, uint32_t code, LPARAM parameter,
                     LRESULT& result) {
  switch (code) {
    case kEventFocus:
      if (!owner.AttachedWindow) return false;
      SetFocus(owner.AttachedWindow);
      return true;
    case kEventSize:
      if (!owner.AttachedWindow) return false;
      MoveWindow(owner.AttachedWindow, 0, owner.TopMargin, LOWORD(parameter) - owner.RightMargin,
                 HIWORD(parameter) - owner.TopMargin, TRUE);
      return true;
    case kEventActivate:
      if (owner.WindowListMenu) {
        SendMessageA(MdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(owner.ScriptMenu),
                     reinterpret_cast<LPARAM>(owner.WindowListMenu));
        DrawMenuBar(FrameWindow);
      }
      CurrentAccelerators = owner.ScriptAccelerators;
      CurrentModelessDialog = owner.EmbeddedDialog;
      return false;  // a bound handler still runs
    case kRequestVariable: {
      // The sender's pointer: a null one is refused, not read.
      const char* name = reinterpret_cast<const char*>(parameter);
      result = name ? reinterpret_cast<LRESULT>(owner.Variables().Find(name)) : 0;
      return true;
    }
    case kRequestElement: {
      const char* request = reinterpret_cast<const char*>(parameter);
      result = request ? reinterpret_cast<LRESULT>(RequestedElement(owner, request)) : 0;
      return true;
    }
    case kRequestBuffer:
      result = reinterpret_cast<LRESULT>(GetWindowBuffer(window));
      return true;
    case kRequestBufferAppend: {
      uint32_t error = 0;
      const char* text = reinterpret_cast<const char*>(parameter);
      result = text ? AppendWindowBuffer(window, text, error) : 0;
      return true;
    }
    case kRequestBufferFree:
      result = FreeWindowBuffer(window);
      return true;
    default:
      return false;
  }
}

void SetEventVariables(WindowInterpreter& owner, uint32_t code, LPARAM parameter) {
  if (code == kEventPaint) {
    SetLongVariable(owner, "HDC", static_cast<int32_t>(parameter));
    return;
  }
  if (IsMouseEvent(code)) {
    SetLongVariable(owner, "XPOS", LOWORD(parameter));
    SetLongVariable(owner, "YPOS", HIWORD(parameter));
  }
  SetLongVariable(owner, "PARAM", static_cast<int32_t>(parameter));
}

// Runs the bound label or text in a handler sharing the window's context.
// Exceptions are shown and the run counts as done (result 0).
uint32_t RunHandler(WindowInterpreter& owner, const char* position) {
  WindowInterpreter handler;
  handler.ShareContext(&owner);
  handler.ScriptWindow = owner.ScriptWindow;
  uint32_t result = 0;
  try {
    result = handler.Run(position);
  } catch (const std::exception& e) {
    MessageBoxA(FrameWindow, e.what(), kProductName, MB_OK);
  } catch (const char* text) {
    MessageBoxA(FrameWindow, text, kProductName, MB_OK);
  }
  handler.ShareContext(nullptr);
  if (handler.RunFlags() & kRunStop) owner.RunFlags() |= kRunStop;
  return result;
}

}  // namespace

int DispatchEvent(HWND window, uint32_t code, LPARAM parameter, LRESULT* result) {
  WindowInterpreter* owner = InterpreterOf(window);
  if (!owner || (owner->RunFlags() & kRunStop)) return 0;
  LRESULT answer = 0;
  if (AnswerFixedCode(window, *owner, code, parameter, answer)) {
    if (result) *result = answer;
    return 1;
  }
  bool ownsText = false;
  const char* position = owner->Labels().FindBinding(code & 0xFFFF, &ownsText);
  if (!position) return 0;
  // A command text belongs to its binding, which the handler may remove or
  // replace while it runs: it runs from a copy.
  std::string command;
  if (ownsText) {
    command = position;
    position = command.c_str();
  }
  SetEventVariables(*owner, code, parameter);

  BeginHandler(owner);
  uint32_t ran = RunHandler(*owner, position);
  if (result) *result = static_cast<LRESULT>(ran);
  if (EndHandler(window, owner)) RequestClose(window);
  return 1;
}
