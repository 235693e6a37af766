// The found list of a record tree: a movable global block of tree items
// (256 bytes at first, growing by 256) and its count.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <unordered_set>

#include "record_tree.h"

// Appends an item; false when the block cannot grow.
bool AddFound(RecordTree& tree, HTREEITEM item);
// Found item i (0-based, below the count).
HTREEITEM FoundAt(const RecordTree& tree, long i);
// Drops the items given (nodes that went), keeping the others' order.
void DropFound(RecordTree& tree, const std::unordered_set<HTREEITEM>& gone);
