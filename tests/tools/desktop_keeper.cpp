// Test tool: keeps Wine's desktop open for a whole test session. Wine ends
// its desktop process once no program uses the desktop, and the next
// program that makes a window starts it again, handing it that program's
// output: a test whose output stays open never ends. Started with its
// output elsewhere, this program uses the desktop until the session ends.
#include <windows.h>

int main() {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
