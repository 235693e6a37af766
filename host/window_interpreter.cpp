#include "window_interpreter.h"

#include <cstring>
#include <string>

#include "host_globals.h"
#include "keyword_list.h"
#include "run_dialogs.h"
#include "start_script.h"
#include "window_builtins.h"
#include "window_statements.h"

WindowInterpreter::~WindowInterpreter() {
  ReleaseScriptAccelerators(*this);
  ReleaseScriptMenu(*this);
  if (EmbeddedDialog) DestroyWindow(EmbeddedDialog);
  if (AttachedWindow) SendMessageA(AttachedWindow, WM_CLOSE, 0, 0);
  if (ScriptText) GlobalFree(ScriptText);
  if (TopicAtom) GlobalDeleteAtom(TopicAtom);
}

int WindowInterpreter::RunFile() {
  const char* p = Position();
  uint16_t base = Depth();
  if (Evaluate(p)) return 0;
  SetPosition(p);
  if (Depth() == base) {
    FailMissing(p);
    return 0;
  }
  VARIABLE* value = PopValue();
  if (value->type != VAL_STRING) {
    Fail(kErrorTypeMismatch);
    return 0;
  }
  std::string path = value->text ? value->text : "";
  return StartScript(nullptr, path.c_str()) ? 1 : 0;
}

void WindowInterpreter::OnError(const char* position) {
  ShowErrorDialog(hInst, *this, ScriptWindow, position);
}

int WindowInterpreter::OnStop(const char* position) {
  return ShowStopDialog(hInst, *this, ScriptWindow, position);
}

int WindowInterpreter::CallBuiltin(const char* name, const char*& position) {
  int ran = Interpreter::CallBuiltin(name, position);
  return ran >= 0 ? ran : CallWindowBuiltin(*this, name, position);
}

int WindowInterpreter::ExecUnknownStatement(const char* word) {
  return ExecWindowStatement(*this, word);
}

namespace {

const char kOptionWords[] = "HIDE\0WINDOW\0";
const int kOptionWordLength = 8;

bool EndsOptionLine(char c) { return c == '\0' || c == '\n' || c == ';'; }

}  // namespace

uint16_t ReadScriptOptions(const char* text, uint16_t flags) {
  if (_strnicmp(text, "REM ", 4) != 0) return flags;
  const char* p = text + 4;
  while (!EndsOptionLine(*p)) {
    char word[kOptionWordLength + 1];
    int n = 0;
    for (; !EndsOptionLine(*p) && *p != ','; ++p)
      if (n < kOptionWordLength) word[n++] = *p;
    word[n] = '\0';
    switch (KeywordPrefixIndex(kOptionWords, word)) {
      case 1: flags |= kRunHide; break;
      case 2: flags |= kRunWindow; break;
      default: break;
    }
    if (*p == ',') ++p;
  }
  return flags;
}
