#include "library_frame.h"
#include "message_compose.h"
#include "wennic.h"

namespace {
constexpr int kCaptionNumber = 1000;  // "ОШИБКА"
}  // namespace

int WINAPI ERRBOX(HWND owner, int number, int flags, const char* argument) {
  char shown[256];  // at most 255 characters are shown
  if (number != 0) {
    char message[128];
    if (LoadStringA(hInst, number, message, sizeof message) <= 0) return 0;
    ComposeMessage(message, flags, argument, shown, sizeof shown);
  } else {
    if (!argument) return 0;
    ComposeMessage(argument, 0, nullptr, shown, sizeof shown);  // shown as written
  }
  char caption[8];
  if (LoadStringA(hInst, kCaptionNumber, caption, sizeof caption) <= 0) caption[0] = 0;
  UINT style = static_cast<UINT>(flags & ~kErrBoxFormatBits) | MB_ICONHAND;
  return MessageBoxA(owner, shown, caption, style);
}
