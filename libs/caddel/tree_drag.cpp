#include "tree_drag.h"

namespace {

// The whole record is there to read (a script's PARAM can be any number).
bool Readable(const void* address, SIZE_T size) {
  const char* at = static_cast<const char*>(address);
  const char* end = at + size;
  while (at < end) {
    MEMORY_BASIC_INFORMATION info = {};
    if (!VirtualQuery(at, &info, sizeof info) || info.State != MEM_COMMIT ||
        (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
        !(info.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                          PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)))
      return false;
    at = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
  }
  return true;
}

long Begin(RecordTree& tree, LPARAM param) {
  const NMTREEVIEWA* notice = reinterpret_cast<const NMTREEVIEWA*>(param);
  if (!param || !Readable(notice, sizeof *notice)) return 0;
  if (notice->hdr.hwndFrom != tree.tree ||
      (notice->hdr.code != TVN_BEGINDRAGA && notice->hdr.code != TVN_BEGINDRAGW))
    return 0;
  HTREEITEM item = notice->itemNew.hItem;
  TreeNode* node = NodeOf(tree, item);
  if (!node) return 0;
  HIMAGELIST image = reinterpret_cast<HIMAGELIST>(
      SendMessageA(tree.tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item)));
  // The drag keeps a copy of the image. A tree view may give an empty
  // image list (this Wine's does): the node's own image is dragged then.
  BOOL begun = image && ImageList_GetImageCount(image) > 0
                   ? ImageList_BeginDrag(image, 0, 0, 0)
                   : ImageList_BeginDrag(tree.images, tree.image[1], 0, 0);
  if (image) ImageList_Destroy(image);
  if (!begun) return 0;
  ImageList_DragEnter(tree.tree, 0, 0);
  ShowCursor(FALSE);
  SetCapture(tree.owner);
  tree.dragging = true;
  return static_cast<long>(node->data[0]);
}

void Move(RecordTree& tree, LPARAM param) {
  POINT at = {static_cast<short>(LOWORD(param)), static_cast<short>(HIWORD(param))};
  ImageList_DragMove(at.x, at.y);
  TVHITTESTINFO hit = {};
  hit.pt = at;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!item) return;
  // The image is hidden while the tree repaints under it.
  ImageList_DragShowNolock(FALSE);
  SelectItem(tree, item);
  ImageList_DragShowNolock(TRUE);
}

}  // namespace

void EndTreeDrag(RecordTree& tree) {
  ImageList_DragLeave(tree.tree);
  ImageList_EndDrag();
  if (GetCapture() == tree.owner) ReleaseCapture();
  ShowCursor(TRUE);
  tree.dragging = false;
}

long DragStep(RecordTree& tree, LPARAM param) {
  if (!tree.dragging) return Begin(tree, param);
  if (param) {
    Move(tree, param);
    return 0;
  }
  EndTreeDrag(tree);
  return SelectedRecord(tree);
}
