// GRUSK's start and stop routines: the print settings live from the first
// attach to the last detach.
#include "library_frame.h"
#include "print_settings.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return CreatePrintSettings() ? 1 : 0;
}

int DLL_Stop() {
  FreePrintSettings();
  return 1;
}
