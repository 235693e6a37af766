// Searching a record tree: captions against a wildcard pattern, depth
// first (each node before its children, children before the next
// sibling), and nodes by their ID values.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "record_tree.h"

// Calls visit(item) for each node depth first until it returns false.
template <class Visit>
void WalkDepthFirst(HWND tree, HTREEITEM from, Visit visit);

// Calls visit(item) for the node and every node below it.
template <class Visit>
void WalkSubtree(HWND tree, HTREEITEM top, Visit visit);

// The first node whose caption matches (null pattern or empty: none);
// null when none.
HTREEITEM FindFirst(const RecordTree& tree, const char* pattern);
// Empties the found list and fills it with every matching node; its count.
long FindEvery(RecordTree& tree, const char* pattern);
// The record of the first node whose first key-count ID values are the low
// 16 bits of values; 0 when none.
long RecordOfIds(const RecordTree& tree, const long* values);

template <class Visit>
void WalkDepthFirst(HWND tree, HTREEITEM item, Visit visit) {
  // Down to the first child, else on to the next sibling of the node or of
  // its nearest ancestor that has one.
  while (item) {
    if (!visit(item)) return;
    HTREEITEM next = NextItem(tree, TVGN_CHILD, item);
    while (!next && item) {
      next = NextItem(tree, TVGN_NEXT, item);
      if (!next) item = NextItem(tree, TVGN_PARENT, item);
    }
    item = next;
  }
}

template <class Visit>
void WalkSubtree(HWND tree, HTREEITEM top, Visit visit) {
  std::vector<HTREEITEM> pending{top};
  while (!pending.empty()) {
    HTREEITEM item = pending.back();
    pending.pop_back();
    visit(item);
    for (HTREEITEM child = NextItem(tree, TVGN_CHILD, item); child; child = NextItem(tree, TVGN_NEXT, child))
      pending.push_back(child);
  }
}
