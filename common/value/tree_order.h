// Depth-first order of two nodes of a tree kept beside a tree view. A node
// type gives parent, depth (0 at the top) and order (ascending among
// siblings).
#pragma once

// True when a comes before b depth first.
template <class Node>
bool TreeOrderBefore(const Node* a, const Node* b) {
  if (a == b) return false;
  // An ancestor comes before its descendants; otherwise the order of the
  // two ancestors that are siblings decides.
  while (a->depth > b->depth) {
    a = a->parent;
    if (a == b) return false;
  }
  while (b->depth > a->depth) {
    b = b->parent;
    if (b == a) return true;
  }
  while (a->parent != b->parent) {
    a = a->parent;
    b = b->parent;
  }
  return a->order < b->order;
}
