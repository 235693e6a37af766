#include "frame_window.h"

#include <dde.h>

#include <vector>

#include "dde_server.h"
#include "host_globals.h"
#include "host_resources.h"
#include "library_binder.h"
#include "script_window.h"
#include "window_interpreter.h"
#include "window_placement.h"

namespace {

const char kMainSection[] = "Main";
// Asks the frame to end once the MDI client has finished destroying the
// last script window.
const UINT kEndWhenIdleMessage = WM_USER + 1;

void CloseInactiveScripts() {
  std::vector<HWND> children;
  for (HWND child = GetWindow(MdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (HWND child : children)
    if (child != ActiveScriptWindow && IsWindow(child)) SendMessageA(child, WM_CLOSE, 0, 0);
}

LRESULT OnCommand(HWND frame, WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  switch (id) {
    case kCommandCloseAll: CloseInactiveScripts(); break;
    case kCommandCascade: SendMessageA(MdiClient, WM_MDICASCADE, 0, 0); break;
    case kCommandTile: SendMessageA(MdiClient, WM_MDITILE, 0, 0); break;
    case kCommandArrange: SendMessageA(MdiClient, WM_MDIICONARRANGE, 0, 0); break;
    default:
      // The rest of the frame menu and the scripts' own commands are the
      // active script's business.
      if (id >= kCommandFirstScript && id <= kCommandLastScript && ActiveScriptWindow)
        return SendMessageA(ActiveScriptWindow, WM_COMMAND, wParam, lParam);
      break;
  }
  return DefFrameProcA(frame, MdiClient, WM_COMMAND, wParam, lParam);
}

}  // namespace

bool RegisterHostClasses() {
  WNDCLASSA frame = {};
  frame.lpfnWndProc = FrameWindowProc;
  frame.cbWndExtra = 4;
  frame.hInstance = hInst;
  frame.hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(kProgramIcon));
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  frame.lpszMenuName = MAKEINTRESOURCEA(kFrameMenu);
  frame.lpszClassName = kProductName;
  if (!RegisterClassA(&frame)) return false;

  WNDCLASSA script = {};
  script.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  script.lpfnWndProc = ScriptWindowProc;
  script.cbWndExtra = 8;
  script.hInstance = hInst;
  script.hIcon = frame.hIcon;
  script.hCursor = frame.hCursor;
  script.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  script.lpszClassName = kScriptWindowClass;
  return RegisterClassA(&script) != 0;
}

HWND CreateFrameWindow() {
  Placement p = ReadWindowPlacement(kMainSection);
  return CreateWindowExA(0, kProductName, kProductName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         p.left, p.top, p.width, p.height, nullptr, nullptr, hInst, nullptr);
}

void EndFrameWhenIdle() { PostMessageA(FrameWindow, kEndWhenIdleMessage, 0, 0); }

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client = {};
      FrameMenu = GetMenu(window);
      client.hWindowMenu = GetSubMenu(FrameMenu, kWindowListPopup);
      client.idFirstChild = kFirstScriptChildId;
      MdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  0, 0, 0, 0, window, nullptr, hInst, &client);
      if (!MdiClient) return -1;
      DdeRegisterService();
      return 0;
    }
    case WM_CLOSE:
      SendMessageA(window, WM_COMMAND, kCommandCloseAll, 0);
      if (ActiveScriptWindow) SendMessageA(ActiveScriptWindow, WM_CLOSE, 0, 0);
      if (ScriptWindowCount > 0) return 0;
      break;
    case kEndWhenIdleMessage:
      if (ScriptWindowCount == 0) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      DdeShutdown(window);
      FreeExtensionModules();
      if (!(LastScriptOptions & kRunHide)) SaveWindowPlacement(window, kMainSection);
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_DDE_INITIATE:
      DdeAnswerInitiate(wParam, lParam);
      return 0;
    default:
      break;
  }
  return DefFrameProcA(window, MdiClient, message, wParam, lParam);
}
