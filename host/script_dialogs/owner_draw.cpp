// Owner-drawn list items and bitmap buttons of script dialogs, and the
// character forwarding of owner-drawn combo boxes.
#include <cstring>

#include "dialog_record.h"
#include "dib.h"
#include "locked_block.h"
#include "resource_reader.h"
#include "window_interpreter.h"

namespace {

const int kItemText = 64;
const int kButtonName = 15;
const int kPressedInset = 3;

LRESULT CALLBACK CharacterForwarder(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto replaced = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
  if (message == WM_CHAR)
    SendMessageA(GetParent(control), WM_CHARTOITEM, wParam, reinterpret_cast<LPARAM>(control));
  return replaced ? CallWindowProcA(replaced, control, message, wParam, lParam)
                  : DefWindowProcA(control, message, wParam, lParam);
}

// The packed bitmap stretched over the rectangle; false when the block
// holds no bitmap that can be drawn.
bool StretchBitmap(HDC dc, const RECT& to, const unsigned char* dib, size_t size) {
  DibLayout layout;
  if (!DibFits(dib, size, &layout)) return false;
  auto header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
  int width, height;
  if (header->biSize == sizeof(BITMAPCOREHEADER)) {
    auto core = reinterpret_cast<const BITMAPCOREHEADER*>(dib);
    width = core->bcWidth;
    height = core->bcHeight;
  } else {
    width = header->biWidth;
    height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  }
  HBITMAP bitmap = CreateDIBitmap(dc, header, CBM_INIT, dib + layout.bitsOffset,
                                  reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS);
  if (!bitmap) return false;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, memory, 0, 0, width,
             height, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  // Made anew at every draw, so given back at every draw.
  DeleteObject(bitmap);
  return true;
}

}  // namespace

void OwnerDrawListItem(WindowInterpreter& interpreter, HWND dialog, const DRAWITEMSTRUCT* item) {
  SetNull(interpreter, "RESULT");
  SetHdlg(interpreter, dialog);
  SendToScript(interpreter, HIWORD(item->itemData), static_cast<LPARAM>(item->itemData));
  bool marked = item->itemState & (ODS_SELECTED | ODS_FOCUS);
  SetBkColor(item->hDC, GetSysColor(marked ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item->hDC, GetSysColor(marked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  VARIABLE* result = interpreter.Variables().Find("RESULT");
  if (!result || result->type == VAL_NULL) return;
  char text[kItemText + 1];
  result->GetText(text, sizeof text, 0);
  ExtTextOutA(item->hDC, item->rcItem.left, item->rcItem.top, ETO_CLIPPED | ETO_OPAQUE,
              &item->rcItem, text, static_cast<UINT>(std::strlen(text)), nullptr);
}

void DrawBitmapButton(HWND dialog, const DRAWITEMSTRUCT* item) {
  DialogEventRecord* record = RecordOf(dialog);
  if (!record) return;
  char name[kButtonName + 1] = "";
  GetWindowTextA(item->hwndItem, name, sizeof name);
  HGLOBAL block = ReadResourceByLayout(record->layout, record->file.c_str(), kResourceBitmap, name);
  if (!block) return;  // no such bitmap: nothing drawn
  RECT to = item->rcItem;
  if (item->itemState & ODS_SELECTED) InflateRect(&to, -kPressedInset, -kPressedInset);
  ReadLockedBlock<bool>(block, [&](const unsigned char* dib, size_t size) {
    return StretchBitmap(item->hDC, to, dib, size);
  });
  GlobalFree(block);
}

void ForwardCharacters(HWND control) {
  // Only once: a forwarder that replaced itself would call itself for ever.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)) == CharacterForwarder)
    return;
  // The procedure it replaces is in place before the first character comes.
  SetWindowLongPtrA(control, GWLP_USERDATA, GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CharacterForwarder));
}
