// The window class "SELVYCLASS" and its message table.
#include <new>

#include "library_frame.h"
#include "buffer_records.h"
#include "selvy_ids.h"
#include "view_parts.h"

const char kViewClass[] = "SELVYCLASS";

namespace {

void TurnTo(PageView* view, int page) {
  if (page == view->page) return;
  view->page = static_cast<uint8_t>(page);
  InvalidateRect(view->window, nullptr, TRUE);
}

void OnKey(PageView* view, WPARAM key) {
  switch (key) {
    case VK_ESCAPE:
      FireEvent(view, kEscapeEvent, 0);
      break;
    case VK_PRIOR:
      if (view->page >= 2) TurnTo(view, view->page - 1);
      break;
    case VK_NEXT:
      if (view->page && view->page < view->pageCount) TurnTo(view, view->page + 1);
      break;
    case VK_HOME:
      if (view->Loaded()) TurnTo(view, 1);
      break;
    case VK_UP:
      SendMessageA(view->window, WM_VSCROLL, SB_LINEUP, 0);
      break;
    case VK_DOWN:
      SendMessageA(view->window, WM_VSCROLL, SB_LINEDOWN, 0);
      break;
    case VK_LEFT:
      SendMessageA(view->window, WM_HSCROLL, SB_LINELEFT, 0);
      break;
    case VK_RIGHT:
      SendMessageA(view->window, WM_HSCROLL, SB_LINERIGHT, 0);
      break;
  }
}

void OnCommand(PageView* view, int command) {
  switch (command) {
    case IDM_PRINT:
      PrintPages(view);
      break;
    case IDM_OPEN:
      OpenPageFile(view);
      break;
    case IDM_SAVE:
      SavePageFile(view);
      break;
    case IDM_ROW_ABOVE:
    case IDM_ROW_DELETE:
    case IDM_ROW_BELOW:
      if (EditRows(view, command)) InvalidateRect(view->window, nullptr, TRUE);
      break;
    case IDM_EXPORT:
      ExportFormFile(view);
      break;
  }
}

LRESULT CALLBACK ViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PageView* view = reinterpret_cast<PageView*>(GetWindowLongPtrA(window, 0));
  if (message == WM_CREATE) {
    view = new (std::nothrow) PageView{};
    if (!view) return -1;
    view->window = window;
    view->xScale = view->yScale = 0.5;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(view));
    return 0;
  }
  if (!view) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SetWindowLongPtrA(window, 0, 0);
      selvy::FreePageBlock(view->buffer);
      delete view;
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintView(view, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      OnKey(view, wParam);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      ScrollView(view, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam),
                 HIWORD(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (EditRecordAt(view, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
        InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_RBUTTONDOWN:
      ShowViewMenu(view, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_COMMAND:
      OnCommand(view, LOWORD(wParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterViewClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = ViewProcedure;
  windowClass.cbWndExtra = 4;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kViewClass;
  return RegisterClassA(&windowClass) != 0;
}

void UnregisterViewClass(HINSTANCE instance) { UnregisterClassA(kViewClass, instance); }

PageView* ViewOf(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  char name[16] = "";
  if (!GetClassNameA(window, name, sizeof name) || lstrcmpA(name, kViewClass) != 0) return nullptr;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(ViewProcedure)) return nullptr;
  PageView* view = reinterpret_cast<PageView*>(GetWindowLongPtrA(window, 0));
  return view && view->window == window ? view : nullptr;
}

bool LoadPageFile(PageView* view, HANDLE file) {
  if (!selvy::ReadPageFile(file, view->BufferRef())) return false;
  view->page = 1;
  view->editRecord = nullptr;
  return true;
}

void FireEvent(PageView* view, ViewEvent event, LPARAM parameter) {
  if (!view->events[event - 1]) return;
  SendMessageA(view->owner ? view->owner : view->window, WM_COMMAND, 2000 + event, parameter);
}
