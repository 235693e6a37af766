// CADDEL's exports: a tree view in a script window filled from a record set
// by its key fields. Every handle is looked up among the live trees first;
// failures give 0 or FALSE and show nothing.
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

}  // namespace

KORVEX_EXPORT uint32_t WINAPI CADDEL_Load(HWND owner) {
  // The tree's window procedure runs on the owner's thread; another thread
  // would wait on it for every call.
  if (!IsWindow(owner) || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) return 0;
  RecordTree* tree = MakeRecordTree(owner);
  if (!tree) return 0;
  if (!RememberTree(tree)) {
    FreeRecordTree(tree);
    return 0;
  }
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(tree));
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Show(uint32_t handle, uint32_t base, const char* text) {
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

KORVEX_EXPORT long WINAPI CADDEL_Selected(uint32_t handle) {
  RecordTree* tree = Usable(handle);
  return tree ? SelectedRecord(*tree) : 0;
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Append(uint32_t handle, long record) {
  RecordTree* tree = Usable(handle);
  if (!tree || !InRange(*tree, record)) return FALSE;
  return AddRecordNode(*tree, record) != AddResult::kFailed;
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Edit(uint32_t handle, long record) {
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

KORVEX_EXPORT BOOL WINAPI CADDEL_Delete(uint32_t handle, long record) {
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

KORVEX_EXPORT BOOL WINAPI CADDEL_Close(uint32_t handle) {
  RecordTree* tree = LiveTree(handle);
  // A handler run by a fill or a caption request cannot end the tree
  // under it.
  if (!tree || tree->busy) return FALSE;
  ForgetTree(tree);
  FreeRecordTree(tree);
  return TRUE;
}

KORVEX_EXPORT HWND WINAPI CADDEL_hWnd(uint32_t handle) {
  RecordTree* tree = Usable(handle);
  return tree ? tree->tree : nullptr;
}

KORVEX_EXPORT BOOL WINAPI CADDEL_Find(uint32_t handle, const char* pattern) {
  RecordTree* tree = Usable(handle);
  if (!tree) return FALSE;
  HTREEITEM item = FindFirst(*tree, pattern);
  if (!item) return FALSE;
  SelectItem(*tree, item);
  return TRUE;
}

KORVEX_EXPORT long WINAPI CADDEL_Index(uint32_t handle, long first, long second, long third, long fourth) {
  RecordTree* tree = Usable(handle);
  const long values[kMaxKeys] = {first, second, third, fourth};
  return tree ? RecordOfIds(*tree, values) : 0;
}

KORVEX_EXPORT long WINAPI CADDEL_FindAll(uint32_t handle, const char* pattern) {
  RecordTree* tree = Usable(handle);
  return tree ? FindEvery(*tree, pattern) : 0;
}

KORVEX_EXPORT long WINAPI CADDEL_FindNext(uint32_t handle, long index) {
  RecordTree* tree = Usable(handle);
  if (!tree || tree->foundCount == 0) return 0;
  if (index < 0 || index >= tree->foundCount) index = 0;
  SelectItem(*tree, FoundAt(*tree, index));
  return index + 1 < tree->foundCount ? index + 1 : 0;
}

KORVEX_EXPORT long WINAPI CADDEL_Drag(uint32_t handle, LPARAM param) {
  RecordTree* tree = Usable(handle);
  return tree ? DragStep(*tree, param) : 0;
}
