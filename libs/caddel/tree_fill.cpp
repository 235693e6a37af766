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

struct Placement {
  TreeNode* parent;
  HTREEITEM after;
  bool marked;  // shown as having children
};

Placement Place(const RecordTree& tree, const uint16_t* own) {
  if (tree.nodes.Empty()) return {nullptr, TVI_FIRST, true};
  if (own[0] == 0) return {nullptr, tree.sorted ? TVI_SORT : TVI_LAST, true};
  return {tree.nodes.FirstWithIds(own), TVI_LAST, false};
}

HTREEITEM Insert(RecordTree& tree, const Placement& place, TreeNode* node) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = place.parent ? place.parent->item : TVI_ROOT;
  insert.hInsertAfter = place.after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  if (place.marked) insert.item.mask |= TVIF_CHILDREN;
  insert.item.pszText = tree.caption;
  insert.item.iImage = tree.image[1];
  insert.item.iSelectedImage = tree.image[2];
  insert.item.cChildren = place.marked ? 1 : 0;
  insert.item.lParam = reinterpret_cast<LPARAM>(node->data);
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The inserted node in the index; a sorted one after the node the tree
// view put before it.
void Remember(RecordTree& tree, const Placement& place, TreeNode* node) {
  if (place.parent) {
    tree.nodes.AddChild(place.parent, node);
  } else if (place.after == TVI_FIRST) {
    tree.nodes.AddTopFirst(node);
  } else if (place.after == TVI_SORT) {
    tree.nodes.AddTopAfter(NodeOf(tree, NextItem(tree.tree, TVGN_PREVIOUS, node->item)), node);
  } else {
    tree.nodes.AddTopLast(node);
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
  Placement place = Place(tree, own);
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
  for (long i = 1; i <= count; ++i) {
    PBPOSITION(dialog, i, count);
    // The dialog's pump may have run a handler that took the window.
    if (!IsWindow(tree.tree)) break;
    if (AddRecordNode(tree, i) == AddResult::kFailed) break;
  }
  PBCLOSE(dialog);
  --tree.busy;
  return IsWindow(tree.tree) != 0;
}
