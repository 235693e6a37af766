// CADDEL's exports: a tree view in a script window filled from a record set
// by its key fields. Every handle is looked up among the live trees first;
// failures give 0 or FALSE and show nothing. Each export runs on the thread
// of the tree's owner.
#include <windows.h>
#include <commctrl.h>

#include <unordered_set>

#include "found_list.h"
#include "library_frame.h"
#include "live_trees.h"
#include "record_tree.h"
#include "show_param.h"
#include "tree_drag.h"
#include "tree_fill.h"
#include "tree_search.h"
#include "window_thread_call.h"

namespace {

// A live tree whose window is still there, or null.
RecordTree* Usable(uint32_t handle) {
  RecordTree* tree = LiveTree(handle);
  return tree && HasWindow(*tree) ? tree : nullptr;
}

// Whether an object handle can be a record set: its first word (the
// virtual table) is readable memory.
bool ReadableObject(uint32_t handle) {
  MEMORY_BASIC_INFORMATION info = {};
  if (!handle || !VirtualQuery(reinterpret_cast<void*>(handle), &info, sizeof info)) return false;
  return info.State == MEM_COMMIT && !(info.Protect & (PAGE_NOACCESS | PAGE_GUARD));
}

// Record numbers the record set has (Append and Edit).
bool InRange(const RecordTree& tree, long record) {
  return tree.records && tree.keyCount > 0 && record > 0 && record <= tree.records->RecordCount();
}

void SetCaption(RecordTree& tree, HTREEITEM item) {
  TVITEMA data = {};
  data.mask = TVIF_HANDLE | TVIF_TEXT;
  data.hItem = item;
  data.pszText = tree.caption;
  SendMessageA(tree.tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

uint32_t Load(HWND owner) {
  RecordTree* tree = MakeRecordTree(owner);
  if (!tree) return 0;
  if (!RememberTree(tree)) {
    FreeRecordTree(tree);
    return 0;
  }
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(tree));
}

BOOL Show(uint32_t handle, uint32_t base, const char* text) {
  RecordTree* tree = Usable(handle);
  if (!tree || tree->busy || !ReadableObject(base)) return FALSE;
  RecordSetObject* records = reinterpret_cast<RecordSetObject*>(static_cast<uintptr_t>(base));
  ShowParam param;
  if (!ReadShowParam(text, *records, param)) return FALSE;
  // What the text leaves out stays as an earlier Show set it.
  tree->records = records;
  if (param.hasEvent) tree->event = param.event;
  if (param.sorted) tree->sorted = true;
  if (param.hasKeys) {
    tree->keyCount = param.keyCount;
    for (int i = 0; i < kMaxKeys; ++i) {
      tree->idField[i] = param.idField[i];
      tree->ownField[i] = param.ownField[i];
    }
    tree->nodes.SetKeyCount(param.keyCount);
  }
  if (tree->keyCount == 0) return FALSE;
  return FillTree(*tree) ? TRUE : FALSE;
}

long Selected(uint32_t handle) {
  RecordTree* tree = Usable(handle);
  return tree ? SelectedRecord(*tree) : 0;
}

BOOL Append(uint32_t handle, long record) {
  RecordTree* tree = Usable(handle);
  if (!tree || !InRange(*tree, record)) return FALSE;
  return AddRecordNode(*tree, record) != AddResult::kFailed;
}

BOOL Edit(uint32_t handle, long record) {
  RecordTree* tree = Usable(handle);
  if (!tree || !InRange(*tree, record) || !tree->nodes.FirstWithRecord(record)) return FALSE;
  if (!tree->records->GoToRecord(record) || !AskCaption(*tree)) return FALSE;
  // Looked up again: the caption's handler may have deleted the node.
  TreeNode* node = tree->nodes.FirstWithRecord(record);
  if (!node) return FALSE;
  SetCaption(*tree, node->item);
  node->caption = tree->caption;
  node->keyed = false;
  return TRUE;
}

BOOL Delete(uint32_t handle, long record) {
  RecordTree* tree = Usable(handle);
  if (!tree) return FALSE;
  if (tree->nodes.Empty()) return TRUE;
  TreeNode* node = tree->nodes.FirstWithRecord(record);
  if (!node) return FALSE;
  std::vector<TreeNode*> gone = TreeIndex::Subtree(node);
  std::unordered_set<HTREEITEM> items;
  for (TreeNode* each : gone) items.insert(each->item);
  SendMessageA(tree->tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item));
  DropFound(*tree, items);
  // Children before their parents: each leaves its parent's list.
  for (auto each = gone.rbegin(); each != gone.rend(); ++each) tree->nodes.Remove(*each);
  return TRUE;
}

BOOL Close(uint32_t handle) {
  RecordTree* tree = LiveTree(handle);
  // A handler run by a fill or a caption request cannot end the tree
  // under it.
  if (!tree || tree->busy) return FALSE;
  ForgetTree(tree);
  FreeRecordTree(tree);
  return TRUE;
}

HWND hWnd(uint32_t handle) {
  RecordTree* tree = Usable(handle);
  return tree ? tree->tree : nullptr;
}

BOOL Find(uint32_t handle, const char* pattern) {
  RecordTree* tree = Usable(handle);
  if (!tree) return FALSE;
  HTREEITEM item = FindFirst(*tree, pattern);
  if (!item) return FALSE;
  SelectItem(*tree, item);
  return TRUE;
}

long Index(uint32_t handle, long first, long second, long third, long fourth) {
  RecordTree* tree = Usable(handle);
  const long values[kMaxKeys] = {first, second, third, fourth};
  return tree ? RecordOfIds(*tree, values) : 0;
}

long FindAll(uint32_t handle, const char* pattern) {
  RecordTree* tree = Usable(handle);
  return tree ? FindEvery(*tree, pattern) : 0;
}

long FindNext(uint32_t handle, long index) {
  RecordTree* tree = Usable(handle);
  if (!tree || tree->foundCount == 0) return 0;
  if (index < 0 || index >= tree->foundCount) index = 0;
  SelectItem(*tree, FoundAt(*tree, index));
  return index + 1 < tree->foundCount ? index + 1 : 0;
}

long Drag(uint32_t handle, LPARAM param) {
  RecordTree* tree = Usable(handle);
  return tree ? DragStep(*tree, param) : 0;
}

// The export's work on the thread of the tree's owner, 0 when the handle
// names no live tree. The work looks the tree up again there: a handler
// may have closed it meanwhile. A tree whose owner is gone has no window
// left, and its work (Close freeing it) runs here.
template <class Work>
auto OnTreeThread(uint32_t handle, Work work) -> decltype(work()) {
  HWND owner = LiveTreeOwner(handle);
  if (!owner) return {};
  return OnThreadOf(owner, work);
}

}  // namespace

// Each export runs on the thread of the tree's owner, the one that runs
// the tree's window procedure: a script body on a thread of its own waits
// while its call runs there.
KORVEX_EXPORT uint32_t WINAPI CADDEL_Load(HWND owner) {
  if (!IsWindow(owner)) return 0;
  return OnThreadOf(owner, [owner] { return Load(owner); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Show(uint32_t handle, uint32_t base, const char* text) {
  return OnTreeThread(handle, [=] { return Show(handle, base, text); });
}

KORVEX_EXPORT long WINAPI CADDEL_Selected(uint32_t handle) {
  return OnTreeThread(handle, [=] { return Selected(handle); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Append(uint32_t handle, long record) {
  return OnTreeThread(handle, [=] { return Append(handle, record); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Edit(uint32_t handle, long record) {
  return OnTreeThread(handle, [=] { return Edit(handle, record); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Delete(uint32_t handle, long record) {
  return OnTreeThread(handle, [=] { return Delete(handle, record); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Close(uint32_t handle) {
  return OnTreeThread(handle, [=] { return Close(handle); });
}

KORVEX_EXPORT HWND WINAPI CADDEL_hWnd(uint32_t handle) {
  return OnTreeThread(handle, [=] { return hWnd(handle); });
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Find(uint32_t handle, const char* pattern) {
  return OnTreeThread(handle, [=] { return Find(handle, pattern); });
}

KORVEX_EXPORT long WINAPI CADDEL_Index(uint32_t handle, long first, long second, long third, long fourth) {
  return OnTreeThread(handle, [=] { return Index(handle, first, second, third, fourth); });
}

KORVEX_EXPORT long WINAPI CADDEL_FindAll(uint32_t handle, const char* pattern) {
  return OnTreeThread(handle, [=] { return FindAll(handle, pattern); });
}

KORVEX_EXPORT long WINAPI CADDEL_FindNext(uint32_t handle, long index) {
  return OnTreeThread(handle, [=] { return FindNext(handle, index); });
}

KORVEX_EXPORT long WINAPI CADDEL_Drag(uint32_t handle, LPARAM param) {
  return OnTreeThread(handle, [=] { return Drag(handle, param); });
}
