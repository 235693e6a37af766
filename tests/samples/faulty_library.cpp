// FAULTY: an extension library whose declarations break the contract in the
// ways libcheck must report (see faulty.rc).
#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

int DLL_Stop() { return 1; }

KORVEX_EXPORT long WINAPI FAULTY_Ok(long a) { return a; }
KORVEX_EXPORT long WINAPI FAULTY_Typed(long a) { return a; }
KORVEX_EXPORT void WINAPI FAULTY_Other() {}
KORVEX_EXPORT void WINAPI FAULTY_NoBang() {}
KORVEX_EXPORT void WINAPI FAULTY_Late() {}
