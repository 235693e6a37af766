// SELVY's start and stop routines: the view's window class lives while the
// library is loaded.
#include "library_frame.h"
#include "page_view.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return RegisterViewClass(instance) ? 1 : 0;
}

int DLL_Stop() {
  UnregisterViewClass(hInst);
  return 1;
}
