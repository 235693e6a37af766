#include "tree_index.h"

#include <algorithm>
#include <new>

#include "tree_order.h"

namespace {

// Gap between neighbouring top-level orders, so that a node sorted in
// between mostly finds a free number without renumbering.
const int64_t kTopGap = int64_t{1} << 20;

}  // namespace

TreeNode* TreeIndex::Make(long record, const uint16_t* ids, int count) {
  TreeNode* node = new (std::nothrow) TreeNode{};
  if (!node) return nullptr;
  node->data[0] = static_cast<uint32_t>(record);
  for (int i = 0; i < count && i < kMaxKeys; ++i) node->data[1 + i] = ids[i];
  return node;
}

void TreeIndex::AddChild(TreeNode* parent, TreeNode* node) {
  node->parent = parent;
  node->depth = parent->depth + 1;
  node->order = parent->nextChild++;
  node->previous = parent->lastChild;
  (parent->lastChild ? parent->lastChild->next : parent->firstChild) = node;
  parent->lastChild = node;
  Index(node);
}

void TreeIndex::AddTopFirst(TreeNode* node) {
  node->order = firstTop_ ? firstTop_->order - kTopGap : 0;
  LinkTop(node, nullptr);
}

void TreeIndex::AddTopLast(TreeNode* node) {
  node->order = lastTop_ ? lastTop_->order + kTopGap : 0;
  LinkTop(node, lastTop_);
}

void TreeIndex::AddTopAfter(TreeNode* previous, TreeNode* node) {
  if (!previous || previous->parent || !live_.count(previous)) return AddTopFirst(node);
  if (previous == lastTop_) return AddTopLast(node);
  if (previous->next->order - previous->order < 2) RenumberTop();
  node->order = previous->order + (previous->next->order - previous->order) / 2;
  LinkTop(node, previous);
}

void TreeIndex::LinkTop(TreeNode* node, TreeNode* previous) {
  node->parent = nullptr;
  node->depth = 0;
  node->previous = previous;
  node->next = previous ? previous->next : firstTop_;
  (previous ? previous->next : firstTop_) = node;
  (node->next ? node->next->previous : lastTop_) = node;
  Index(node);
}

void TreeIndex::RenumberTop() {
  int64_t order = 0;
  for (TreeNode* node = firstTop_; node; node = node->next, order += kTopGap) node->order = order;
}

uint64_t TreeIndex::KeyOf(const uint32_t* data) const {
  uint64_t key = 0;
  for (int i = 0; i < keyCount_; ++i) key |= uint64_t{static_cast<uint16_t>(data[1 + i])} << (16 * i);
  return key;
}

void TreeIndex::Index(TreeNode* node) {
  live_.insert(node);
  byIds_[KeyOf(node->data)].push_back(node);
  byRecord_[static_cast<long>(node->data[0])].push_back(node);
}

TreeNode* TreeIndex::First(const std::vector<TreeNode*>& nodes) {
  TreeNode* first = nullptr;
  for (TreeNode* node : nodes)
    if (!first || TreeOrderBefore(node, first)) first = node;
  return first;
}

TreeNode* TreeIndex::FirstWithIds(const uint16_t* ids) const {
  uint32_t data[5] = {};
  for (int i = 0; i < keyCount_; ++i) data[1 + i] = ids[i];
  auto found = byIds_.find(KeyOf(data));
  return found == byIds_.end() ? nullptr : First(found->second);
}

TreeNode* TreeIndex::FirstWithRecord(long record) const {
  auto found = byRecord_.find(record);
  return found == byRecord_.end() ? nullptr : First(found->second);
}

TreeNode* TreeIndex::FromParam(LPARAM param) const {
  // The data block is the node's first member.
  TreeNode* node = reinterpret_cast<TreeNode*>(param);
  return live_.count(node) ? node : nullptr;
}

void TreeIndex::Drop(std::vector<TreeNode*>& nodes, TreeNode* node) {
  nodes.erase(std::remove(nodes.begin(), nodes.end(), node), nodes.end());
}

void TreeIndex::Remove(TreeNode* node) {
  if (!live_.erase(node)) return;
  auto ids = byIds_.find(KeyOf(node->data));
  if (ids != byIds_.end()) {
    Drop(ids->second, node);
    if (ids->second.empty()) byIds_.erase(ids);
  }
  auto records = byRecord_.find(static_cast<long>(node->data[0]));
  if (records != byRecord_.end()) {
    Drop(records->second, node);
    if (records->second.empty()) byRecord_.erase(records);
  }
  TreeNode*& first = node->parent ? node->parent->firstChild : firstTop_;
  TreeNode*& last = node->parent ? node->parent->lastChild : lastTop_;
  (node->previous ? node->previous->next : first) = node->next;
  (node->next ? node->next->previous : last) = node->previous;
  delete node;
}

std::vector<TreeNode*> TreeIndex::Subtree(TreeNode* top) {
  std::vector<TreeNode*> nodes{top};
  for (size_t i = 0; i < nodes.size(); ++i)
    for (TreeNode* child = nodes[i]->firstChild; child; child = child->next) nodes.push_back(child);
  return nodes;
}

void TreeIndex::SetKeyCount(int count) {
  if (count == keyCount_) return;
  keyCount_ = count;
  byIds_.clear();
  for (TreeNode* node : live_) byIds_[KeyOf(node->data)].push_back(node);
}

void TreeIndex::Clear() {
  for (TreeNode* node : live_) delete node;
  live_.clear();
  byIds_.clear();
  byRecord_.clear();
  firstTop_ = lastTop_ = nullptr;
}
