// The 28 window built-ins: a second table, asked after the interpreter's
// own built-ins. Each runs on a frame that reaches the calling interpreter;
// the argument count is checked first (122), then each argument's type
// (146).
#pragma once
#include <windows.h>

#include <cstdint>

#include "builtin_frame.h"

class WindowInterpreter;

enum : uint32_t {
  kWindowErrorArgumentType = 146,
  kWindowErrorGeneral = 31,  // CALC's box answered with Cancel
};

// Arguments of the wrong type fail with 146 here.
class WindowBuiltinFrame : public BuiltinFrame {
 public:
  WindowBuiltinFrame(WindowInterpreter& interpreter, uint32_t& error, int count);

  WindowInterpreter& Interpreter() { return interpreter_; }
  // The script window (HWND), or null.
  HWND Window();

  // FREE(X): the variable X names, when the argument was one.
  VARIABLE* reference = nullptr;

 private:
  WindowInterpreter& interpreter_;
};

// Numbers of the built-ins (their place in the name list).
enum WindowBuiltin : int {
  kWindowAdvise = 1, kWindowDdeOpen, kWindowDdeSend, kWindowDdeReceive, kWindowDdeClose,
  kWindowSignal, kWindowWait, kWindowSend, kWindowAttach, kWindowExeFind, kWindowRun,
  kWindowGet, kWindowCalc, kWindowActive, kWindowWndFind, kWindowVarGet, kWindowMenu,
  kWindowBitmap, kWindowFree, kWindowEvent, kWindowCheck, kWindowVarWnd, kWindowPost,
  kWindowError, kWindowParam, kWindowInput, kWindowObject, kWindowProfile,
  kWindowBuiltinCount = kWindowProfile,
};

// The built-in's routine and argument counts. A null routine is a slot
// that is no built-in yet.
struct WindowBuiltinSpec {
  bool (*run)(WindowBuiltinFrame& frame);
  uint8_t minArgs;
  uint8_t maxArgs;
};

// The entry of a name (exact, without case), 0 when none.
int FindWindowBuiltin(const char* name);

// As Interpreter::CallBuiltin: position is behind '('; 1 ran and pushed its
// result, 0 failed (error set), below 0 when the name is no window built-in.
int CallWindowBuiltin(WindowInterpreter& interpreter, const char* name, const char*& position);
// Runs an entry on count arguments already on the stack; as above.
int RunWindowBuiltin(WindowInterpreter& interpreter, int entry, int count,
                     VARIABLE* reference = nullptr);
