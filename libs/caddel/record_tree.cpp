#include "record_tree.h"

#include <new>

#include "caddel_ids.h"
#include "library_frame.h"
#include "tree_drag.h"

namespace {

// Child, visible, border, buttons, lines, lines at the root, selection
// always shown.
const DWORD kTreeStyle = 0x50800027;
const int kImageSize = 16;
const COLORREF kMaskColour = RGB(255, 0, 255);
const SIZE_T kFoundStart = 256;

HIMAGELIST MakeImages(int (&image)[3]) {
  HIMAGELIST images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 3, 0);
  if (!images) return nullptr;
  const int bitmaps[3] = {CADDEL_BITMAP_RECORD_SET, CADDEL_BITMAP_NODE, CADDEL_BITMAP_NODE_OPEN};
  for (int i = 0; i < 3; ++i) {
    HBITMAP bitmap = LoadBitmapA(hInst, MAKEINTRESOURCEA(bitmaps[i]));
    image[i] = bitmap ? ImageList_AddMasked(images, bitmap, kMaskColour) : -1;
    if (bitmap) DeleteObject(bitmap);
    if (image[i] < 0) {
      ImageList_Destroy(images);
      return nullptr;
    }
  }
  return images;
}

}  // namespace

RecordTree* MakeRecordTree(HWND owner) {
  RecordTree* tree = new (std::nothrow) RecordTree;
  if (!tree) return nullptr;
  tree->owner = owner;
  tree->caption = new (std::nothrow) char[kCaptionBuffer];
  tree->found = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kFoundStart);
  tree->images = MakeImages(tree->image);
  RECT client = {};
  GetClientRect(owner, &client);
  if (tree->caption && tree->found && tree->images)
    tree->tree = CreateWindowExA(0, WC_TREEVIEWA, "", kTreeStyle, 0, 0, client.right, client.bottom,
                                 owner, nullptr, hInst, nullptr);
  if (!tree->tree) {
    FreeRecordTree(tree);
    return nullptr;
  }
  SendMessageA(tree->tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(tree->images));
  return tree;
}

void FreeRecordTree(RecordTree* tree) {
  if (tree->dragging) EndTreeDrag(*tree);
  if (HasWindow(*tree)) DestroyWindow(tree->tree);
  if (tree->images) ImageList_Destroy(tree->images);
  tree->nodes.Clear();
  if (tree->found) GlobalFree(tree->found);
  delete[] tree->caption;
  delete tree;
}

bool HasWindow(const RecordTree& tree) {
  if (!tree.tree || !IsWindow(tree.tree)) return false;
  // A handle reused by another window after ours went.
  char kind[32] = "";
  GetClassNameA(tree.tree, kind, sizeof kind);
  return lstrcmpiA(kind, WC_TREEVIEWA) == 0 && GetParent(tree.tree) == tree.owner;
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

TreeNode* NodeOf(const RecordTree& tree, HTREEITEM item) {
  if (!item) return nullptr;
  TVITEMA data = {};
  data.mask = TVIF_HANDLE | TVIF_PARAM;
  data.hItem = item;
  if (!SendMessageA(tree.tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  return tree.nodes.FromParam(data.lParam);
}

void SelectItem(const RecordTree& tree, HTREEITEM item) {
  SendMessageA(tree.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

long SelectedRecord(const RecordTree& tree) {
  TreeNode* node = NodeOf(tree, NextItem(tree.tree, TVGN_CARET, nullptr));
  return node ? static_cast<long>(node->data[0]) : 0;
}
