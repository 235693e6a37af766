// CADDEL's start and stop routines: the instance for the bitmaps and the
// tree view's common controls.
#include <windows.h>
#include <commctrl.h>

#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return 1;
}

int DLL_Stop() { return 1; }
