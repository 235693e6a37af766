#include "run_dialogs.h"

#include <commctrl.h>

#include "host_resources.h"
#include "inspectors.h"
#include "interpreter.h"
#include "script_error_text.h"
#include "source_list.h"
#include "variable_list.h"
#include "wennic.h"

namespace {

struct RunDialog {
  Interpreter* interpreter;
  HWND scriptWindow;
  const char* position;
};

void InitListViews() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

void FillRunDialog(HWND dialog, const RunDialog& run) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
  HWND list = GetDlgItem(dialog, kDialogVariableList);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  FillVariableList(run.interpreter->Variables(), list);
  FillSourceList(*run.interpreter, run.scriptWindow, run.position, dialog);
}

INT_PTR CALLBACK ErrorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillRunDialog(dialog, *reinterpret_cast<const RunDialog*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void SetDepth(HWND dialog, int id, unsigned depth) {
  SetDlgItemInt(dialog, id, depth, FALSE);
}

INT_PTR CALLBACK StopDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const RunDialog& run = *reinterpret_cast<const RunDialog*>(lParam);
      FillRunDialog(dialog, run);
      SetDepth(dialog, kDialogLoopDepth, run.interpreter->LoopDepth());
      SetDepth(dialog, kDialogIfDepth, run.interpreter->IfDepth());
      return TRUE;
    }
    case WM_COMMAND:
      // "End" is button 1, "Continue" button 2.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
        return TRUE;
      }
      return FALSE;
    case WM_NOTIFY: {
      const NMHDR* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice->idFrom != kDialogVariableList || notice->code != static_cast<UINT>(NM_DBLCLK))
        return FALSE;
      const RunDialog* run = reinterpret_cast<const RunDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (run) OpenInspector(dialog, notice->hwndFrom, run->interpreter->Variables());
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// A run dialog, modal over the script window.
INT_PTR RunModal(HINSTANCE instance, int id, DLGPROC procedure, Interpreter& interpreter,
                 HWND scriptWindow, const char* position) {
  InitListViews();
  RunDialog run{&interpreter, scriptWindow, position};
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(id), scriptWindow, procedure,
                         reinterpret_cast<LPARAM>(&run));
}

}  // namespace

int ShowErrorDialog(HINSTANCE instance, Interpreter& interpreter, HWND scriptWindow,
                    const char* position) {
  if (RunModal(instance, kErrorDialog, ErrorDialogProc, interpreter, scriptWindow, position) == -1) {
    // No failure goes unseen.
    std::string text = ScriptErrorText(interpreter.GetError());
    ERRBOX(scriptWindow, 0, 0, text.c_str());
  }
  return 0;
}

int ShowStopDialog(HINSTANCE instance, Interpreter& interpreter, HWND scriptWindow,
                   const char* position) {
  return RunModal(instance, kStopDialog, StopDialogProc, interpreter, scriptWindow, position) == 1
             ? 1
             : 0;
}
