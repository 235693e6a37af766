// FRENNA's start and stop routines: the controls' classes are there for
// every dialog of the process while the library is loaded.
#include <windows.h>
#include <commctrl.h>

#include "control_classes.h"
#include "grid_window.h"
#include "library_frame.h"

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return RegisterControlClasses(instance) ? 1 : 0;
}

int DLL_Stop() {
  UnregisterControlClasses(hInst);
  // The grid's search popup class, registered inside this library the first
  // time someone typed into a grid: after an unload it would name code that
  // is gone.
  UnregisterSearchClass();
  return 1;
}
