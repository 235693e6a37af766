#include "library_frame.h"

HINSTANCE hInst;

namespace {
// Process attaches not yet matched by detaches (a signed 16-bit count).
short attachCount;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      // A refused start fails the load without counting it, so the next
      // load tries the start routine again.
      if (attachCount == 0 && !DLL_Start(instance)) return FALSE;
      ++attachCount;
      return TRUE;
    case DLL_PROCESS_DETACH:
      if (attachCount-- == 1) DLL_Stop();
      return TRUE;
    default:
      return TRUE;
  }
}
