#include "script_setup.h"

#include <cstring>

#include "host_globals.h"
#include "path_helpers.h"
#include "shared_variables.h"
#include "text_helpers.h"
#include "window_interpreter.h"
#include "window_placement.h"

namespace {

const int kTitleSize = 256;
const int32_t kResourceLayout32 = 32;

VARIABLE* WindowVariable(WindowInterpreter& interpreter, const char* name) {
  uint32_t error = 0;
  return interpreter.Variables().FindOrCreate(name, error);
}

VARIABLE* ProcessVariable(const char* name) {
  uint32_t error = 0;
  return SharedVariables().FindOrCreate(name, error);
}

int32_t HandleValue(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

}  // namespace

void SetPredefinedVariables(HWND window, WindowInterpreter& interpreter) {
  char title[kTitleSize] = "";
  GetWindowTextA(window, title, sizeof title);

  char directory[kTitleSize];
  CopyText(directory, sizeof directory, title);
  DirectoryPart(directory);
  CharUpperA(directory);
  char name[kTitleSize];
  CopyText(name, sizeof name, title);
  FileNamePart(name);
  StripExtension(name);
  CharUpperA(name);

  VARIABLE::SetText(WindowVariable(interpreter, "PRGDIR"), directory);
  VARIABLE::SetText(WindowVariable(interpreter, "PRGNAME"), name);
  VARIABLE::SetLong(WindowVariable(interpreter, "HWND"), HandleValue(window));
  VARIABLE::SetLong(WindowVariable(interpreter, "HPARENT"), HandleValue(interpreter.StartParent));
  interpreter.StartParent = nullptr;
  VARIABLE::SetLong(WindowVariable(interpreter, "RESOURCE"), kResourceLayout32);

  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, sizeof program);
  DirectoryPart(program);
  char temporary[kTitleSize + 1] = "";
  GetTempPathA(kTitleSize, temporary);
  char user[kTitleSize] = "";
  DWORD userSize = sizeof user;
  bool haveUser = GetUserNameA(user, &userSize) != 0;
  {
    SharedVariablesGuard guard;
    VARIABLE* null = ProcessVariable("$NULL");
    if (null) null->Clear().TYPE(VAL_NULL);
    VARIABLE::SetText(ProcessVariable("$BASDIR"), program);
    VARIABLE::SetText(ProcessVariable("$TMPDIR"), temporary);
    VARIABLE::SetLong(ProcessVariable("$HWND"), HandleValue(FrameWindow));
    if (haveUser) VARIABLE::SetText(ProcessVariable("$USER"), user);
  }

  if (interpreter.TopicAtom) GlobalDeleteAtom(interpreter.TopicAtom);
  interpreter.TopicAtom = GlobalAddAtomA(name);
}

void LoadOrSaveWindowSize(HWND window, WindowInterpreter& interpreter, bool restore) {
  if (interpreter.RunFlags() & kRunHide) return;
  VARIABLE* name = interpreter.Variables().Find("PRGNAME");
  if (!name || name->type != VAL_STRING || !name->text || !name->text[0]) return;
  const char* section = name->text;
  if (restore) {
    char text[64];
    if (!ReadPlacementText(section, text, sizeof text)) return;
    Placement p = ParsePlacement(text);
    MoveWindow(window, p.left, p.top, p.width, p.height, TRUE);
    return;
  }
  if (IsIconic(window) || IsZoomed(window)) return;
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  Placement p{r.left, r.top, r.right - r.left, r.bottom - r.top};
  if (p.left < 0 || p.top < 0 || p.width <= 0 || p.height <= 0) return;
  WritePlacement(section, p);
}
