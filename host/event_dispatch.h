// Event codes of script windows and their dispatch: the fixed codes the
// window answers itself (attached window, menu activation, variable and
// text-buffer requests) and the handlers that scripts bind with EVENT and
// COMMAND, run on the GUI thread in an interpreter sharing the window's.
#pragma once
#include <windows.h>

#include <cstdint>

enum : uint32_t {
  kEventFocus = 1000,
  kEventSize = 1001,
  kEventActivate = 1002,
  kEventDeactivate = 1003,
  kEventTimer = 1004,
  kEventClose = 1005,
  kEventPaint = 1006,
  kEventPower = 1007,
  kEventKeyDown = 1008,
  kEventLeftDown = 1009,
  kEventRightDown = 1010,
  kEventDoubleClick = 1011,
  kRequestVariable = 1012,
  kRequestElement = 1013,
  kEventCall = 1014,
  kEventMouseMoved = 1015,
  kEventLeftUp = 1016,
  kEventBeginDrag = 1017,
  kRequestBuffer = 1018,
  kRequestBufferAppend = 1019,
  kRequestBufferFree = 1020,
};

// 1 when the code was handled (a fixed code answered, or a bound handler
// run), its result stored through result when given; 0 when not (no
// interpreter, a window marked to stop, or nothing bound to the low 16
// bits of the code).
int DispatchEvent(HWND window, uint32_t code, LPARAM parameter, LRESULT* result);
