// The program's entry: classes, frame, the script named on the command line,
// and the message loop.
#include <windows.h>

#include "frame_window.h"
#include "host_globals.h"
#include "start_script.h"

namespace {

bool TranslateForScripts(MSG& message) {
  if (TranslateMDISysAccel(MdiClient, &message)) return true;
  if (CurrentAccelerators && TranslateAcceleratorA(FrameWindow, CurrentAccelerators, &message))
    return true;
  if (CurrentModelessDialog && IsDialogMessageA(CurrentModelessDialog, &message)) return true;
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  hInst = instance;
  if (!RegisterHostClasses()) return 0;
  FrameWindow = CreateFrameWindow();
  if (!FrameWindow) return 0;

  // Made before the first script starts: its thread may open a dialog at once.
  DialogBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  if (!StartScript(nullptr, commandLine)) {
    DestroyWindow(FrameWindow);
    DeleteObject(DialogBrush);
    return 0;
  }

  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateForScripts(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(DialogBrush);
  return static_cast<int>(message.wParam);
}
