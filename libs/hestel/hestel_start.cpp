// HESTEL's start and stop routines and RELEASE for its STRING results.
#include "library_frame.h"
#include "open_files.h"
#include "release_export.h"
#include "variable.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

// Files still registered are closed; temporary ones are deleted.
int DLL_Stop() {
  hestel::KillAll();
  return 1;
}

KORVEX_RELEASE_EXPORT(VARIABLE)
