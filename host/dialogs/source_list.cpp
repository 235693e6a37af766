#include "source_list.h"

#include <cstring>
#include <string>

#include "host_resources.h"
#include "interpreter.h"
#include "script_error_text.h"
#include "script_modules.h"

namespace {

const int kCaptionLimit = 79;

bool Holds(const char* text, const char* position) {
  return text && position >= text && position <= text + std::strlen(text);
}

// Adds every line; the list is filled before the dialog shows and without
// redrawing, which a list of thousands of lines needs.
void AddLines(HWND list, const char* text) {
  size_t length = std::strlen(text);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(length / 16 + 1),
               static_cast<LPARAM>(length + 1));
  std::string line;
  for (const char* p = text; *p;) {
    const char* end = std::strchr(p, '\n');
    if (!end) end = p + std::strlen(p);
    line.assign(p, end);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    p = *end ? end + 1 : end;
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

const char* FindSourceText(const char* scriptStart, const char* position) {
  if (!position) return nullptr;
  if (Holds(scriptStart, position)) return scriptStart;
  ScriptModule* module = FindScriptModuleByText(position);
  return module ? module->start : nullptr;
}

int LineOfPosition(const char* text, const char* position) {
  if (!*text) return -1;
  int line = 0;
  for (const char* p = text; p < position && *p; ++p)
    if (*p == '\n' && p[1]) ++line;
  return line;
}

void FillSourceList(Interpreter& interpreter, HWND scriptWindow, const char* position,
                    HWND dialog) {
  if (scriptWindow) {
    char title[kCaptionLimit + 1] = "";
    GetWindowTextA(scriptWindow, title, sizeof title);
    SetWindowTextA(dialog, title);
  }
  if (interpreter.GetError())
    SetDlgItemTextA(dialog, kDialogMessage, ScriptErrorText(interpreter.GetError()).c_str());

  const char* text = FindSourceText(interpreter.Start(), position);
  if (!text) return;
  HWND list = GetDlgItem(dialog, kDialogSourceList);
  AddLines(list, text);
  int line = LineOfPosition(text, position);
  if (line < 0) return;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
}
