#include "tree_control.h"

#include <commctrl.h>

#include <new>

#include "frenna_ids.h"
#include "library_frame.h"
#include "record_text.h"
#include "tree_fill.h"

const char kTreeControlClass[] = "TREERS";

namespace {

const DWORD kTreeStyle = 0x50000027;  // child, visible, buttons, lines, lines at root, selection always shown
const int kImageSize = 16;
const COLORREF kMaskColour = RGB(255, 0, 255);
const int kBitmaps[3] = {FRENNA_BITMAP_PAGE, FRENNA_BITMAP_NODE, FRENNA_BITMAP_OPEN_NODE};
const LRESULT kTextLength = 16;
const LRESULT kDialogCodes = DLGC_WANTARROWS | DLGC_WANTCHARS;

TreeControlState* StateOf(HWND window) {
  return reinterpret_cast<TreeControlState*>(GetWindowLongPtrA(window, 0));
}

// The image list of the three bitmaps; each bitmap goes once it is added.
void MakeImages(TreeControlState& s) {
  s.images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 3, 0);
  if (!s.images) return;
  for (int i = 0; i < 3; ++i) {
    HBITMAP bitmap = LoadBitmapA(hInst, MAKEINTRESOURCEA(kBitmaps[i]));
    if (!bitmap) continue;
    s.image[i] = ImageList_AddMasked(s.images, bitmap, kMaskColour);
    DeleteObject(bitmap);
  }
  SendMessageA(s.tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(s.images));
}

LRESULT OnCreate(HWND window) {
  TreeControlState* s = new (std::nothrow) TreeControlState;
  if (!s) return -1;
  RECT client;
  GetClientRect(window, &client);
  s->tree = CreateWindowExA(0, WC_TREEVIEWA, nullptr, kTreeStyle, 0, 0, client.right, client.bottom,
                            window, nullptr, hInst, nullptr);
  if (!s->tree) {
    delete s;
    return -1;
  }
  MakeImages(*s);
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(s));
  return 0;
}

// The tree view goes first, so that nothing it does on its way out meets an
// image list destroyed already (the tree view never destroys it).
void OnDestroy(HWND window, TreeControlState* s) {
  SetWindowLongPtrA(window, 0, 0);
  DestroyWindow(s->tree);
  if (s->images) ImageList_Destroy(s->images);
  if (s->fills > 0)
    s->destroyed = true;
  else
    delete s;
}

// Fills; on success selects the node of the record that was current and
// shows the control.
void Fill(HWND window, TreeControlState& s, RecordSetObject* records, const char* text) {
  TreeSettings settings;
  if (!records || !ReadTreeSettings(text, settings)) return;
  try {
    TreeNodes nodes;
    nodes.Load(s.tree);
    long kept = 0;
    if (!FillTree(s, *records, settings, nodes, kept)) return;
    if (kept > 0 && kept <= 0xFFFF)
      if (TreeNodes::Node* node = nodes.FirstWithRecord(static_cast<uint16_t>(kept)))
        SendMessageA(s.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node->item));
  } catch (const std::bad_alloc&) {
    return;
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
}

LRESULT OnSetText(HWND window, TreeControlState* s, WPARAM wParam, LPARAM lParam) {
  ++s->fills;
  Fill(window, *s, reinterpret_cast<RecordSetObject*>(wParam), reinterpret_cast<const char*>(lParam));
  if (--s->fills == 0 && s->destroyed) delete s;
  return 0;
}

// The selected node's record number (0 without a selection).
LRESULT OnGetText(const TreeControlState& s, WPARAM size, char* buffer) {
  if (!buffer || size == 0) return 0;
  unsigned record = 0;
  TVITEMA item = {};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(s.tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (item.hItem && SendMessageA(s.tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
    record = HIWORD(static_cast<DWORD>(item.lParam));
  return CopyRecordText(record, size, buffer);
}

}  // namespace

LRESULT CALLBACK TreeControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_GETTEXTLENGTH:
      return kTextLength;
    case WM_GETDLGCODE:
      return kDialogCodes;
    default:
      break;
  }
  TreeControlState* s = StateOf(window);
  if (!s) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      OnDestroy(window, s);
      return 0;
    case WM_SETTEXT:
      return OnSetText(window, s, wParam, lParam);
    case WM_GETTEXT:
      return OnGetText(*s, wParam, reinterpret_cast<char*>(lParam));
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
