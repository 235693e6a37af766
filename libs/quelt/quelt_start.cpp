// Library start and stop, the library's error and its lock.
#include "library_frame.h"
#include "quelt_library.h"

namespace {
uint16_t libraryError;
CRITICAL_SECTION exportLock;
}  // namespace

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  StartLibraryLock();
  return 1;
}

// The tables are forgotten, not written: taking a header lock here could
// wait ten seconds inside the loader's lock.
int DLL_Stop() {
  ForgetOpenTables();
  StopLibraryLock();
  return 1;
}

void SetLibraryError(uint16_t error) { libraryError = error; }
uint16_t LibraryError() { return libraryError; }

void StartLibraryLock() { InitializeCriticalSection(&exportLock); }
void StopLibraryLock() { DeleteCriticalSection(&exportLock); }
LibraryLock::LibraryLock() { EnterCriticalSection(&exportLock); }
LibraryLock::~LibraryLock() { LeaveCriticalSection(&exportLock); }

Table* KnownTable(Table* table) {
  for (Table* t = FirstOpenTable(); t; t = t->next)
    if (t == table) return t;
  SetLibraryError(ERROR_INVALID_HANDLE);
  return nullptr;
}

void EndOrphan(Table* table) {
  if (table->Orphaned() && !table->InRound()) {
    table->Close();
    delete table;
  }
}
