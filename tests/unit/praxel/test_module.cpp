// The parts run inside the test program: its own module (null) holds the
// collation tables that the library's module holds in Praxel.dll.
#include <windows.h>

#include "gui_driver.h"

HINSTANCE hInst;

namespace {
// Boxes are answered within the test: no 2 s wait as each one closes.
const bool unmanaged = (gui::UseUnmanagedWindows(), true);
}  // namespace
