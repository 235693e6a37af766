#include "progress_state.h"

#include <map>
#include <mutex>

const char kProgressProperty[] = "PROGRESS";

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::map<HWND, ProgressState*>& Dialogs() {
  static std::map<HWND, ProgressState*> dialogs;
  return dialogs;
}

}  // namespace

bool RememberDialog(HWND dialog, ProgressState* state) {
  std::lock_guard<std::mutex> guard(Lock());
  try {
    Dialogs()[dialog] = state;
  } catch (...) {
    return false;
  }
  return true;
}

ProgressState* LiveDialog(HWND dialog) {
  std::lock_guard<std::mutex> guard(Lock());
  auto found = Dialogs().find(dialog);
  return found == Dialogs().end() ? nullptr : found->second;
}

ProgressState* ForgetDialog(HWND dialog) {
  std::lock_guard<std::mutex> guard(Lock());
  auto found = Dialogs().find(dialog);
  if (found == Dialogs().end()) return nullptr;
  ProgressState* state = found->second;
  Dialogs().erase(found);
  return state;
}
