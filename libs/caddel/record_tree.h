// One record tree (CADDEL_Load): the tree view inside the script's window,
// the record set it shows, the key fields and caption command that Show
// set, the node index and the found list. The script's handle pClass is
// its address.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "record_set_object.h"
#include "tree_index.h"

// Captions are asked into one buffer per tree: MCOPY in a handler writes
// the whole text it is given, so the buffer is far larger than a caption
// kept (127 characters and the zero).
const unsigned kCaptionBuffer = 64 * 1024;
const unsigned kCaptionKept = 128;

struct RecordTree {
  RecordSetObject* records = nullptr;  // not owned
  int image[3] = {};                   // bitmaps 102, 103, 104
  UINT event = 0;                      // caption command (0: none)
  bool dragging = false;
  bool sorted = false;
  uint16_t keyCount = 0;
  uint16_t idField[kMaxKeys] = {};
  uint16_t ownField[kMaxKeys] = {};
  HGLOBAL found = nullptr;  // movable: HTREEITEM per found node
  long foundCount = 0;
  HWND tree = nullptr;
  HWND owner = nullptr;
  HIMAGELIST images = nullptr;
  char* caption = nullptr;  // kCaptionBuffer bytes
  // Caption requests and fills under way: a handler they run may not close
  // the tree or fill it again.
  int busy = 0;
  TreeIndex nodes;
};

// The tree view inside owner (covering its client area) with its image
// list; null when a part cannot be made. Call on owner's thread.
RecordTree* MakeRecordTree(HWND owner);
// Ends a drag, destroys the window and the image list and frees the nodes,
// the found list and the tree.
void FreeRecordTree(RecordTree* tree);

// The tree view is still there.
bool HasWindow(const RecordTree& tree);

// Tree view calls used across the library.
HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item);
// The node of an item of this tree, or null.
TreeNode* NodeOf(const RecordTree& tree, HTREEITEM item);
void SelectItem(const RecordTree& tree, HTREEITEM item);
// The record number of the selected node, 0 when none.
long SelectedRecord(const RecordTree& tree);
