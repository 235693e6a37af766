#include "message_pump.h"

#include <atomic>

namespace {

// Timer ids 1..1000, one counter for the whole process.
UINT_PTR NextTimerId() {
  static std::atomic<unsigned> counter{0};
  return counter.fetch_add(1) % 1000 + 1;
}

}  // namespace

int PumpMessages(HWND window, UINT milliseconds) {
  UINT_PTR id = NextTimerId();
  if (!SetTimer(window, id, milliseconds, nullptr)) return -1;
  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      KillTimer(window, id);
      PostQuitMessage(static_cast<int>(message.wParam));
      return 0;
    }
    if (got == -1) {
      KillTimer(window, id);
      return -1;
    }
    if (message.message == WM_TIMER && message.hwnd == window && message.wParam == id) {
      KillTimer(window, id);
      return 1;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    // The timer died with its window: no tick will come.
    if (!IsWindow(window)) return 0;
  }
}
