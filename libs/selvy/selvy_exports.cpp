// SELVY's exports. A pClass that names no live page view acts as 0: the
// call does nothing and gives 0.
#include "library_frame.h"
#include "page_view.h"
#include "wennic.h"
#include "window_thread_call.h"

namespace {

const int kUnknownEvent = 99, kNoWindow = 101, kBadEventCode = 143;

HWND WindowOf(LONG handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

PageView* View(LONG pClass) { return ViewOf(WindowOf(pClass)); }

}  // namespace

static LONG DoLoad(LONG hwnd, LONG hFile) {
  HWND owner = WindowOf(hwnd);
  HANDLE file = reinterpret_cast<HANDLE>(static_cast<intptr_t>(hFile));
  RECT client = {0, 0, 0, 0};
  GetClientRect(owner, &client);
  HWND window = CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, 0, client.right,
                                client.bottom, owner, nullptr, hInst, nullptr);
  PageView* view = ViewOf(window);
  if (!view) {
    if (window) DestroyWindow(window);
    // The file was handed over: it goes, read or not.
    selvy::ClosePageFile(file);
    // A box owned by no window is still shown.
    ERRBOX(IsWindow(owner) ? owner : nullptr, kNoWindow, 0, nullptr);
    return 0;
  }
  view->owner = owner;
  LoadPageFile(view, file);
  return static_cast<LONG>(reinterpret_cast<intptr_t>(window));
}

static BOOL DoShow(LONG pClass) {
  PageView* view = View(pClass);
  if (!view) return FALSE;
  ShowWindow(view->window, SW_SHOW);
  UpdateWindow(view->window);
  SetFocus(view->window);
  return TRUE;
}

static void DoUnload(LONG pClass) {
  if (PageView* view = View(pClass)) DestroyWindow(view->window);
}

static LONG DohWnd(LONG pClass) { return View(pClass) ? pClass : 0; }

static LONG DoPageCount(LONG pClass) {
  PageView* view = View(pClass);
  return view ? view->pageCount : 0;
}

static LONG DoPageNumber(LONG pClass) {
  PageView* view = View(pClass);
  return view ? view->page : 0;
}

// Turns the TAB (1), ESCAPE (2) or HELP (3) event on (Cod 40001-40999) or
// off (Cod 0): 2000 + n, or 0 after an error.
static LONG DoEvent(LONG pClass, const char* msg, LONG cod) {
  PageView* view = View(pClass);
  if (!view) return 0;
  static const char* const kWords[] = {"TAB", "ESCAPE", "HELP"};
  int event = 0;
  for (int i = 0; i < 3 && !event; ++i)
    if (msg && lstrcmpiA(msg, kWords[i]) == 0) event = i + 1;
  if (!event) {
    ERRBOX(view->window, kUnknownEvent, 0, nullptr);
    return 0;
  }
  int code = LOWORD(cod);
  if (code != 0 && (code < 40001 || code > 40999)) {
    ERRBOX(view->window, kBadEventCode, 0, nullptr);
    return 0;
  }
  view->events[event - 1] = static_cast<uint16_t>(code);
  return 2000 + event;
}

// Each export runs on the thread of the window its first argument names
// (the owner for a Load, else the library's own window), the one that runs
// that window's procedure: a script body on a thread of its own waits
// while its call runs there.
KORVEX_EXPORT LONG WINAPI SELVY_Load(LONG hwnd, LONG hFile) {
  return OnThreadOf(WindowOf(hwnd), [=] { return DoLoad(hwnd, hFile); });
}

KORVEX_EXPORT BOOL WINAPI SELVY_Show(LONG pClass) {
  return OnThreadOf(WindowOf(pClass), [=] { return DoShow(pClass); });
}

KORVEX_EXPORT void WINAPI SELVY_Unload(LONG pClass) {
  OnThreadOf(WindowOf(pClass), [=] { DoUnload(pClass); });
}

KORVEX_EXPORT LONG WINAPI SELVY_hWnd(LONG pClass) {
  return OnThreadOf(WindowOf(pClass), [=] { return DohWnd(pClass); });
}

KORVEX_EXPORT LONG WINAPI SELVY_PageCount(LONG pClass) {
  return OnThreadOf(WindowOf(pClass), [=] { return DoPageCount(pClass); });
}

KORVEX_EXPORT LONG WINAPI SELVY_PageNumber(LONG pClass) {
  return OnThreadOf(WindowOf(pClass), [=] { return DoPageNumber(pClass); });
}

KORVEX_EXPORT LONG WINAPI SELVY_Event(LONG pClass, const char* msg, LONG cod) {
  return OnThreadOf(WindowOf(pClass), [=] { return DoEvent(pClass, msg, cod); });
}
