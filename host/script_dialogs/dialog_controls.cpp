#include "dialog_controls.h"

#include <string>

#include "script_dialogs.h"
#include "statement_reader.h"
#include "window_interpreter.h"

namespace {

const ListMessages kComboMessages = {CB_GETCOUNT,  CB_RESETCONTENT, CB_ADDSTRING,
                                     CB_GETITEMDATA, CB_SETITEMDATA, CB_SETCURSEL,
                                     CB_GETCURSEL, CB_GETLBTEXT,    CB_GETLBTEXTLEN,
                                     CB_DIR};
const ListMessages kListMessages = {LB_GETCOUNT,  LB_RESETCONTENT, LB_ADDSTRING,
                                    LB_GETITEMDATA, LB_SETITEMDATA, LB_SETCURSEL,
                                    LB_GETCURSEL, LB_GETTEXT,      LB_GETTEXTLEN,
                                    LB_DIR};

const uint32_t kErrorNoControl = 154;

}  // namespace

bool ReadControl(WindowInterpreter& interpreter, HWND& dialog, int& id, HWND& control, int& done) {
  done = 0;
  if (!DialogOfHdlg(interpreter, dialog) || !dialog) return false;
  done = 1;
  VARIABLE number;
  if (ReadValue(interpreter, number)) return false;
  if (number.type != VAL_LONG) {
    FailStatement(interpreter, kStatementSyntax);
    return false;
  }
  if (ReadComma(interpreter)) return false;
  id = number.lng;
  control = GetDlgItem(dialog, id);
  if (!control) FailStatement(interpreter, kErrorNoControl);
  return control != nullptr;
}

const ListMessages& ListMessagesOf(int kind) {
  return kind == kComboControl ? kComboMessages : kListMessages;
}

LONG StyleOf(HWND control) { return GetWindowLongA(control, GWL_STYLE); }

void ListItemText(HWND control, const ListMessages& list, int index, char* text, int limit) {
  text[0] = '\0';
  LRESULT length = SendMessageA(control, list.getTextLength, static_cast<WPARAM>(index), 0);
  if (length < 0) return;
  std::string whole(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(control, list.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&whole[0]));
  lstrcpynA(text, whole.c_str(), limit + 1);
}
