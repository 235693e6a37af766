// Showing a value in a window and reading the window's text back.
#include <cstring>

#include "blank_helpers.h"
#include "value_internal.h"

using namespace value_internal;

int VariableToWindow(HWND window, VARIABLE* v) {
  if (!v) return 1;
  // A POINTER shows its target, one step only (a target that is a POINTER
  // shows as a pointer, so a loop of pointers cannot recurse).
  if (v->type == VAL_POINTER && v->target) v = v->target;
  if (v->type == VAL_STRING) {
    if (v->text) SetWindowTextA(window, v->text);
    return 1;
  }
  char text[kValueTextSize];
  v->GetText(text, sizeof text, 1);
  SetWindowTextA(window, text);
  return 1;
}

int WindowToVariable(HWND window, VARIABLE* v) {
  if (!v) return 0;
  switch (v->type) {
    case VAL_STRING: {
      int length = GetWindowTextLengthA(window);
      if (length < 1) return StoreText(*v, "");
      if (!v->Allocate(static_cast<unsigned long>(length) + 1)) return 0;
      int got = GetWindowTextA(window, v->text, length + 1);
      v->text[got > 0 ? (got <= length ? got : length) : 0] = '\0';
      return 1;
    }
    case VAL_LONG:
    case VAL_REAL:
    case VAL_BOOL:
    case VAL_MONEY:
    case VAL_TIME:
    case VAL_GUID: {
      char text[41] = {0};
      GetWindowTextA(window, text, 40);
      RemoveBlanks(text, sizeof text);
      if (v->type == VAL_BOOL)
        v->lng = _stricmp(text, "true") == 0 || text[0] == '1';
      else if (v->type == VAL_MONEY) {
        MONEY amount = 0;
        TextToMoney(text, &amount);
        v->money = amount;
      }
      else
        StoreText(*v, text);  // LONG, REAL, TIME, GUID: read back as text
      return 1;
    }
    default:
      return 0;
  }
}
