// Nimbet's progress dialog for other libraries: a caller links the target
// Nimbet (its import library) and includes this header. The dialog is
// modeless and disables its owner until PBCLOSE; PBPOSITION moves its bar
// and says whether the user pressed its stop button.
#pragma once
#include <windows.h>

#ifdef NIMBET_BUILD
#define NIMBET_API extern "C" __declspec(dllexport)
#else
#define NIMBET_API extern "C" __declspec(dllimport)
#endif

// The dialog window captioned title (null: its own caption), or 0 when
// owner is no window or the dialog cannot be made.
NIMBET_API HWND WINAPI PBOPEN(HWND owner, const char* title);
// Shows MulDiv(position, 100, range) percent; TRUE once the stop button
// was pressed. A handle that names no open dialog gives FALSE.
NIMBET_API BOOL WINAPI PBPOSITION(HWND dialog, long position, long range);
// Closes the dialog and gives its owner back the input; an unknown handle
// does nothing.
NIMBET_API void WINAPI PBCLOSE(HWND dialog);
