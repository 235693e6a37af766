// The window class "EDITDATE": a date typed into the fixed mask
// "00.00.0000" (or "00.00.00"), digits overwritten in place. Registered for
// every program's dialogs while the library is loaded.
#pragma once
#include <windows.h>

extern const char kEditDateClass[];

// Registers the global class for the module unless it has one already.
void RegisterEditDateClass(HINSTANCE instance);
void UnregisterEditDateClass(HINSTANCE instance);
