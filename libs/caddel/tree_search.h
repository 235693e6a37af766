// Searching a record tree: captions against a wildcard pattern, depth
// first (each node before its children, children before the next
// sibling), and nodes by their ID values. The walks go over the library's
// own nodes, not over the tree view's messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "record_tree.h"

// The first node whose caption matches (null pattern or empty: none);
// null when none.
HTREEITEM FindFirst(const RecordTree& tree, const char* pattern);
// Empties the found list and fills it with every matching node; its count.
long FindEvery(RecordTree& tree, const char* pattern);
// The record of the first node whose first key-count ID values are the low
// 16 bits of values; 0 when none.
long RecordOfIds(const RecordTree& tree, const long* values);
