#include "live_arrays.h"

#include <mutex>
#include <set>

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::set<DimArray*>& Arrays() {
  static std::set<DimArray*> arrays;
  return arrays;
}

}  // namespace

DimArray* RememberArray(DimArray* array) {
  if (!array) return nullptr;
  std::lock_guard<std::mutex> guard(Lock());
  try {
    Arrays().insert(array);
  } catch (...) {
    return nullptr;  // not recorded: the caller frees it
  }
  return array;
}

DimArray* LiveArray(DimArray* handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Arrays().count(handle) ? handle : nullptr;
}

DimArray* ForgetArray(DimArray* handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Arrays().erase(handle) ? handle : nullptr;
}
