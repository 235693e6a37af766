// The records and properties of script dialogs, control kinds, and the
// notices a dialog sends to its script window.
#include "dialog_record.h"

#include <cstring>

#include "host_globals.h"
#include "window_context.h"
#include "window_interpreter.h"

const char kDialogInterpreterProperty[] = "BASICDLG";
const char kDialogRecordProperty[] = "EVENT";
const char kDialogNoticeNames[] =
    "LOAD\0SAVE\0CHANGE\0COLOR\0CANCEL\0UPDATE\0UPDATED\0DBLCLK\0HELP\0";

namespace {

bool StartsNoCase(const char* text, const char* prefix) {
  return _strnicmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

int ControlKind(HWND control) {
  char name[64] = "";
  if (!control || !GetClassNameA(control, name, sizeof name)) return kOtherControl;
  if (StartsNoCase(name, "COMBO")) return kComboControl;
  if (StartsNoCase(name, "LIST")) return kListControl;
  if (StartsNoCase(name, "PICTURE")) return kPictureControl;
  if (!StartsNoCase(name, "BUTTON")) return kOtherControl;
  switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return kRadioControl;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return kCheckControl;
    default:
      return kButtonControl;
  }
}

bool DialogOfHdlg(Interpreter& interpreter, HWND& dialog) {
  VARIABLE* v = interpreter.Variables().Find("HDLG");
  if (!v || v->type != VAL_LONG) return false;
  dialog = reinterpret_cast<HWND>(static_cast<intptr_t>(v->lng));
  return true;
}

WindowInterpreter* ServingInterpreter(HWND dialog) {
  return static_cast<WindowInterpreter*>(GetPropA(dialog, kDialogInterpreterProperty));
}

DialogEventRecord* RecordOf(HWND dialog) {
  return static_cast<DialogEventRecord*>(GetPropA(dialog, kDialogRecordProperty));
}

void ReleaseDialog(HWND dialog) {
  delete static_cast<DialogEventRecord*>(RemovePropA(dialog, kDialogRecordProperty));
  RemovePropA(dialog, kDialogInterpreterProperty);
}

void SetHdlg(Interpreter& interpreter, HWND dialog) {
  SetLongVariable(interpreter, "HDLG", static_cast<int32_t>(reinterpret_cast<intptr_t>(dialog)));
}

void SetNull(Interpreter& interpreter, const char* name) {
  uint32_t error = 0;
  if (VARIABLE* v = interpreter.Variables().FindOrCreate(name, error)) {
    v->Clear();
    v->TYPE(VAL_NULL);
  }
}

LRESULT SendToScript(Interpreter& interpreter, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(interpreter.GetWindowHandle(), WM_COMMAND, wParam, lParam);
}

bool SendNotice(WindowInterpreter& interpreter, HWND dialog, int kind, int controlId,
                LRESULT* result) {
  DialogEventRecord* record = RecordOf(dialog);
  if (!record) return false;
  SetHdlg(interpreter, dialog);
  LRESULT answer = SendToScript(interpreter, record->code,
                                static_cast<LPARAM>(kind + controlId * 65536));
  if (result) *result = answer;
  return true;
}

bool HandlerBound(WindowInterpreter& interpreter, const DialogEventRecord& record) {
  return interpreter.Labels().FindBinding(record.code) != nullptr;
}
