#include "live_record_sets.h"

#include <map>
#include <mutex>

#include "open_base.h"
#include "record_set.h"

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

// Keyed by the handle scripts hold: the interface's address.
std::map<uintptr_t, RecordSet*>& Sets() {
  static std::map<uintptr_t, RecordSet*> sets;
  return sets;
}

// Record sets drop their statements before their Base goes.
const bool closingHook = (SetBaseClosingHook(CloseRecordSetsOf), true);

uintptr_t HandleOf(RecordSet* set) {
  return reinterpret_cast<uintptr_t>(static_cast<RecordSetObject*>(set));
}

}  // namespace

bool RememberRecordSet(RecordSet* set) {
  std::lock_guard<std::mutex> guard(Lock());
  try {
    Sets()[HandleOf(set)] = set;
  } catch (...) {
    return false;
  }
  return true;
}

RecordSet* LiveRecordSet(uintptr_t handle) {
  std::lock_guard<std::mutex> guard(Lock());
  auto found = Sets().find(handle);
  return handle && found != Sets().end() ? found->second : nullptr;
}

RecordSet* ForgetRecordSet(uintptr_t handle) {
  std::lock_guard<std::mutex> guard(Lock());
  auto found = Sets().find(handle);
  if (!handle || found == Sets().end()) return nullptr;
  RecordSet* set = found->second;
  Sets().erase(found);
  return set;
}

void CloseRecordSetsOf(HDBC connection) {
  std::lock_guard<std::mutex> guard(Lock());
  for (auto& entry : Sets())
    if (entry.second->connection() == connection) entry.second->CloseCursor();
}
