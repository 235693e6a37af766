#include "control_classes.h"

#include "grid_control/grid_control.h"
#include "tree_control.h"

namespace {

struct ControlClass {
  const char* name;
  UINT style;
  WNDPROC procedure;
};

const ControlClass kClasses[] = {
    {kGridControlClass, CS_GLOBALCLASS | CS_DBLCLKS, GridControlProc},
    {kTreeControlClass, CS_GLOBALCLASS, TreeControlProc},
};
const int kClassCount = sizeof kClasses / sizeof kClasses[0];

// Which of kClasses this library registered itself.
bool registered[kClassCount];

bool Register(HINSTANCE instance, const ControlClass& control) {
  WNDCLASSA kind = {};
  kind.style = control.style;
  kind.lpfnWndProc = control.procedure;
  kind.cbWndExtra = sizeof(LONG_PTR);
  kind.hInstance = instance;
  kind.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  kind.lpszClassName = control.name;
  return RegisterClassA(&kind) != 0;
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
  for (int i = 0; i < kClassCount; ++i) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kClasses[i].name, &existing)) continue;
    if (!Register(instance, kClasses[i])) {
      UnregisterControlClasses(instance);
      return false;
    }
    registered[i] = true;
  }
  return true;
}

void UnregisterControlClasses(HINSTANCE instance) {
  for (int i = 0; i < kClassCount; ++i) {
    if (registered[i]) UnregisterClassA(kClasses[i].name, instance);
    registered[i] = false;
  }
}
