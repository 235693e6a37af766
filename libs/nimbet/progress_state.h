// The state of one open progress or wait dialog, and the dialogs this
// library opened and has not closed. A caller's handle can be anything (a
// closed dialog, another program's window), so every export looks it up
// here first and treats an unknown one as no dialog: such a window is never
// destroyed and no state is freed twice. The state is also kept in the
// dialog's property "PROGRESS"; the lookup here avoids a property read (a
// server round trip) on every bar move.
#pragma once
#include <windows.h>

#include <cstdint>

struct ProgressState {
  HWND owner;
  uint8_t lastShown;  // percentage the bar shows
  uint8_t current;    // percentage last asked for
  uint8_t stop;       // 1 once the stop button was pressed
};

extern const char kProgressProperty[];

// Records the dialog's state; false when it cannot be recorded.
bool RememberDialog(HWND dialog, ProgressState* state);
// The state of an open dialog, or null.
ProgressState* LiveDialog(HWND dialog);
// Forgets the dialog and returns its state for freeing, or null when the
// handle names no open dialog.
ProgressState* ForgetDialog(HWND dialog);
