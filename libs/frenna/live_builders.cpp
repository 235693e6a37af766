#include "live_builders.h"

#include <mutex>
#include <set>

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::set<uintptr_t>& Builders() {
  static std::set<uintptr_t> builders;
  return builders;
}

}  // namespace

bool RememberBuilder(MenuBuilder* builder) {
  std::lock_guard<std::mutex> guard(Lock());
  try {
    return Builders().insert(reinterpret_cast<uintptr_t>(builder)).second;
  } catch (...) {
    return false;
  }
}

MenuBuilder* LiveBuilder(uintptr_t handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Builders().count(handle) ? reinterpret_cast<MenuBuilder*>(handle) : nullptr;
}

MenuBuilder* ForgetBuilder(uintptr_t handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Builders().erase(handle) ? reinterpret_cast<MenuBuilder*>(handle) : nullptr;
}
