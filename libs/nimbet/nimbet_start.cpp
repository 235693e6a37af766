// NIMBET's start and stop routines.
#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

int DLL_Stop() { return 1; }
