#include "tree_nodes.h"

#include <utility>

#include "tree_order.h"

namespace {

// Gap between neighbouring top-level orders, so that a node sorted in
// between mostly finds a free number without renumbering.
const int64_t kTopGap = int64_t{1} << 20;
const size_t kKeys = 0x10000;

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

uint32_t ItemParam(HWND tree, HTREEITEM item) {
  TVITEMA data = {};
  data.mask = TVIF_HANDLE | TVIF_PARAM;
  data.hItem = item;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return static_cast<uint32_t>(data.lParam);
}

}  // namespace

TreeNodes::TreeNodes() : firstById_(kKeys), firstByRecord_(kKeys) {}

void TreeNodes::Load(HWND tree) {
  // Depth first: a node, then its children, then its next sibling. Each
  // node met comes after every one met before it.
  loading_ = true;
  std::vector<std::pair<HTREEITEM, Node*>> pending{{NextItem(tree, TVGN_ROOT, nullptr), nullptr}};
  while (!pending.empty()) {
    std::pair<HTREEITEM, Node*> at = pending.back();
    pending.pop_back();
    if (!at.first) continue;
    uint32_t param = ItemParam(tree, at.first);
    Node* node = at.second ? AddChild(at.second, at.first, param) : AddTopLast(at.first, param);
    pending.emplace_back(NextItem(tree, TVGN_NEXT, at.first), at.second);
    pending.emplace_back(NextItem(tree, TVGN_CHILD, at.first), node);
  }
  loading_ = false;
}

TreeNodes::Node* TreeNodes::Make(Node* parent, HTREEITEM item, uint32_t param, int64_t order) {
  nodes_.push_back(Node{item, param, parent, nullptr, nullptr, order, 0,
                        parent ? parent->depth + 1 : 0});
  return &nodes_.back();
}

TreeNodes::Node* TreeNodes::AddChild(Node* parent, HTREEITEM item, uint32_t param) {
  Node* node = Make(parent, item, param, parent->children++);
  Offer(node);
  return node;
}

TreeNodes::Node* TreeNodes::AddTopFirst(HTREEITEM item, uint32_t param) {
  Node* node = Make(nullptr, item, param, firstTop_ ? firstTop_->order - kTopGap : 0);
  LinkTop(node, nullptr);
  return node;
}

TreeNodes::Node* TreeNodes::AddTopLast(HTREEITEM item, uint32_t param) {
  Node* node = Make(nullptr, item, param, lastTop_ ? lastTop_->order + kTopGap : 0);
  LinkTop(node, lastTop_);
  return node;
}

TreeNodes::Node* TreeNodes::AddTopAfter(HTREEITEM previous, HTREEITEM item, uint32_t param) {
  if (!previous) return AddTopFirst(item, param);
  auto found = top_.find(previous);
  // An item unknown here was not inserted by a fill: the tree view's order
  // is kept for the ones known.
  if (found == top_.end() || found->second == lastTop_) return AddTopLast(item, param);
  Node* before = found->second;
  if (before->next->order - before->order < 2) RenumberTop();
  Node* node = Make(nullptr, item, param,
                    before->order + (before->next->order - before->order) / 2);
  LinkTop(node, before);
  return node;
}

void TreeNodes::LinkTop(Node* node, Node* previous) {
  top_.emplace(node->item, node);
  node->previous = previous;
  node->next = previous ? previous->next : firstTop_;
  (previous ? previous->next : firstTop_) = node;
  (node->next ? node->next->previous : lastTop_) = node;
  Offer(node);
}

void TreeNodes::RenumberTop() {
  int64_t order = 0;
  for (Node* node = firstTop_; node; node = node->next, order += kTopGap) node->order = order;
}

void TreeNodes::Offer(Node* node) {
  uint16_t id = static_cast<uint16_t>(node->param);
  uint16_t record = static_cast<uint16_t>(node->param >> 16);
  Node*& byId = firstById_[id];
  if (id != 0 && (!byId || (!loading_ && TreeOrderBefore(node, byId)))) byId = node;
  Node*& byRecord = firstByRecord_[record];
  if (!byRecord || (!loading_ && TreeOrderBefore(node, byRecord))) byRecord = node;
}
