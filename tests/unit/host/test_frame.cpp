// The frame of host_test_support.h, apart: only the tests that link the
// host build it.
#include <vector>

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

void CloseTestFrame() {
  if (IsWindow(FrameWindow)) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(MdiClient, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.push_back(c);
    for (HWND child : children)
      SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  }
  WaitForFrameEnd(15000);  // and takes the quit its end posts: this thread goes on
}

bool WaitForFrameEnd(DWORD timeout) {
  LastScriptOptions |= kRunHide;  // also after a RUN inside a script
  bool ended = PumpUntil([] { return !IsWindow(FrameWindow); }, timeout);
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  return ended;
}

}  // namespace host_test
