// The procedures of modal and embedded script dialogs and what they do
// with their messages: the LOAD notice at the start, SAVE and CANCEL from
// OK and Cancel, notices of the controls, help, static colours and typed
// characters.
#include "dialog_record.h"
#include "event_dispatch.h"
#include "host_globals.h"
#include "window_context.h"
#include "window_interpreter.h"

namespace {

const int kCloseButtons = 4;  // ids 1 to 4 end a modal dialog

// HDLG = the dialog; the code expression decides whether the dialog gets a
// record (a LONG other than 0) and so sends notices, the first one LOAD.
void InitScriptDialog(WindowInterpreter& interpreter, HWND dialog, const DialogStart& start) {
  SetHdlg(interpreter, dialog);
  uint16_t base = interpreter.Depth();
  const char* p = start.code;
  int32_t code = 0;
  if (interpreter.Evaluate(p) == 0 && interpreter.Depth() > base) {
    VARIABLE* v = interpreter.PopValue();
    if (v->type == VAL_LONG) code = v->lng;
  }
  interpreter.DropTo(base);
  if (code == 0) return;
  SetPropA(dialog, kDialogRecordProperty,
           new DialogEventRecord{static_cast<uint32_t>(code), start.layout, start.file});
  SendNotice(interpreter, dialog, kNoticeLoad, 0);
}

// OK (1) and Cancel (2), when a handler is bound to the dialog's code:
// SAVE or CANCEL. True when the dialog is to stay open: the SAVE handler's
// result has 0 in its low 16 bits.
bool OnDialogCloseButton(WindowInterpreter& interpreter, HWND dialog, int id) {
  if (id != IDOK && id != IDCANCEL) return false;
  DialogEventRecord* record = RecordOf(dialog);
  if (!record || !HandlerBound(interpreter, *record)) return false;
  if (id == IDOK) {
    LRESULT result = 0;
    SendNotice(interpreter, dialog, kNoticeSave, 0, &result);
    if (LOWORD(result) == 0) return true;
  } else {
    SendNotice(interpreter, dialog, kNoticeCancel, 0);
  }
  SetHdlg(interpreter, nullptr);
  return false;
}

int NoticeOf(int kind, int notification) {
  switch (kind) {
    case kComboControl: return notification == CBN_SELCHANGE ? kNoticeChange : 0;
    case kListControl:
      if (notification == LBN_SELCHANGE) return kNoticeChange;
      return notification == LBN_DBLCLK ? kNoticeDoubleClick : 0;
    case kRadioControl:
    case kCheckControl:
      return notification == BN_CLICKED ? kNoticeChange : 0;
    case kButtonControl:
    case kPictureControl:
      return 0;
    default:
      // By the notification code whatever the class, so that library
      // controls reporting as edits do are heard too.
      if (notification == EN_KILLFOCUS) return kNoticeChange;
      if (notification == EN_UPDATE) return kNoticeUpdate;
      return notification == EN_CHANGE ? kNoticeUpdated : 0;
  }
}

void OnDialogControl(WindowInterpreter& interpreter, HWND dialog, WPARAM wParam) {
  int id = LOWORD(wParam);
  int kind = ControlKind(GetDlgItem(dialog, id));
  if (kind == kButtonControl) {
    // A push button is a command of its own, found by the binding of its id.
    SetHdlg(interpreter, dialog);
    SendToScript(interpreter, static_cast<WPARAM>(id), 0);
    return;
  }
  if (int notice = NoticeOf(kind, HIWORD(wParam))) SendNotice(interpreter, dialog, notice, id);
}

void OnDialogHelp(WindowInterpreter& interpreter, HWND dialog, const HELPINFO* help) {
  DialogEventRecord* record = RecordOf(dialog);
  if (!record || !HandlerBound(interpreter, *record) || !help) return;
  SendNotice(interpreter, dialog, kNoticeHelp, help->iCtrlId);
}

// COLOR: a LONG left in RESULT is the static control's text colour, on the
// button face. True when the script answered so.
bool OnDialogStaticColor(WindowInterpreter& interpreter, HWND dialog, HWND control, HDC dc) {
  if (!RecordOf(dialog)) return false;
  SetNull(interpreter, "RESULT");
  SendNotice(interpreter, dialog, kNoticeColor, GetDlgCtrlID(control));
  VARIABLE* result = interpreter.Variables().Find("RESULT");
  if (!result || result->type != VAL_LONG) return false;
  SetTextColor(dc, static_cast<COLORREF>(result->lng));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return true;
}

// A typed character in an owner-drawn list: event 1008 (character + control
// id * 65536), run on the GUI thread as every handler is. -1 when 1008 is
// bound.
INT_PTR OnDialogCharacter(WindowInterpreter& interpreter, HWND dialog, WPARAM wParam, HWND control) {
  SetHdlg(interpreter, dialog);
  bool bound = interpreter.Labels().FindBinding(kEventKeyDown) != nullptr;
  SendToScript(interpreter, kEventKeyDown,
               static_cast<LPARAM>(LOWORD(wParam) + GetDlgCtrlID(control) * 65536));
  return bound ? -1 : 0;
}

bool IsListItem(const DRAWITEMSTRUCT* item) {
  return (item->CtlType == ODT_COMBOBOX || item->CtlType == ODT_LISTBOX) &&
         item->itemData != static_cast<ULONG_PTR>(-1);
}

INT_PTR StaticColor(WindowInterpreter& interpreter, HWND dialog, WPARAM wParam, LPARAM lParam) {
  bool answered = OnDialogStaticColor(interpreter, dialog, reinterpret_cast<HWND>(lParam),
                                      reinterpret_cast<HDC>(wParam));
  return answered ? reinterpret_cast<INT_PTR>(DialogBrush) : FALSE;
}

}  // namespace

INT_PTR CALLBACK ScriptDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto start = reinterpret_cast<const DialogStart*>(lParam);
    SetPropA(dialog, kDialogInterpreterProperty, start->interpreter);
    InitScriptDialog(*start->interpreter, dialog, *start);
    return TRUE;
  }
  if (message == WM_DESTROY) {
    ReleaseDialog(dialog);
    return FALSE;
  }
  WindowInterpreter* interpreter = ServingInterpreter(dialog);
  if (!interpreter) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      // Only a click, Enter or Esc ends the dialog; other notices of these
      // ids (an edit 3 getting the focus) are the control's.
      if (id >= 1 && id <= kCloseButtons && HIWORD(wParam) == 0) {
        if (!OnDialogCloseButton(*interpreter, dialog, id)) {
          ReleaseDialog(dialog);
          EndDialog(dialog, static_cast<INT_PTR>(wParam));
        }
      } else {
        OnDialogControl(*interpreter, dialog, wParam);
      }
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (IsListItem(item))
        OwnerDrawListItem(*interpreter, dialog, item);
      else if (item->CtlType == ODT_BUTTON)
        DrawBitmapButton(dialog, item);
      return TRUE;
    }
    case WM_CHARTOITEM:
      return OnDialogCharacter(*interpreter, dialog, wParam, reinterpret_cast<HWND>(lParam));
    case WM_HELP:
      OnDialogHelp(*interpreter, dialog, reinterpret_cast<const HELPINFO*>(lParam));
      return FALSE;
    case WM_CTLCOLORSTATIC:
      return StaticColor(*interpreter, dialog, wParam, lParam);
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK EmbeddedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto start = reinterpret_cast<const DialogStart*>(lParam);
    InitScriptDialog(*start->interpreter, dialog, *start);
    WindowInterpreter& owner = WindowOwner(*start->interpreter);
    SetPropA(dialog, kDialogInterpreterProperty, &owner);
    RECT box, frame;
    GetWindowRect(dialog, &box);
    owner.TopMargin = static_cast<uint16_t>(box.bottom - box.top + 1);
    owner.EmbeddedDialog = dialog;
    // The script window grows to the dialog's width; its place and height stay.
    HWND window = start->interpreter->GetWindowHandle();
    GetWindowRect(window, &frame);
    int wanted = box.right - box.left + 2 * GetSystemMetrics(SM_CXFRAME) + 1;
    if (frame.right - frame.left < wanted)
      SetWindowPos(window, nullptr, 0, 0, wanted, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  }
  WindowInterpreter* interpreter = ServingInterpreter(dialog);
  if (message == WM_DESTROY) {
    // However the dialog ends, nothing keeps its handle.
    if (interpreter && interpreter->EmbeddedDialog == dialog) interpreter->EmbeddedDialog = nullptr;
    if (CurrentModelessDialog == dialog) CurrentModelessDialog = nullptr;
    ReleaseDialog(dialog);
    return FALSE;
  }
  if (!interpreter) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      // OK and Cancel give their notices; the dialog stays.
      if ((id == IDOK || id == IDCANCEL) && HIWORD(wParam) == 0)
        OnDialogCloseButton(*interpreter, dialog, id);
      else
        OnDialogControl(*interpreter, dialog, wParam);
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (IsListItem(item)) OwnerDrawListItem(*interpreter, dialog, item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      return StaticColor(*interpreter, dialog, wParam, lParam);
    default:
      return FALSE;
  }
}
