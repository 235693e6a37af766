#include "window_builtins.h"

#include "keyword_list.h"
#include "script_dialogs.h"
#include "window_builtin_entries.h"
#include "window_interpreter.h"

namespace {

const char kNames[] =
    "ADVISE\0DDEOPEN\0DDESEND\0DDERECEIVE\0DDECLOSE\0SIGNAL\0WAIT\0SEND\0ATTACH\0EXEFIND\0"
    "RUN\0GET\0CALC\0ACTIVE\0WNDFIND\0VARGET\0MENU\0BITMAP\0FREE\0EVENT\0CHECK\0VARWND\0"
    "POST\0ERROR\0PARAM\0INPUT\0OBJECT\0PROFILE\0";

// WAIT and CHECK take as many events as the value stack holds.
const uint8_t kManyArgs = 255;

const WindowBuiltinSpec kSpecs[] = {
    {RunAdvise, 1, 1}, {RunDdeOpen, 2, 2}, {RunDdeSend, 2, 2}, {RunDdeReceive, 2, 2},
    {RunDdeClose, 1, 1},
    {RunSignal, 1, 1}, {RunWait, 1, kManyArgs}, {RunSend, 1, 1}, {RunAttach, 3, 3},
    {RunExeFind, 1, 1}, {RunRun, 2, 3},
    {RunGet, 1, 2},
    {RunCalc, 1, 1}, {RunActive, 1, 1}, {RunWndFind, 1, 1}, {RunVarGet, 2, 2},
    {RunMenu, 3, 3}, {RunBitmap, 2, 2}, {RunFree, 1, 1}, {RunEvent, 1, 2},
    {RunCheck, 1, kManyArgs}, {RunVarWnd, 2, 2}, {RunPost, 2, 2}, {RunError, 1, 1},
    {RunParam, 1, kManyArgs},
    {RunInput, 3, 3}, {RunObject, 2, 2}, {RunProfile, 2, 3},
};
static_assert(sizeof kSpecs / sizeof kSpecs[0] == kWindowBuiltinCount, "one spec per name");

}  // namespace

WindowBuiltinFrame::WindowBuiltinFrame(WindowInterpreter& interpreter, uint32_t& error, int count)
    : BuiltinFrame(interpreter.Stack(), error, count, kWindowErrorArgumentType),
      interpreter_(interpreter) {}

HWND WindowBuiltinFrame::Window() { return interpreter_.GetWindowHandle(); }

int FindWindowBuiltin(const char* name) {
  int entry = KeywordIndex(kNames, name);
  return entry >= 1 && entry <= kWindowBuiltinCount && kSpecs[entry - 1].run ? entry : 0;
}

int CallWindowBuiltin(WindowInterpreter& interpreter, const char* name, const char*& position) {
  int entry = FindWindowBuiltin(name);
  if (entry == 0) return -1;
  VARIABLE* reference = nullptr;
  int count = 1;
  if (entry != kWindowFree || !(reference = ReadFreeReference(interpreter, position)))
    count = interpreter.ParseArguments(position);
  if (count < 0) return 0;
  return RunWindowBuiltin(interpreter, entry, count, reference);
}

int RunWindowBuiltin(WindowInterpreter& interpreter, int entry, int count, VARIABLE* reference) {
  if (entry < 1 || entry > kWindowBuiltinCount || !kSpecs[entry - 1].run) return -1;
  const WindowBuiltinSpec& spec = kSpecs[entry - 1];
  // No operator section here: WAIT blocks, and EVENT and VARGET run other
  // windows' handlers, which take the section themselves.
  uint32_t error = 0;
  WindowBuiltinFrame frame(interpreter, error, count);
  frame.reference = reference;
  if (count < spec.minArgs || count > spec.maxArgs)
    frame.Fail(kBuiltinArgCount);
  else if (count > interpreter.Depth())
    frame.Fail(kBuiltinStackShort);
  else
    spec.run(frame);
  int ran = frame.Finish();
  if (ran == 0) interpreter.SetError(error);
  return ran;
}
