#include "value_editor.h"

#include <string>

#include "host_resources.h"
#include "operator_lock.h"
#include "variable.h"

namespace {

const char kValueProperty[] = "VARIABLE";

std::string WindowTextOf(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  int got = GetWindowTextA(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::string WithoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text)
    if (c != ' ') kept += c;
  return kept;
}

// A TIME shows as "yyyy.MM.dd hh:mm:ss", and the conversion reads its date
// compact ("yyyyMMdd") and its time of day after a blank: the date's dots
// go and that blank stays, so a TIME read back unchanged keeps its value.
std::string CompactTimeText(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return std::string();
  size_t blank = text.find(' ', start);
  if (blank == std::string::npos) blank = text.size();
  std::string date;
  for (size_t i = start; i < blank; ++i)
    if (text[i] != '.') date += text[i];
  return date + text.substr(blank);
}

INT_PTR CALLBACK ValueEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      VARIABLE* value = reinterpret_cast<VARIABLE*>(lParam);
      SetPropA(dialog, kValueProperty, value);
      HWND edit = GetDlgItem(dialog, kDialogValueEdit);
      SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);  // a STRING of any length edits whole
      VariableToWindow(edit, value);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        VARIABLE* value = static_cast<VARIABLE*>(GetPropA(dialog, kValueProperty));
        if (value) ReadEditedValue(GetDlgItem(dialog, kDialogValueEdit), *value);
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      // However the dialog ends, the property goes with it.
      RemovePropA(dialog, kValueProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int ReadEditedValue(HWND edit, VARIABLE& value) {
  switch (value.type) {
    case VAL_STRING:
    case VAL_BOOL:
    case VAL_MONEY: {
      // Reading a window's text runs no change hook: DDE clients linked to
      // the value learn of the edit here.
      int read = WindowToVariable(edit, &value);
      if (read && value.links) VariableUpdated(&value);
      return read;
    }
    case VAL_LONG:
    case VAL_REAL:
    case VAL_TIME:
    case VAL_GUID: {
      VARIABLE text;
      std::string typed = WindowTextOf(edit);
      text = (value.type == VAL_TIME ? CompactTimeText(typed) : WithoutBlanks(typed)).c_str();
      OperatorSection section;  // conversions report through the shared word
      VARIABLE converted;
      converted.TYPE(value.type);
      converted.ConvertFrom(text);
      if (section.TakeError()) return 0;
      value.Assign(converted);
      return 1;
    }
    default:
      return 0;
  }
}

INT_PTR EditValue(HINSTANCE instance, HWND owner, VARIABLE& value) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(kValueEditorDialog), owner, ValueEditorProc,
                         reinterpret_cast<LPARAM>(&value));
}
