// NIMBET's start and stop routines: the date-entry class is there for every
// program's dialogs while the library is loaded.
#include "edit_date.h"
#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  RegisterEditDateClass(hInst);
  return 1;
}

int DLL_Stop() {
  UnregisterEditDateClass(hInst);
  return 1;
}
