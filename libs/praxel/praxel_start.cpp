#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

// Connections that scripts leave open stay open until the process ends.
int DLL_Stop() { return 1; }
