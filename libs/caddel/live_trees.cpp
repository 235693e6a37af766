#include "live_trees.h"

#include <mutex>
#include <new>
#include <unordered_set>

namespace {

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

std::unordered_set<uintptr_t>& Trees() {
  static std::unordered_set<uintptr_t> trees;
  return trees;
}

}  // namespace

RecordTree* RememberTree(RecordTree* tree) {
  if (!tree) return nullptr;
  std::lock_guard<std::mutex> lock(Guard());
  try {
    Trees().insert(reinterpret_cast<uintptr_t>(tree));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return tree;
}

RecordTree* LiveTree(uint32_t handle) {
  if (handle == 0) return nullptr;
  std::lock_guard<std::mutex> lock(Guard());
  return Trees().count(handle) ? reinterpret_cast<RecordTree*>(static_cast<uintptr_t>(handle))
                               : nullptr;
}

bool ForgetTree(RecordTree* tree) {
  std::lock_guard<std::mutex> lock(Guard());
  return Trees().erase(reinterpret_cast<uintptr_t>(tree)) != 0;
}
