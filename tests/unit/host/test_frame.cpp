// The frame of host_test_support.h, apart: only the tests that link the
// host build it.
#include "frame_window.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "interpreter.h"

namespace host_test {

void OpenTestFrame() {
  hInst = GetModuleHandleA(nullptr);
  RegisterHostClasses();  // a second time changes nothing
  ScriptWindowCount = 0;
  ActiveScriptWindow = nullptr;
  LastScriptOptions = kRunHide;
  FrameWindow = CreateFrameWindow();
  if (!DialogBrush) DialogBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

}  // namespace host_test
