#include "live_trees.h"

#include <mutex>
#include <new>
#include <unordered_map>

#include "record_tree.h"

namespace {

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

// Each tree with its owner, kept here so that a lookup from another
// thread never reads a tree that is being freed.
std::unordered_map<uintptr_t, HWND>& Trees() {
  static std::unordered_map<uintptr_t, HWND> trees;
  return trees;
}

}  // namespace

RecordTree* RememberTree(RecordTree* tree) {
  if (!tree) return nullptr;
  std::lock_guard<std::mutex> lock(Guard());
  try {
    Trees().emplace(reinterpret_cast<uintptr_t>(tree), tree->owner);
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

HWND LiveTreeOwner(uint32_t handle) {
  std::lock_guard<std::mutex> lock(Guard());
  auto found = Trees().find(handle);
  return found != Trees().end() ? found->second : nullptr;
}

bool ForgetTree(RecordTree* tree) {
  std::lock_guard<std::mutex> lock(Guard());
  return Trees().erase(reinterpret_cast<uintptr_t>(tree)) != 0;
}
