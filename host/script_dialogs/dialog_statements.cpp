// INPUT file, name, [+]code (a modal script dialog) and DIALOG file, name,
// code (one embedded in the script window, made on the GUI thread).
#include "dialog16.h"
#include "gui_call.h"
#include "host_globals.h"
#include "picture_control.h"
#include "resource_args.h"
#include "resource_reader.h"
#include "script_dialogs.h"
#include "statement_reader.h"
#include "statement_text.h"
#include "window_context.h"
#include "window_interpreter.h"

namespace {

// The template in the 32-bit form and where the code expression stands.
struct DialogTemplate {
  HGLOBAL block = nullptr;
  DialogStart start;
  bool focusOwner = false;  // '+': owned by the window that has the focus

  ~DialogTemplate() {
    if (block) GlobalFree(block);
  }
};

// file, name, then behind a comma an optional '+' and the code expression,
// which must begin with a digit (it is evaluated when the dialog starts).
int ReadDialogArgs(WindowInterpreter& interpreter, DialogTemplate& dialog) {
  ResourceArgs args;
  dialog.block = ReadResourceArgs(interpreter, kResourceDialog, &args);
  if (!dialog.block) return 1;
  if (ReadComma(interpreter)) return 1;
  const char* p = SkipBlanks(interpreter.Position());
  if (*p == '+') {
    dialog.focusOwner = true;
    p = SkipBlanks(p + 1);
  }
  if (*p < '0' || *p > '9') return FailStatement(interpreter, kStatementSyntax);
  interpreter.SetPosition(p);
  if (args.layout == kResourceLayout16) {
    HGLOBAL converted = ConvertDialog16(dialog.block);
    GlobalFree(dialog.block);
    dialog.block = converted;
    if (!converted) return FailStatement(interpreter, kStatementResource);
  }
  RegisterPictureClass(hInst);
  dialog.start = DialogStart{&interpreter, p, args.file, args.layout};
  return 0;
}

// The window with the focus: this thread's, or the script window's thread's.
HWND FocusWindow(HWND window) {
  if (HWND focus = GetFocus()) return focus;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

LRESULT CreateEmbedded(void* context) {
  auto dialog = static_cast<DialogTemplate*>(context);
  auto form = static_cast<const DLGTEMPLATE*>(GlobalLock(dialog->block));
  HWND made = form ? CreateDialogIndirectParamA(hInst, form, dialog->start.interpreter->GetWindowHandle(),
                                                EmbeddedDialogProc,
                                                reinterpret_cast<LPARAM>(&dialog->start))
                   : nullptr;
  GlobalUnlock(dialog->block);
  if (made) {
    CurrentModelessDialog = made;
    SetFocus(dialog->start.interpreter->GetWindowHandle());
  }
  return reinterpret_cast<LRESULT>(made);
}

}  // namespace

int ExecInput(WindowInterpreter& interpreter) {
  DialogTemplate dialog;
  if (ReadDialogArgs(interpreter, dialog)) return 1;
  HWND window = ScriptWindowFor(interpreter);
  HWND focus = dialog.focusOwner ? FocusWindow(window) : nullptr;
  auto form = static_cast<const DLGTEMPLATE*>(GlobalLock(dialog.block));
  INT_PTR result = form ? DialogBoxIndirectParamA(hInst, form, focus ? focus : window,
                                                  ScriptDialogProc,
                                                  reinterpret_cast<LPARAM>(&dialog.start))
                        : -1;
  GlobalUnlock(dialog.block);
  if (focus) SetFocus(focus);
  if (result == -1) return FailStatement(interpreter, kStatementResource);
  SetLongVariable(interpreter, "RESULT", static_cast<int32_t>(result));
  return 0;
}

int ExecDialog(WindowInterpreter& interpreter) {
  DialogTemplate dialog;
  if (ReadDialogArgs(interpreter, dialog)) return 1;
  // A modeless dialog belongs to the thread that makes it, and only the GUI
  // thread pumps its messages: a script thread has it made there and waits.
  HWND window = ScriptWindowFor(interpreter);
  if (!CallOnWindowThread(window, CreateEmbedded, &dialog))
    return FailStatement(interpreter, kStatementResource);
  return 0;
}
