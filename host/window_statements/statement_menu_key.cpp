// MENU file, name and KEY file, name: a script's menu on the frame and its
// accelerator table in the message loop.
#include "host_globals.h"
#include "resource_accel.h"
#include "resource_args.h"
#include "resource_menu.h"
#include "resource_reader.h"
#include "statement_reader.h"
#include "window_context.h"
#include "window_interpreter.h"
#include "window_statements.h"

namespace {

// The frame shows menu with its window list in windowList.
void ShowOnFrame(HMENU menu, HMENU windowList) {
  SendMessageA(MdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
               reinterpret_cast<LPARAM>(windowList));
  DrawMenuBar(FrameWindow);
}

}  // namespace

int ExecMenu(WindowInterpreter& interpreter) {
  ResourceArgs args;
  HGLOBAL block = ReadResourceArgs(interpreter, kResourceMenu, &args);
  if (!block) return 1;
  HMENU menu = args.layout == kResourceLayout16 ? LoadMenu16(block) : LoadMenu32(block);
  GlobalFree(block);
  if (!menu) return FailStatement(interpreter, kStatementResource);

  WindowInterpreter& owner = WindowOwner(interpreter);
  HMENU previous = owner.ScriptMenu;
  owner.ScriptMenu = menu;
  owner.WindowListMenu = FindWindowMenu(menu);
  SetLongVariable(interpreter, "HMENU", static_cast<int32_t>(reinterpret_cast<intptr_t>(menu)));
  // The frame lets go of the old menu before it is destroyed.
  ShowOnFrame(menu, owner.WindowListMenu);
  if (previous) DestroyMenu(previous);
  return 0;
}

int ExecKey(WindowInterpreter& interpreter) {
  ResourceArgs args;
  HGLOBAL block = ReadResourceArgs(interpreter, kResourceAccelerators, &args);
  if (!block) return 1;
  HACCEL table = CreateAccelerators(block, args.layout);
  GlobalFree(block);
  if (!table) return FailStatement(interpreter, kStatementResource);

  WindowInterpreter& owner = WindowOwner(interpreter);
  HACCEL previous = owner.ScriptAccelerators;
  owner.ScriptAccelerators = table;
  // The message loop moves to the new table before the old one goes.
  CurrentAccelerators = table;
  if (previous) DestroyAcceleratorTable(previous);
  return 0;
}

void ReleaseScriptMenu(WindowInterpreter& interpreter) {
  HMENU menu = interpreter.ScriptMenu;
  if (!menu) return;
  interpreter.ScriptMenu = nullptr;
  interpreter.WindowListMenu = nullptr;
  if (FrameWindow && FrameMenu && GetMenu(FrameWindow) == menu)
    ShowOnFrame(FrameMenu, GetSubMenu(FrameMenu, kWindowListPopup));
  DestroyMenu(menu);
}

void ReleaseScriptAccelerators(WindowInterpreter& interpreter) {
  HACCEL table = interpreter.ScriptAccelerators;
  if (!table) return;
  interpreter.ScriptAccelerators = nullptr;
  if (CurrentAccelerators == table) CurrentAccelerators = nullptr;
  DestroyAcceleratorTable(table);
}
