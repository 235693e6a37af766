#include "shared_variables.h"

#include <windows.h>

namespace {

// Both live from before the program's entry to the process's end. They are
// never destroyed: script threads may still run while static destructors do.
struct SharedTable {
  SharedTable() { InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  VariableTable table;
};

SharedTable& Shared() {
  static SharedTable* shared = new SharedTable;
  return *shared;
}

[[maybe_unused]] SharedTable& kMadeAtStart = Shared();

}  // namespace

VariableTable& SharedVariables() { return Shared().table; }

SharedVariablesGuard::SharedVariablesGuard(bool take) : held_(take) {
  if (held_) EnterCriticalSection(&Shared().lock);
}

SharedVariablesGuard::~SharedVariablesGuard() {
  if (held_) LeaveCriticalSection(&Shared().lock);
}
