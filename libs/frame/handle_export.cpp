// The handle export "<MODULE>_HANDLE", compiled into each library with
// KORVEX_MODULE set to its module name. The binder calls it first and loads
// the declaration strings from the instance it returns.
#include "library_frame.h"

#define KORVEX_JOIN_(a, b) a##b
#define KORVEX_JOIN(a, b) KORVEX_JOIN_(a, b)

KORVEX_EXPORT HINSTANCE WINAPI KORVEX_JOIN(KORVEX_MODULE, _HANDLE)() { return hInst; }
