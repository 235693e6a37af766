#include "window_statements.h"

#include "keyword_list.h"
#include "script_dialogs.h"
#include "window_interpreter.h"

namespace {

const char kStatements[] =
    "MENU\0KEY\0PLAY\0INPUT\0TUNE\0PUT\0DIALOG\0DRAW\0LOAD\0UNLOAD\0HELP\0QUIT\0";

// In the order of the list; INPUT, TUNE, PUT and DIALOG are the script
// dialogs'.
int (*const kExecutors[])(WindowInterpreter&) = {
    ExecMenu, ExecKey, ExecPlay, ExecInput, ExecTune, ExecPut, ExecDialog,
    ExecDraw, ExecLoad, ExecUnload, ExecHelp, ExecQuit,
};

}  // namespace

int ExecWindowStatement(WindowInterpreter& interpreter, const char* word) {
  int n = KeywordIndex(kStatements, word);
  if (n == 0 || !kExecutors[n - 1]) return 0;
  uint16_t base = interpreter.Depth();
  kExecutors[n - 1](interpreter);
  interpreter.DropTo(base);
  return 1;
}
