// PUT id, value ...: fills one control of the current dialog, by its kind:
// lists (owner-drawn items, a directory, or the rows of an array), radio
// groups, check boxes, PICTURE controls and any other control's text.
#include <cstring>

#include "builtin_frame.h"
#include "dialog_controls.h"
#include "picture_control.h"
#include "script_dialogs.h"
#include "statement_reader.h"
#include "statement_text.h"
#include "window_context.h"
#include "window_interpreter.h"

namespace {

const int kItemText = 64;
const int kArrayName = 8;
const int kPatternLimit = MAX_PATH;

// A text at address that can be read up to its zero (at most limit
// characters); the list would take anything else as a pattern.
bool ReadableText(uintptr_t address, size_t limit) {
  if (!address) return false;
  for (size_t read = 0; read <= limit;) {
    MEMORY_BASIC_INFORMATION region;
    const char* at = reinterpret_cast<const char*>(address + read);
    if (!VirtualQuery(at, &region, sizeof region) || region.State != MEM_COMMIT ||
        (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
        !(region.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)))
      return false;
    const char* end = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    for (; at < end && read <= limit; ++at, ++read)
      if (*at == '\0') return true;
  }
  return false;
}

// Owner-drawn: a LONG tail is the items' event code (items 1 to count,
// data number + code * 65536), an OBJECT tail a directory pattern.
int PutOwnerDrawn(WindowInterpreter& interpreter, HWND control, int kind, const VARIABLE& selection,
                  int32_t count) {
  const ListMessages& list = ListMessagesOf(kind);
  VARIABLE tail;
  if (ReadValue(interpreter, tail)) return 1;
  if (kind == kComboControl) ForwardCharacters(control);
  if (tail.type == VAL_OBJECT) {
    if (ReadableText(tail.object.handle, kPatternLimit))
      SendMessageA(control, list.directory, 0, static_cast<LPARAM>(tail.object.handle));
    return 0;
  }
  if (tail.type != VAL_LONG) return 0;
  if (selection.type != VAL_LONG) return FailStatement(interpreter, kStatementTypeMismatch);
  for (int32_t n = 1; n <= count; ++n)
    SendMessageA(control, list.add, 0, static_cast<LPARAM>(n + tail.lng * 65536));
  int32_t chosen = LOWORD(selection.lng);
  if (chosen >= 1 && chosen <= count)
    SendMessageA(control, list.setSelection, static_cast<WPARAM>(chosen - 1), 0);
  return 0;
}

// Other lists: the texts of the array's rows (column 0), data the row;
// every item equal to the selection's text is selected.
int PutArrayRows(WindowInterpreter& interpreter, HWND control, int kind, const VARIABLE& selection,
                 int32_t count) {
  const ListMessages& list = ListMessagesOf(kind);
  const char* p = SkipBlanks(interpreter.Position());
  char name[kArrayName + 1];
  statement_text::ReadName(p, name, sizeof name, [](char c) { return c == '(' || c == ' '; });
  interpreter.SetPosition(p);
  uint16_t rows = 0, cols = 0;
  if (!interpreter.Variables().GetDimensions(name, rows, cols)) return 0;
  bool multiple = kind == kListControl && (StyleOf(control) & LBS_MULTIPLESEL);
  const char* wanted = selection.type == VAL_STRING ? TextOf(selection) : nullptr;
  for (int32_t row = 0; row < count && row < rows; ++row) {
    char text[kItemText + 1] = "";
    if (VARIABLE* element = interpreter.Variables().FindElement(name, row, 0))
      element->GetText(text, sizeof text, 0);
    LRESULT index = SendMessageA(control, list.add, 0, reinterpret_cast<LPARAM>(text));
    if (index < 0) continue;
    SendMessageA(control, list.setData, static_cast<WPARAM>(index), row);
    if (!wanted || std::strcmp(text, wanted) != 0) continue;
    if (multiple)
      SendMessageA(control, LB_SETSEL, TRUE, index);
    else
      SendMessageA(control, list.setSelection, static_cast<WPARAM>(index), 0);
  }
  return 0;
}

int PutList(WindowInterpreter& interpreter, HWND control, int kind, const VARIABLE& selection) {
  VARIABLE count;
  if (ReadComma(interpreter) || ReadValue(interpreter, count)) return 1;
  if (count.type != VAL_LONG) return FailStatement(interpreter, kStatementTypeMismatch);
  if (ReadComma(interpreter)) return 1;
  SendMessageA(control, ListMessagesOf(kind).reset, 0, 0);
  if (StyleOf(control) & kOwnerDrawnFixed)
    return PutOwnerDrawn(interpreter, control, kind, selection, count.lng);
  return PutArrayRows(interpreter, control, kind, selection, count.lng);
}

// Every button of the group from id on is cleared; then id + selection,
// when it lies in the group, is checked.
void PutRadio(HWND dialog, int id, const VARIABLE& selection) {
  int members = 0;
  for (HWND button = GetDlgItem(dialog, id); button; button = GetDlgItem(dialog, id + members)) {
    if (members > 0 && (ControlKind(button) != kRadioControl || (StyleOf(button) & WS_GROUP)))
      break;
    SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
    ++members;
  }
  if (selection.type == VAL_LONG && selection.lng >= 0 && selection.lng < members)
    SendMessageA(GetDlgItem(dialog, id + selection.lng), BM_SETCHECK, BST_CHECKED, 0);
}

int PutText(WindowInterpreter& interpreter, HWND control, const VARIABLE& value) {
  switch (value.type) {
    case VAL_LONG:
    case VAL_REAL:
    case VAL_MONEY:
    case VAL_TIME: {
      char text[kItemText + 1];
      SetWindowTextA(control, value.GetText(text, sizeof text, 0));
      return 0;
    }
    case VAL_STRING: {
      if (value.text) SetWindowTextA(control, value.text);
      if (*SkipBlanks(interpreter.Position()) != ',') return 0;
      VARIABLE limit;
      if (ReadComma(interpreter) || ReadValue(interpreter, limit)) return 1;
      if (limit.type != VAL_LONG) return FailStatement(interpreter, kStatementSyntax);
      SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(limit.lng), 0);
      return 0;
    }
    case VAL_OBJECT: {
      // The record-set controls take their object and settings so.
      VARIABLE settings;
      if (ReadComma(interpreter) || ReadValue(interpreter, settings)) return 1;
      if (settings.type != VAL_STRING) return FailStatement(interpreter, kStatementSyntax);
      SendMessageA(control, WM_SETTEXT, static_cast<WPARAM>(value.object.handle),
                   reinterpret_cast<LPARAM>(TextOf(settings)));
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace

int ExecPut(WindowInterpreter& interpreter) {
  HWND dialog, control;
  int id, done;
  if (!ReadControl(interpreter, dialog, id, control, done)) return done;
  VARIABLE value;
  if (ReadValue(interpreter, value)) return 1;
  switch (int kind = ControlKind(control)) {
    case kComboControl:
    case kListControl:
      return PutList(interpreter, control, kind, value);
    case kRadioControl:
      PutRadio(dialog, id, value);
      return 0;
    case kCheckControl:
      if (value.type == VAL_LONG || value.type == VAL_BOOL)
        SendMessageA(control, BM_SETCHECK, value.type == VAL_LONG ? value.lng != 0 : value.lng, 0);
      return 0;
    case kPictureControl:
      if (value.type != VAL_IMAGE) return FailStatement(interpreter, kStatementTypeMismatch);
      SetPictureImage(control, ScriptWindowFor(interpreter), static_cast<WORD>(id),
                      value.image.handle);
      return 0;
    default:
      return PutText(interpreter, control, value);
  }
}
