// The window procedure of class "KORVEX_CLASS": one MDI child per script.
#pragma once
#include <windows.h>

LRESULT CALLBACK ScriptWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
