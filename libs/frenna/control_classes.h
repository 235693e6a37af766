// The window classes of the record-set dialog controls, global classes for
// every dialog of the process while the library is loaded.
#pragma once
#include <windows.h>

// Registers each class that GetClassInfoA does not find already (another
// module's class of the name is left as it is). When one registration
// fails, those made before it are undone and the result is false.
bool RegisterControlClasses(HINSTANCE instance);
// Unregisters the classes that RegisterControlClasses registered, and only
// those: UnregisterClassA would remove another module's global class too.
void UnregisterControlClasses(HINSTANCE instance);
