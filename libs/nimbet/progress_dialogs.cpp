// The progress dialog (PB*) and the wait dialog (WD*): modeless dialogs
// over a disabled owner, kept alive by pumping messages at chosen moments,
// with a stop button whose press the caller polls.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "library_frame.h"
#include "message_pump.h"
#include "nimbet.h"
#include "nimbet_ids.h"
#include "progress_state.h"
#include "window_thread_call.h"

namespace {

const UINT kPumpMilliseconds = 1;

void FreeDialogState(HWND dialog) {
  RemovePropA(dialog, kProgressProperty);
  delete ForgetDialog(dialog);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND bar = GetDlgItem(dialog, NIMBET_PROGRESS_BAR);
      if (bar) {
        SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendMessageA(bar, PBM_SETSTEP, 1, 0);
        SendMessageA(bar, PBM_SETPOS, 0, 0);
      }
      return TRUE;
    }
    case WM_COMMAND:
      // The dialog stays up until its caller closes it, whatever is pressed.
      if (LOWORD(wParam) == IDOK) {
        if (ProgressState* state = LiveDialog(dialog)) state->stop = 1;
      }
      return TRUE;
    case WM_DESTROY:
      // Destroyed with its owner, before the caller closed it.
      FreeDialogState(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

HWND OpenDialog(HWND owner, int resource) {
  if (!IsWindow(owner)) return nullptr;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
  InitCommonControlsEx(&controls);
  HWND dialog = CreateDialogParamA(hInst, MAKEINTRESOURCEA(resource), owner, DialogProc, 0);
  if (!dialog) return nullptr;
  EnableWindow(owner, FALSE);
  ProgressState* state = new (std::nothrow) ProgressState{owner, 0, 0, 0};
  if (!state || !RememberDialog(dialog, state)) {
    delete state;
    DestroyWindow(dialog);
    EnableWindow(owner, TRUE);
    SetFocus(owner);
    return nullptr;
  }
  SetPropA(dialog, kProgressProperty, state);
  return dialog;
}

void CloseDialog(HWND dialog) {
  ProgressState* state = LiveDialog(dialog);
  if (!state) return;
  HWND owner = state->owner;
  // The owner takes input again before the dialog goes, so that the
  // activation returns to it and not to another program.
  EnableWindow(owner, TRUE);
  FreeDialogState(dialog);
  DestroyWindow(dialog);
  SetFocus(owner);
}

BOOL StopFlag(const ProgressState* state) { return state && state->stop ? TRUE : FALSE; }

void SetCaption(HWND dialog, const char* title) {
  if (title && LiveDialog(dialog)) SetWindowTextA(dialog, title);
}

}  // namespace

static HWND DoPbopen(HWND owner, const char* title) {
  HWND dialog = OpenDialog(owner, NIMBET_PROGRESS_DIALOG);
  if (dialog && title) SetWindowTextA(dialog, title);
  return dialog;
}

static BOOL DoPbposition(HWND dialog, long position, long range) {
  ProgressState* state = LiveDialog(dialog);
  if (!state || range == 0) return StopFlag(state);
  int percent = MulDiv(position, 100, range);
  if (percent < 0 || percent > 100) return StopFlag(state);
  state->current = static_cast<uint8_t>(percent);
  int moved = percent - state->lastShown;
  if (moved >= -1 && moved <= 1) return StopFlag(state);
  state->lastShown = state->current;
  SendDlgItemMessageA(dialog, NIMBET_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  if (percent % 10 == 0) {
    PumpMessages(dialog, kPumpMilliseconds);
    // The pump may have run a handler that closed the dialog.
    state = LiveDialog(dialog);
  }
  return StopFlag(state);
}

static void DoPbtext(HWND dialog, const char* title) { SetCaption(dialog, title); }

static void DoPbclose(HWND dialog) { CloseDialog(dialog); }

static HWND DoWdopen(HWND owner, const char* aviFile) {
  HWND dialog = OpenDialog(owner, NIMBET_WAIT_DIALOG);
  if (dialog && aviFile && *aviFile)
    SendDlgItemMessageA(dialog, NIMBET_WAIT_ANIMATION, ACM_OPENA, 0, reinterpret_cast<LPARAM>(aviFile));
  return dialog;
}

static BOOL DoWdtext(HWND dialog, const char* title) {
  if (!LiveDialog(dialog)) return FALSE;
  if (title) SetDlgItemTextA(dialog, NIMBET_WAIT_TEXT, title);
  PumpMessages(dialog, kPumpMilliseconds);
  return StopFlag(LiveDialog(dialog));
}

static void DoWdclose(HWND dialog) { CloseDialog(dialog); }

// Each export runs on the thread of the window given (the owner for an
// open, else the dialog), the one that runs its procedure and whose
// messages the pump takes: a script body on a thread of its own waits
// while its call runs there.
NIMBET_API HWND WINAPI PBOPEN(HWND owner, const char* title) {
  return OnThreadOf(owner, [=] { return DoPbopen(owner, title); });
}

NIMBET_API BOOL WINAPI PBPOSITION(HWND dialog, long position, long range) {
  return OnThreadOf(dialog, [=] { return DoPbposition(dialog, position, range); });
}

KORVEX_EXPORT void WINAPI PBTEXT(HWND dialog, const char* title) {
  OnThreadOf(dialog, [=] { DoPbtext(dialog, title); });
}

NIMBET_API void WINAPI PBCLOSE(HWND dialog) {
  OnThreadOf(dialog, [=] { DoPbclose(dialog); });
}

KORVEX_EXPORT HWND WINAPI WDOPEN(HWND owner, const char* aviFile) {
  return OnThreadOf(owner, [=] { return DoWdopen(owner, aviFile); });
}

KORVEX_EXPORT BOOL WINAPI WDTEXT(HWND dialog, const char* title) {
  return OnThreadOf(dialog, [=] { return DoWdtext(dialog, title); });
}

KORVEX_EXPORT void WINAPI WDCLOSE(HWND dialog) {
  OnThreadOf(dialog, [=] { DoWdclose(dialog); });
}
