// The frame window of class "KORVEX" with its MDI client.
#pragma once
#include <windows.h>

// Registers "KORVEX" (the frame, menu 103) and "KORVEX_CLASS" (script
// windows); false when either fails.
bool RegisterHostClasses();

// Creates the frame, hidden, on the rectangle of section "Main"; null on
// failure.
HWND CreateFrameWindow();

// Called when the last script window is gone: the frame ends itself (and
// the program), unless a new script window came meanwhile.
void EndFrameWhenIdle();

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
