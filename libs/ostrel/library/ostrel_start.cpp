// OSTREL's start and stop routines: the table window class and the export
// settings live from the first attach to the last detach.
#include <windows.h>

#include "grid_window.h"
#include "library_frame.h"
#include "table_output.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  if (!RegisterGridClass(instance)) return 0;
  if (!CreateExportSettings()) {
    UnregisterGridClass(instance);
    return 0;
  }
  return 1;
}

int DLL_Stop() {
  FreeExportSettings();
  UnregisterGridClass(hInst);
  return 1;
}
