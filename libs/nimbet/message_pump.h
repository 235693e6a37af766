// Keeps a window's thread responsive while its caller works: dispatches the
// thread's messages until a timer of the given time fires for the window.
#pragma once
#include <windows.h>

// 1 when the timer fired; 0 when the quit message came (it is posted again
// with its code, for the caller's own loop) or the window was destroyed;
// -1 when GetMessageA failed or no timer could be set.
int PumpMessages(HWND window, UINT milliseconds);
