// PLAY (the multimedia command interpreter), DRAW (a bitmap on a device
// context), HELP (the help viewer) and QUIT (closing the frame).
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "builtin_frame.h"
#include "dib.h"
#include "host_globals.h"
#include "shared_variables.h"
#include "statement_reader.h"
#include "statement_text.h"
#include "window_context.h"
#include "window_interpreter.h"
#include "window_statements.h"

namespace {

const int kMciAnswer = 256;
const int kAnswerName = 8;  // of the answer variable's name only this counts

intptr_t AsNumber(const VARIABLE& v) { return static_cast<intptr_t>(v.lng); }

}  // namespace

int ExecPlay(WindowInterpreter& interpreter) {
  VARIABLE command;
  if (ReadValue(interpreter, command)) return 1;
  if (command.type != VAL_STRING) return FailStatement(interpreter, kStatementTypeMismatch);
  if (ReadComma(interpreter)) return 1;
  const char* p = SkipBlanks(interpreter.Position());
  char name[kAnswerName + 1];
  int n = statement_text::ReadName(p, name, sizeof name, [](char c) { return c == ' '; });
  interpreter.SetPosition(p);
  if (n == 0) return FailStatement(interpreter, kStatementSyntax);

  char answer[kMciAnswer] = "";
  MCIERROR code = mciSendStringA(TextOf(command), answer, sizeof answer, nullptr);
  if (code) mciGetErrorStringA(code, answer, sizeof answer);
  answer[kMciAnswer - 1] = '\0';
  SetLongVariable(interpreter, "RESULT", static_cast<int32_t>(code));
  SharedVariablesGuard guard(name[0] == '$');
  uint32_t error = 0;
  VARIABLE* target = interpreter.ResolveScalar(name, error);
  if (!target) return FailStatement(interpreter, error);
  *target = answer;
  return 0;
}

int ExecDraw(WindowInterpreter& interpreter) {
  uint16_t base = interpreter.Depth();
  if (ReadExpressions(interpreter, 4)) return 1;
  ValueStack& stack = interpreter.Stack();
  const VARIABLE* image = stack.Item(base);
  for (int i = 1; i < 4; ++i)
    if (stack.Item(static_cast<uint16_t>(base + i))->type != VAL_LONG)
      return FailStatement(interpreter, kStatementTypeMismatch);
  if (image->type != VAL_IMAGE) return FailStatement(interpreter, kStatementTypeMismatch);
  HDC dc = reinterpret_cast<HDC>(AsNumber(*stack.Item(static_cast<uint16_t>(base + 1))));
  int x = stack.Item(static_cast<uint16_t>(base + 2))->lng;
  int y = stack.Item(static_cast<uint16_t>(base + 3))->lng;
  // At the bitmap's own size; a block that holds no drawable bitmap draws nothing.
  if (image->image.handle) DrawDib(image->image.handle, dc, x, y, 0, 0);
  return 0;
}

int ExecHelp(WindowInterpreter& interpreter) {
  uint16_t base = interpreter.Depth();
  if (ReadExpressions(interpreter, 1)) return 1;
  bool withTopic = *SkipBlanks(interpreter.Position()) == ',';
  if (withTopic && (ReadComma(interpreter) || ReadExpressions(interpreter, 1))) return 1;
  const VARIABLE* file = interpreter.Stack().Item(base);
  if (file->type != VAL_STRING) return FailStatement(interpreter, kStatementArgumentType);

  UINT command = HELP_QUIT;
  ULONG_PTR data = 0;
  if (withTopic) {
    const VARIABLE* topic = interpreter.Stack().Item(static_cast<uint16_t>(base + 1));
    if (topic->type == VAL_STRING) {
      command = HELP_KEY;
      data = reinterpret_cast<ULONG_PTR>(TextOf(*topic));
    } else if (topic->type == VAL_LONG) {
      int32_t n = topic->lng;
      command = n == 0 ? HELP_CONTENTS : n > 0 ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
      data = static_cast<ULONG_PTR>(n < 0 ? -static_cast<int64_t>(n) : n);
    } else {
      return FailStatement(interpreter, kStatementArgumentType);
    }
  }
  WinHelpA(ScriptWindowFor(interpreter), TextOf(*file), command, data);
  return 0;
}

int ExecQuit(WindowInterpreter&) {
  SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
  return 0;
}
