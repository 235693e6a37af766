// One print job at a time per process: PRNSTART, PRNSHOW and PRNSTOP with
// the modeless progress dialog "PRINTDLG" and the abort procedure.
#include <cstdio>

#include "library_frame.h"
#include "print_settings.h"

namespace {

const int kPageLine = 1000;
const int kDocumentLine = 1001;
const int kPrinterLine = 1002;

static_assert(sizeof(DOCINFOA) == 20, "the 32-bit DOCINFO");

// Set by the stop button, cleared by PRNSTART.
bool stopped;
HWND progressDialog;

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const PrintSettings* s = reinterpret_cast<const PrintSettings*>(lParam);
      EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
      char line[128];
      std::snprintf(line, sizeof line, "'%.40s'", s->job.lpszDocName ? s->job.lpszDocName : "");
      SetDlgItemTextA(dialog, kDocumentLine, line);
      std::snprintf(line, sizeof line, "%.20s на %.20s", s->device, s->port);
      SetDlgItemTextA(dialog, kPrinterLine, line);
      return TRUE;
    }
    case WM_COMMAND:
      // Only the stop button ends a job; Esc and the close request do not.
      if (LOWORD(wParam) == IDOK) stopped = true;
      return TRUE;
    default:
      return FALSE;
  }
}

bool JobRunning() { return progressDialog && IsWindow(progressDialog); }

// Lets the progress dialog and the thread's other windows work while the
// job is not stopped. A quit request is put back for the caller's loop.
void PumpMessages() {
  MSG message;
  while (!stopped && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (JobRunning() && IsDialogMessageA(progressDialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

BOOL CALLBACK AbortProc(HDC, int) {
  PumpMessages();
  return !stopped;
}

}  // namespace

GRUSK_API UINT WINAPI PRNSTART(HWND owner, HDC dc, const char* document) {
  if (JobRunning()) return GRUSK_ERROR_WINDOW;
  stopped = false;
  settings->job = DOCINFOA{sizeof(DOCINFOA), document, nullptr, nullptr, 0};
  if (dc) {
    if (SetAbortProc(dc, AbortProc) <= 0) return GRUSK_ERROR_WINDOW;
    if (StartDocA(dc, &settings->job) <= 0) return GRUSK_ERROR_OPEN;
  }
  if (owner) EnableWindow(owner, FALSE);
  progressDialog = CreateDialogParamA(hInst, "PRINTDLG", owner, ProgressProc, reinterpret_cast<LPARAM>(settings));
  if (!progressDialog) {
    // No dialog, no job: the caller is told, nothing is left half started.
    if (dc) AbortDoc(dc);
    if (owner) EnableWindow(owner, TRUE);
    return GRUSK_ERROR_WINDOW;
  }
  return 0;
}

GRUSK_API BOOL WINAPI PRNSHOW(int page, int total) {
  if (!JobRunning()) return stopped;
  char line[64];
  std::snprintf(line, sizeof line, "Страница %u из %u", LOWORD(page), LOWORD(total));
  SetDlgItemTextA(progressDialog, kPageLine, line);
  // Wine calls the abort procedure only inside StartDoc, and a job without
  // a DC has none: the dialog gets its messages here.
  PumpMessages();
  return stopped;
}

GRUSK_API UINT WINAPI PRNSTOP(HWND owner, HDC dc) {
  UINT code = 0;
  if (dc) {
    if (!stopped) {
      if (EndDoc(dc) <= 0) code = GRUSK_ERROR_CLOSE;
    } else {
      AbortDoc(dc);  // a stopped job prints nothing
    }
  }
  if (owner) EnableWindow(owner, TRUE);
  if (JobRunning()) DestroyWindow(progressDialog);
  progressDialog = nullptr;
  return code;
}
