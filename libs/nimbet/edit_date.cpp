#include "edit_date.h"

#include <new>

#include "edit_date_state.h"

const char kEditDateClass[] = "EDITDATE";

namespace {

const int kTextTop = 2;
const LRESULT kDialogCodes = DLGC_WANTARROWS | DLGC_WANTCHARS;

EditDateState* StateOf(HWND window) {
  return reinterpret_cast<EditDateState*>(GetWindowLongPtrA(window, 0));
}

uint8_t Metric(LONG pixels) { return static_cast<uint8_t>(pixels < 0 ? 0 : pixels > 255 ? 255 : pixels); }

// Digit width and height from the extent of "0", the dot width from half
// the extent of "..". A handle that is no font measures the system font.
void SetFont(HWND window, EditDateState& s, HFONT font) {
  if (!font || GetObjectType(font) != OBJ_FONT) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  s.font = font;
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE digit = {}, dots = {};
  GetTextExtentPoint32A(dc, "0", 1, &digit);
  GetTextExtentPoint32A(dc, "..", 2, &dots);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  s.digitWidth = Metric(digit.cx);
  s.digitHeight = Metric(digit.cy);
  s.dotWidth = Metric(dots.cx / 2);
}

void PlaceCaret(HWND window, const EditDateState& s) {
  if (GetFocus() == window) SetCaretPos(CaretX(s), kTextTop);
}

void Paint(HWND window, const EditDateState& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HGDIOBJ old = SelectObject(dc, s.font);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  int x = 0;
  for (int i = 0; i < s.length; ++i) {
    TextOutA(dc, x, kTextTop, &s.text[i], 1);
    x += i == 2 || i == 5 ? s.dotWidth : s.digitWidth;
  }
  SelectObject(dc, old);
  EndPaint(window, &paint);
  PlaceCaret(window, s);
}

void Repaint(HWND window, BOOL erase) {
  InvalidateRect(window, nullptr, erase);
  UpdateWindow(window);
}

void Notify(HWND window) {
  SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), EN_CHANGE),
               reinterpret_cast<LPARAM>(window));
}

// Today in the system locale's calendar, with the year as the mask has it.
void Today(const EditDateState& s, char* text, int size) {
  text[0] = '\0';
  GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, s.length > 8 ? "dd.MM.yyyy" : "dd.MM.yy", text, size);
}

LRESULT CALLBACK EditDateProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    EditDateState* s = new (std::nothrow) EditDateState();
    if (!s) return -1;
    ResetEditDate(*s);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(s));
    SendMessageA(window, WM_SETFONT, 0, 0);
    return 0;
  }
  EditDateState* s = StateOf(window);
  if (!s) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SetWindowLongPtrA(window, 0, 0);
      delete s;
      return 0;
    case WM_SETFONT:
      SetFont(window, *s, reinterpret_cast<HFONT>(wParam));
      if (lParam) Repaint(window, TRUE);
      return 0;
    case WM_SETTEXT:
      SetEditDateText(*s, reinterpret_cast<const char*>(lParam));
      Repaint(window, TRUE);
      return 0;
    case WM_GETTEXT: {
      // wParam counts the zero, as GetWindowTextA passes it.
      char* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t n = wParam - 1 < s->length ? wParam - 1 : s->length;
      memcpy(buffer, s->text, n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return s->length;
    case WM_SETFOCUS:
      CreateCaret(window, nullptr, 1, s->digitHeight);
      SetCaretPos(CaretX(*s), kTextTop);
      ShowCaret(window);
      return 0;
    case WM_KILLFOCUS:
      HideCaret(window);
      DestroyCaret();
      return 0;
    case WM_PAINT:
      Paint(window, *s);
      return 0;
    case WM_GETDLGCODE:
      return kDialogCodes;
    case WM_KEYDOWN: {
      char today[32];
      UINT key = static_cast<UINT>(wParam);
      if (key == VK_SPACE || key == VK_INSERT) Today(*s, today, sizeof today);
      else today[0] = '\0';
      KeyEffect effect = EditDateKey(*s, key, today);
      if (effect == KeyEffect::kUnused) return 0;
      if (effect == KeyEffect::kNotify) Notify(window);
      Repaint(window, FALSE);
      return 0;
    }
    case WM_LBUTTONDOWN:
      s->caret = GroupAt(*s, static_cast<short>(LOWORD(lParam)));
      SetFocus(window);
      Repaint(window, FALSE);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterEditDateClass(HINSTANCE instance) {
  WNDCLASSA kind = {};
  if (GetClassInfoA(instance, kEditDateClass, &kind)) return;
  kind.style = CS_GLOBALCLASS;
  kind.lpfnWndProc = EditDateProc;
  kind.cbWndExtra = sizeof(EditDateState*);
  kind.hInstance = instance;
  kind.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));  // IDC_IBEAM
  kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  kind.lpszClassName = kEditDateClass;
  RegisterClassA(&kind);
}

void UnregisterEditDateClass(HINSTANCE instance) { UnregisterClassA(kEditDateClass, instance); }
