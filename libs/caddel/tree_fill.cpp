#include "tree_fill.h"

#include <cstdlib>
#include <cstring>

#include "blank_helpers.h"
#include "nimbet.h"

namespace {

const int kFieldText = 16;

// A key field of the current record: its text without blanks as a number,
// 16 bits kept.
uint16_t FieldValue(RecordSetObject& records, uint16_t field) {
  char text[kFieldText] = {};
  records.GetFieldText(field, text, sizeof text);
  text[sizeof text - 1] = '\0';
  RemoveBlanks(text, sizeof text);
  return static_cast<uint16_t>(std::atol(text));
}

enum class Where { kFirst, kChild, kLast, kSorted };

struct Placement {
  Where where;
  TreeNode* parent;  // kChild
  TreeNode* before;  // kSorted: the top-level node it goes before (null: last)
  bool marked;       // shown as having children
};

// The key that orders captions as the tree view's own sorted insert does
// (lstrcmpiA): compared as bytes, so that finding a place costs no locale
// comparison per top-level node.
std::string SortKey(const char* caption) {
  int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, caption, -1, nullptr, 0);
  std::string key(size > 0 ? size : 0, '\0');
  if (size > 0)
    LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, caption, -1, &key[0], size);
  return key;
}

const std::string& KeyOf(TreeNode* node) {
  if (!node->keyed) {
    node->sortKey = SortKey(node->caption.c_str());
    node->keyed = true;
  }
  return node->sortKey;
}

// With SORT a top-level node goes before the first top-level node whose
// caption sorts after its own, else last.
Placement Place(const RecordTree& tree, const uint16_t* own, TreeNode* node) {
  if (tree.nodes.Empty()) return {Where::kFirst, nullptr, nullptr, true};
  if (own[0] != 0) {
    TreeNode* parent = tree.nodes.FirstWithIds(own);
    return {parent ? Where::kChild : Where::kLast, parent, nullptr, false};
  }
  if (!tree.sorted) return {Where::kLast, nullptr, nullptr, true};
  node->sortKey = SortKey(tree.caption);
  node->keyed = true;
  TreeNode* before = tree.nodes.FirstTop();
  while (before && KeyOf(before).compare(node->sortKey) <= 0) before = before->next;
  return {Where::kSorted, nullptr, before, true};
}

HTREEITEM Insert(RecordTree& tree, const Placement& place, TreeNode* node) {
  bool marked = place.marked;
  TVINSERTSTRUCTA insert = {};
  insert.hParent = place.parent ? place.parent->item : TVI_ROOT;
  switch (place.where) {
    case Where::kFirst: insert.hInsertAfter = TVI_FIRST; break;
    case Where::kSorted:
      insert.hInsertAfter = !place.before ? TVI_LAST
                            : place.before->previous ? place.before->previous->item
                                                        : TVI_FIRST;
      break;
    default: insert.hInsertAfter = TVI_LAST; break;
  }
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  if (marked) insert.item.mask |= TVIF_CHILDREN;
  insert.item.pszText = tree.caption;
  insert.item.iImage = tree.image[1];
  insert.item.iSelectedImage = tree.image[2];
  insert.item.cChildren = marked ? 1 : 0;
  insert.item.lParam = reinterpret_cast<LPARAM>(node->data);
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The inserted node in the index, where the tree view put it.
void Remember(RecordTree& tree, const Placement& place, TreeNode* node) {
  switch (place.where) {
    case Where::kFirst: tree.nodes.AddTopFirst(node); break;
    case Where::kChild: tree.nodes.AddChild(place.parent, node); break;
    case Where::kLast: tree.nodes.AddTopLast(node); break;
    case Where::kSorted:
      if (place.before)
        tree.nodes.AddTopAfter(place.before->previous, node);
      else
        tree.nodes.AddTopLast(node);
      break;
  }
}

}  // namespace

bool AskCaption(RecordTree& tree) {
  if (tree.event == 0) return false;
  std::memset(tree.caption, 0, kCaptionKept);
  ++tree.busy;
  SendMessageA(tree.owner, WM_COMMAND, tree.event, reinterpret_cast<LPARAM>(tree.caption));
  --tree.busy;
  tree.caption[kCaptionKept - 1] = '\0';
  return IsWindow(tree.tree) != 0;
}

AddResult AddRecordNode(RecordTree& tree, long record) {
  RecordSetObject& records = *tree.records;
  if (!records.GoToRecord(record)) return AddResult::kFailed;
  if (records.IsDeleted()) return AddResult::kSkipped;
  uint16_t own[kMaxKeys] = {}, ids[kMaxKeys] = {};
  for (int i = 0; i < tree.keyCount; ++i) own[i] = FieldValue(records, tree.ownField[i]);
  for (int i = 0; i < tree.keyCount; ++i) ids[i] = FieldValue(records, tree.idField[i]);
  if (!AskCaption(tree)) return AddResult::kFailed;

  // Placed after the request: its handler may have changed the tree.
  TreeNode* node = TreeIndex::Make(record, ids, tree.keyCount);
  if (!node) return AddResult::kFailed;
  node->caption = tree.caption;
  Placement place = Place(tree, own, node);
  node->item = Insert(tree, place, node);
  if (!node->item) {
    TreeIndex::Discard(node);
    return AddResult::kFailed;
  }
  Remember(tree, place, node);
  return AddResult::kAdded;
}

bool FillTree(RecordTree& tree) {
  long count = tree.records->RecordCount();
  if (count <= 0) return true;
  ++tree.busy;
  HWND dialog = PBOPEN(tree.tree, "ЧТЕНИЕ");
  // A visible tree view updates its scroll bars and repaints for every
  // top-level node inserted: that is done once, at the end.
  SendMessageA(tree.tree, WM_SETREDRAW, FALSE, 0);
  for (long i = 1; i <= count; ++i) {
    PBPOSITION(dialog, i, count);
    // The dialog's pump may have run a handler that took the window.
    if (!IsWindow(tree.tree)) break;
    if (AddRecordNode(tree, i) == AddResult::kFailed) break;
  }
  if (IsWindow(tree.tree)) {
    SendMessageA(tree.tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree.tree, nullptr, TRUE);
  }
  PBCLOSE(dialog);
  --tree.busy;
  return IsWindow(tree.tree) != 0;
}
