// GET(id[, type]) reads a control of the current dialog; PARAM(kind[, id,
// ...]) tells which notice the handler is serving.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "blank_helpers.h"
#include "dialog_controls.h"
#include "keyword_list.h"
#include "picture_control.h"
#include "script_dialogs.h"
#include "window_builtins.h"
#include "window_interpreter.h"

namespace {

const uint32_t kErrorNoControl = 154;
const int32_t kNoKey = 65535;   // keys below it ask a multiple-selection list
const int kNumberText = 31;     // of a text read as a number
const int kComboEditText = 31;

int32_t AsLong(const void* handle) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(handle));
}

std::string WindowText(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], length + 1)));
  return text;
}

bool SetSqueezed(BuiltinFrame& f, std::string text) {
  unsigned n = text.size() < 0xFFFF ? static_cast<unsigned>(text.size()) : 0xFFFF;
  text.resize(SqueezeBlanks(&text[0], n));
  return f.SetText(text.c_str(), text.size());
}

// A MONEY text: an optional '-', digits and at most one '.'.
bool IsMoneyText(const char* text) {
  if (*text == '-') ++text;
  bool digits = false, point = false;
  for (; *text; ++text) {
    if (*text >= '0' && *text <= '9') {
      digits = true;
    } else if (*text == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// The selected item of a combo or list box: NULL without one (a combo with
// an edit gives its text then, when there is one); the low word of its data
// for owner-drawn controls and type L; else its text.
bool GetListSelection(BuiltinFrame& f, HWND control, int kind, char letter) {
  const ListMessages& list = ListMessagesOf(kind);
  LONG style = StyleOf(control);
  LRESULT selected = SendMessageA(control, list.getSelection, 0, 0);
  if (selected < 0) {
    if (kind != kComboControl || !(style & kComboWithEdit)) return true;
    char text[kComboEditText + 1] = "";
    GetWindowTextA(control, text, sizeof text);
    SqueezeBlanks(text, sizeof text);
    if (*text) f.SetText(text);
    return true;
  }
  if ((style & kOwnerDrawnFixed) || letter == 'L') {
    f.Result().SetLong(LOWORD(SendMessageA(control, list.getData, static_cast<WPARAM>(selected), 0)));
    return true;
  }
  LRESULT length = SendMessageA(control, list.getTextLength, static_cast<WPARAM>(selected), 0);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  SendMessageA(control, list.getText, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
  return f.SetText(text.c_str());
}

// Whether the item whose data has the key as low word is selected.
bool GetKeySelected(BuiltinFrame& f, HWND control, int32_t key) {
  LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
  int32_t selected = 0;
  for (LRESULT i = 0; i < count; ++i) {
    if (LOWORD(SendMessageA(control, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) != key) continue;
    selected = SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
    break;
  }
  f.Result().SetBool(selected);
  return true;
}

// The offset of the first checked button of the group from id on, -1 when
// none is checked.
int32_t CheckedInGroup(HWND dialog, int id) {
  for (int32_t offset = 0;; ++offset) {
    HWND button = GetDlgItem(dialog, id + offset);
    if (!button) return -1;
    if (offset > 0 && (ControlKind(button) != kRadioControl || (StyleOf(button) & WS_GROUP)))
      return -1;
    if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) return offset;
  }
}

// Any other control: its text, or with L, R or M the number in it.
bool GetText(BuiltinFrame& f, HWND control, char letter) {
  std::string text = WindowText(control);
  if (letter != 'L' && letter != 'R' && letter != 'M') return SetSqueezed(f, text);
  char number[kNumberText + 1];
  lstrcpynA(number, text.c_str(), sizeof number);
  RemoveBlanks(number, sizeof number);
  if (letter == 'L') {
    f.Result().SetLong(static_cast<int32_t>(std::strtol(number, nullptr, 10)));
  } else if (letter == 'R') {
    f.Result().SetReal(std::strtod(number, nullptr));
  } else {
    if (!IsMoneyText(number)) return f.Fail(kEvalErrorSyntax);
    MONEY money;
    TextToMoney(number, &money);
    f.Result().SetMoney(money);
  }
  return true;
}

}  // namespace

bool RunGet(WindowBuiltinFrame& f) {
  VARIABLE* type = nullptr;
  if (f.Count() == 2 && !(type = f.Pop())) return false;
  int32_t id;
  if (!f.PopLong(id)) return false;
  HWND dialog;
  if (!DialogOfHdlg(f.Interpreter(), dialog)) return f.Fail(kWindowErrorArgumentType);
  char letter = 0;
  bool keyed = false;
  int32_t key = 0;
  if (type && type->type == VAL_STRING) {
    const char* text = TextOf(*type);
    if (_stricmp(text, "HWND") == 0) {
      f.Result().SetLong(AsLong(dialog ? GetDlgItem(dialog, id) : nullptr));
      return true;
    }
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  } else if (type && type->type == VAL_LONG) {
    keyed = type->lng < kNoKey;
    key = type->lng;
  } else if (type) {
    return f.Fail(kWindowErrorArgumentType);
  }
  HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
  if (!control) return f.Fail(kErrorNoControl);

  int kind = ControlKind(control);
  if (kind == kListControl && (StyleOf(control) & LBS_MULTIPLESEL) && keyed)
    return GetKeySelected(f, control, key);
  if (kind == kListControl || (kind == kComboControl && (letter == 0 || letter == 'L')))
    return GetListSelection(f, control, kind, letter);
  switch (kind) {
    case kRadioControl:
      f.Result().SetLong(CheckedInGroup(dialog, id));
      return true;
    case kCheckControl:
      f.Result().SetBool(static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0)));
      return true;
    case kPictureControl:
      f.Result().SetLong(AsLong(GetPictureImage(control)));
      return true;
    default:
      return GetText(f, control, letter);
  }
}

bool RunParam(WindowBuiltinFrame& f) {
  int ids = f.Count() - 1;
  std::vector<int32_t> wanted(static_cast<size_t>(ids));
  for (int i = ids - 1; i >= 0; --i)
    if (!f.PopLong(wanted[i])) return false;
  VARIABLE* kind = f.Pop();
  if (!kind) return false;
  int32_t number;
  if (kind->type == VAL_LONG) {
    number = kind->lng;
  } else if (kind->type == VAL_STRING) {
    number = KeywordIndex(kDialogNoticeNames, TextOf(*kind));
    if (!number) return f.Fail(kEvalErrorSyntax);
  } else {
    return f.Fail(kWindowErrorArgumentType);
  }
  VARIABLE* param = f.Interpreter().Variables().Find("PARAM");
  bool match = param && param->type == VAL_LONG && static_cast<int32_t>(LOWORD(param->lng)) == number;
  if (match && ids > 0) {
    match = false;
    for (int32_t id : wanted) match |= static_cast<int32_t>(HIWORD(param->lng)) == id;
  }
  f.Result().SetBool(match ? 1 : 0);
  return true;
}
