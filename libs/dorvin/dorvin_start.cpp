#include "library_frame.h"
#include "operator_lock.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

// The library's operator section was made as it loaded; it goes at the last
// detach.
int DLL_Stop() {
  DeleteOperatorLock();
  return 1;
}
