#include "operator_lock.h"

#include <windows.h>

#include "variable.h"

namespace {

// Made once when the module starts (the program, or a library that links
// it, as it loads), never with the first evaluator: creating it with the
// first evaluator and deleting it with the last races when one thread makes
// an evaluator while another destroys the last one.
CRITICAL_SECTION*& OperatorLock() {
  static CRITICAL_SECTION* lock = [] {
    CRITICAL_SECTION* cs = new CRITICAL_SECTION;
    InitializeCriticalSection(cs);
    return cs;
  }();
  return lock;
}

[[maybe_unused]] CRITICAL_SECTION* const kMadeAtStart = OperatorLock();

}  // namespace

OperatorSection::OperatorSection() {
  EnterCriticalSection(OperatorLock());
  VARIABLE::Error = 0;
}

OperatorSection::~OperatorSection() {
  VARIABLE::Error = 0;
  LeaveCriticalSection(OperatorLock());
}

unsigned OperatorSection::TakeError() {
  unsigned e = VARIABLE::Error;
  VARIABLE::Error = 0;
  return e;
}

void DeleteOperatorLock() {
  CRITICAL_SECTION*& lock = OperatorLock();
  if (!lock) return;
  DeleteCriticalSection(lock);
  delete lock;
  lock = nullptr;
}
