#include "picture_control.h"

#include "dib.h"

const char kPictureClassName[] = "PICTURE";

namespace {

PictureRecord* RecordOf(HWND window) {
  return reinterpret_cast<PictureRecord*>(GetWindowLongPtrA(window, 0));
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  PictureRecord* record = RecordOf(window);
  RECT client;
  GetClientRect(window, &client);
  if (dc && record && record->image && client.right > 0 && client.bottom > 0)
    DrawDib(record->image, dc, 0, 0, client.right, client.bottom);
  EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      PictureRecord* record = static_cast<PictureRecord*>(
          HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PictureRecord)));
      SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record));
      return 0;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONDBLCLK: {
      PictureRecord* record = RecordOf(window);
      if (record && record->owner && record->controlId)
        SendMessageA(record->owner, WM_COMMAND, record->controlId, lParam);
      return 0;
    }
    case WM_DESTROY: {
      PictureRecord* record = RecordOf(window);
      SetWindowLongPtrA(window, 0, 0);
      if (record) HeapFree(GetProcessHeap(), 0, record);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int RegisterPictureClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, kPictureClassName, &wc)) return 0;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = PictureWindowProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kPictureClassName;
  return RegisterClassA(&wc) ? 1 : 0;
}

bool SetPictureImage(HWND picture, HWND owner, WORD controlId, HGLOBAL image) {
  PictureRecord* record = RecordOf(picture);
  if (!record) return false;
  record->owner = owner;
  record->controlId = controlId;
  record->image = image;
  InvalidateRect(picture, nullptr, TRUE);
  return true;
}

HGLOBAL GetPictureImage(HWND picture) {
  PictureRecord* record = RecordOf(picture);
  return record ? record->image : 0;
}
