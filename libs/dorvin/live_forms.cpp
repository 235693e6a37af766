#include "live_forms.h"

#include <mutex>
#include <set>

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::set<ReportForm*>& Forms() {
  static std::set<ReportForm*> forms;
  return forms;
}

}  // namespace

bool RememberForm(ReportForm* form) {
  std::lock_guard<std::mutex> guard(Lock());
  try {
    Forms().insert(form);
  } catch (...) {
    return false;
  }
  return true;
}

ReportForm* LiveForm(ReportForm* handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Forms().count(handle) ? handle : nullptr;
}

ReportForm* ForgetForm(ReportForm* handle) {
  std::lock_guard<std::mutex> guard(Lock());
  return Forms().erase(handle) ? handle : nullptr;
}
