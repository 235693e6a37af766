// The incremental-search popup of a FIND table: typed characters extend a
// pattern of at most 16 that the table seeks (message 1126); the pattern
// keeps a character only when the table found a record with it.
#include <cstring>

#include "grid_internal.h"
#include "grid_window.h"

const char kSearchClass[] = "SEARCHWINDOW";

namespace {

const int kPatternMax = 16;

struct SearchState {
  HWND table;
  HFONT font;
  unsigned char length;
  char pattern[kPatternMax + 1];
};

SearchState* StateOf(HWND popup) { return reinterpret_cast<SearchState*>(GetWindowLongPtrA(popup, 0)); }

bool Seek(SearchState* state, int length) {
  return SendMessageA(state->table, kGridSeek, static_cast<WPARAM>(length),
                      reinterpret_cast<LPARAM>(state->pattern)) == 1;
}

LRESULT CALLBACK SearchProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  SearchState* state = StateOf(popup);
  switch (message) {
    case WM_CHAR: {
      if (!state || state->length >= kPatternMax) return 0;  // full: characters and Backspace ignored
      unsigned char ch = static_cast<unsigned char>(wParam);
      if (ch == '\b') {
        if (state->length == 0) return 0;
        state->pattern[--state->length] = '\0';
        if (state->length) Seek(state, state->length);
        InvalidateRect(popup, nullptr, TRUE);
      } else if (ch > ' ') {
        state->pattern[state->length] = static_cast<char>(ch);
        state->pattern[state->length + 1] = '\0';
        if (Seek(state, state->length + 1)) {
          ++state->length;
          InvalidateRect(popup, nullptr, TRUE);
        } else {
          state->pattern[state->length] = '\0';
        }
      }
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_UP || wParam == VK_DOWN)
        PostMessageA(popup, WM_CLOSE, 0, 0);
      return 0;
    case WM_KILLFOCUS:
      PostMessageA(popup, WM_CLOSE, 0, 0);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(popup, &paint);
      if (state) {
        HGDIOBJ old = state->font ? SelectObject(dc, state->font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 2, 2, state->pattern, state->length);
        if (old) SelectObject(dc, old);
      }
      EndPaint(popup, &paint);
      return 0;
    }
    case WM_CLOSE:
      return 0;  // the table's loop takes it from the queue and ends
    default:
      return DefWindowProcA(popup, message, wParam, lParam);
  }
}

bool registered = false;

bool RegisterSearchClass() {
  if (registered) return true;
  HINSTANCE instance = GridModule();
  WNDCLASSA kind = {};
  kind.style = CS_HREDRAW | CS_VREDRAW;
  kind.lpfnWndProc = SearchProc;
  kind.cbWndExtra = 4;
  kind.hInstance = instance;
  kind.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  kind.lpszClassName = kSearchClass;
  registered = RegisterClassA(&kind) != 0;
  return registered;
}

}  // namespace

void UnregisterSearchClass() {
  if (registered) UnregisterClassA(kSearchClass, GridModule());
  registered = false;
}

void RunSearchPopup(RecordSetTable* table, char ch) {
  HWND window = table->window;
  if (!RegisterSearchClass()) {
    GridError(window, 100);
    return;
  }
  const TablePrintContext& c = table->context;
  POINT corner = {c.marginLeft, c.RowsTop()};
  ClientToScreen(window, &corner);
  SearchState state = {window, c.font, 0, {}};
  HWND popup = CreateWindowExA(0, kSearchClass, "", WS_POPUP | WS_VISIBLE | WS_BORDER, corner.x, corner.y,
                               kPatternMax * c.charWidth, 2 * c.lineHeight, window, nullptr,
                               GridModule(), nullptr);
  if (!popup) {
    GridError(window, 101);
    return;
  }
  SetWindowLongPtrA(popup, 0, reinterpret_cast<LONG_PTR>(&state));
  table->searchPopup = popup;
  SetFocus(popup);
  EnableWindow(window, FALSE);
  table->state |= kStateFocus;  // the marker stays while the popup searches
  PostMessageA(popup, WM_CHAR, static_cast<unsigned char>(ch), 0);
  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
      break;
    }
    if (got < 0) break;
    if (message.message == WM_CLOSE && message.hwnd == popup) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!IsWindow(popup) || !IsWindow(window)) break;
  }
  if (IsWindow(window)) {  // else the table (and its object) are gone
    table->searchPopup = nullptr;
    table->state &= ~kStateFocus;
    EnableWindow(window, TRUE);
  }
  if (IsWindow(popup)) {
    SetWindowLongPtrA(popup, 0, 0);
    DestroyWindow(popup);
  }
}
