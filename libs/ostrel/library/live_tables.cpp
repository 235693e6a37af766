#include "live_tables.h"

#include <cstring>

RecordSetTable* LiveTable(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  char name[16] = "";
  if (!GetClassNameA(window, name, sizeof name) || std::strcmp(name, "OSTRELCLASS") != 0)
    return nullptr;
  return reinterpret_cast<RecordSetTable*>(GetWindowLongPtrA(window, 0));
}
