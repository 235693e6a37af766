#include "found_list.h"

namespace {

const SIZE_T kFoundStep = 256;

}  // namespace

bool AddFound(RecordTree& tree, HTREEITEM item) {
  SIZE_T needed = (tree.foundCount + 1) * sizeof(HTREEITEM);
  SIZE_T size = GlobalSize(tree.found);
  if (needed > size) {
    HGLOBAL grown = GlobalReAlloc(tree.found, size + kFoundStep, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return false;
    tree.found = grown;
  }
  HTREEITEM* items = static_cast<HTREEITEM*>(GlobalLock(tree.found));
  if (!items) return false;
  items[tree.foundCount++] = item;
  GlobalUnlock(tree.found);
  return true;
}

HTREEITEM FoundAt(const RecordTree& tree, long i) {
  HTREEITEM* items = static_cast<HTREEITEM*>(GlobalLock(tree.found));
  if (!items) return nullptr;
  HTREEITEM item = items[i];
  GlobalUnlock(tree.found);
  return item;
}

void DropFound(RecordTree& tree, const std::unordered_set<HTREEITEM>& gone) {
  HTREEITEM* items = static_cast<HTREEITEM*>(GlobalLock(tree.found));
  if (!items) return;
  long kept = 0;
  for (long i = 0; i < tree.foundCount; ++i)
    if (!gone.count(items[i])) items[kept++] = items[i];
  tree.foundCount = kept;
  GlobalUnlock(tree.found);
}
