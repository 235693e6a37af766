// The nodes of the tree control's tree view as a fill sees them, kept
// beside it so that each record's parent (the first node in depth-first
// order with a given ID) and the current record's node are look-ups, not
// walks over the tree view's messages for every record.
//
// Item parameter of a node: record number in the high 16 bits, the
// record's ID value in the low 16 bits.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

class TreeNodes {
 public:
  struct Node {
    HTREEITEM item;
    uint32_t param;
    Node* parent;
    Node* previous;  // neighbours of a top-level node in the tree view's order
    Node* next;
    int64_t order;     // ascending among siblings
    int64_t children;  // the order of the next child appended
    uint32_t depth;
  };

  // Memory is taken as it is needed: std::bad_alloc when there is none.
  TreeNodes();

  // Takes in the nodes that the tree view holds already, depth first.
  void Load(HWND tree);

  // The first node in depth-first order with the ID value (0 is never
  // looked for: a record with OWN 0 is a top-level node) or record number;
  // null when none.
  Node* FirstWithId(uint16_t id) const { return firstById_[id]; }
  Node* FirstWithRecord(uint16_t record) const { return firstByRecord_[record]; }

  // Records a node inserted as the last child of parent, as the first or
  // last top-level node, or as the top-level node after `previous` (a
  // tree item; null: the first).
  Node* AddChild(Node* parent, HTREEITEM item, uint32_t param);
  Node* AddTopFirst(HTREEITEM item, uint32_t param);
  Node* AddTopLast(HTREEITEM item, uint32_t param);
  Node* AddTopAfter(HTREEITEM previous, HTREEITEM item, uint32_t param);

 private:
  Node* Make(Node* parent, HTREEITEM item, uint32_t param, int64_t order);
  void LinkTop(Node* node, Node* previous);
  void RenumberTop();
  // Makes the node the first of its ID and record when it comes before
  // the one found so far.
  void Offer(Node* node);

  std::deque<Node> nodes_;
  std::vector<Node*> firstById_;
  std::vector<Node*> firstByRecord_;
  std::unordered_map<HTREEITEM, Node*> top_;
  Node* firstTop_ = nullptr;
  Node* lastTop_ = nullptr;
  bool loading_ = false;
};
