// TUNE id, OPERATION, value: enables, retitles, selects in or shows one
// control of the current dialog.
#include <cstring>

#include "dialog_controls.h"
#include "keyword_list.h"
#include "script_dialogs.h"
#include "statement_reader.h"
#include "statement_text.h"
#include "window_interpreter.h"

namespace {

const char kOperations[] = "ENABLE\0TEXT\0SELECT\0SHOW\0";
enum Operation { kEnable = 1, kText, kSelect, kShow };
const int kOperationWord = 63;
const int kControlText = 64;

// The word up to the next comma, which must come before the statement ends.
int ReadOperation(WindowInterpreter& interpreter) {
  const char* p = SkipBlanks(interpreter.Position());
  char word[kOperationWord + 1];
  int n = 0;
  for (; *p != ','; ++p) {
    if (IsStatementEnd(*p)) {
      FailStatement(interpreter, kStatementSyntax);
      return 0;
    }
    if (n < kOperationWord) word[n++] = *p;
  }
  while (n > 0 && word[n - 1] == ' ') --n;
  word[n] = '\0';
  interpreter.SetPosition(p + 1);
  int operation = KeywordIndex(kOperations, word);
  if (!operation) FailStatement(interpreter, kStatementSyntax);
  return operation;
}

// The first item whose data has the value's low word in its low word
// becomes the selection; in a multiple-selection list every such item is
// selected.
void SelectByData(HWND control, int kind, int32_t value) {
  const ListMessages& list = ListMessagesOf(kind);
  bool multiple = kind == kListControl && (StyleOf(control) & LBS_MULTIPLESEL);
  LRESULT count = SendMessageA(control, list.count, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT data = SendMessageA(control, list.getData, static_cast<WPARAM>(i), 0);
    if (LOWORD(data) != LOWORD(value)) continue;
    if (!multiple) {
      SendMessageA(control, list.setSelection, static_cast<WPARAM>(i), 0);
      return;
    }
    SendMessageA(control, LB_SETSEL, TRUE, i);
  }
}

}  // namespace

int ExecTune(WindowInterpreter& interpreter) {
  HWND dialog, control;
  int id, done;
  if (!ReadControl(interpreter, dialog, id, control, done)) return done;
  int operation = ReadOperation(interpreter);
  if (!operation) return 1;
  VARIABLE value;
  if (ReadValue(interpreter, value)) return 1;
  bool isLong = value.type == VAL_LONG, isBool = value.type == VAL_BOOL;
  switch (operation) {
    case kEnable:
      if (!isLong && !isBool) return FailStatement(interpreter, kStatementTypeMismatch);
      EnableWindow(control, isLong ? value.lng != 0 : value.lng);
      break;
    case kText: {
      char text[kControlText + 1];
      SetWindowTextA(control, value.GetText(text, sizeof text, 0));
      break;
    }
    case kSelect: {
      int kind = ControlKind(control);
      if (kind != kComboControl && kind != kListControl)
        return FailStatement(interpreter, kEvalErrorBadType);
      if (!isLong) return FailStatement(interpreter, kStatementTypeMismatch);
      SelectByData(control, kind, value.lng);
      break;
    }
    default:  // kShow
      if (!isLong && !isBool) return FailStatement(interpreter, kStatementTypeMismatch);
      ShowWindow(control, (isLong ? value.lng != 0 : value.lng > 0) ? SW_SHOW : SW_HIDE);
      break;
  }
  return 0;
}
