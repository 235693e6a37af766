// The nodes of a record tree as the library keeps them beside the tree
// view: each node's data block (the item parameter), and look-ups of the
// first node in depth-first order (each node before its children, children
// before the next sibling) with given ID values or a given record number,
// so that a fill finds each record's parent without walking the tree view.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

const int kMaxKeys = 4;

struct TreeNode {
  // The node data block the item parameter points to: the record number,
  // then the ID values (one per key field, 16 bits each), zeros after.
  uint32_t data[5];
  HTREEITEM item;
  TreeNode* parent;
  TreeNode* previous;  // siblings in the tree's order
  TreeNode* next;
  TreeNode* firstChild;
  TreeNode* lastChild;
  int64_t order;       // ascending among siblings
  int64_t nextChild;   // the order of the next child appended
  uint32_t depth;
  std::string caption;
  // A top-level node's caption as a sort key, made when first needed.
  bool keyed;
  std::string sortKey;
};

class TreeIndex {
 public:
  TreeIndex() = default;
  ~TreeIndex() { Clear(); }
  TreeIndex(const TreeIndex&) = delete;
  TreeIndex& operator=(const TreeIndex&) = delete;

  // A new node with zeroed data and the record number and ID values (count
  // of them); not yet placed. Null when there is no memory.
  static TreeNode* Make(long record, const uint16_t* ids, int count);
  static void Discard(TreeNode* node) { delete node; }

  // Records a placed node (its item set): the last child of parent, the
  // first or last top-level node, or the top-level node after `previous`
  // (null: the first).
  void AddChild(TreeNode* parent, TreeNode* node);
  void AddTopFirst(TreeNode* node);
  void AddTopLast(TreeNode* node);
  void AddTopAfter(TreeNode* previous, TreeNode* node);

  // The first node depth first with these ID values (the first `count`
  // data words after the record number), or with this record; null if none.
  TreeNode* FirstWithIds(const uint16_t* ids) const;
  TreeNode* FirstWithRecord(long record) const;

  // The node whose data block an item parameter points to, when it is one
  // of this tree's; null otherwise.
  TreeNode* FromParam(LPARAM param) const;

  // Calls visit(node) for each node depth first until it returns false.
  template <class Visit>
  void WalkDepthFirst(Visit visit) const;

  // The node and every node below it, each before its children.
  static std::vector<TreeNode*> Subtree(TreeNode* top);
  // Forgets the node and frees it (its children are removed before it).
  void Remove(TreeNode* node);
  // Keys of the ID look-up: the first `count` ID values of each node.
  void SetKeyCount(int count);
  // Frees every node.
  void Clear();
  bool Empty() const { return live_.empty(); }
  TreeNode* FirstTop() const { return firstTop_; }

 private:
  uint64_t KeyOf(const uint32_t* data) const;
  void Index(TreeNode* node);
  void LinkTop(TreeNode* node, TreeNode* previous);
  void RenumberTop();
  static TreeNode* First(const std::vector<TreeNode*>& nodes);
  static void Drop(std::vector<TreeNode*>& nodes, TreeNode* node);

  int keyCount_ = 0;
  std::unordered_set<TreeNode*> live_;
  std::unordered_map<uint64_t, std::vector<TreeNode*>> byIds_;
  std::unordered_map<long, std::vector<TreeNode*>> byRecord_;
  TreeNode* firstTop_ = nullptr;
  TreeNode* lastTop_ = nullptr;
};

template <class Visit>
void TreeIndex::WalkDepthFirst(Visit visit) const {
  // Down to the first child, else on to the next sibling of the node or of
  // its nearest ancestor that has one.
  TreeNode* node = firstTop_;
  while (node) {
    if (!visit(node)) return;
    if (node->firstChild) {
      node = node->firstChild;
      continue;
    }
    while (node && !node->next) node = node->parent;
    if (node) node = node->next;
  }
}
