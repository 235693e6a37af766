// LOTRIX's start and stop routines, and RELEASE, which the frame asks of
// it although no declaration returns a VARIABLE.
#include "library_frame.h"
#include "release_export.h"
#include "variable.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

int DLL_Stop() { return 1; }

KORVEX_RELEASE_EXPORT(VARIABLE)
