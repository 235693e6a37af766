// Process-wide state of the program: the frame, its MDI client and what the
// message loop needs to know about the active script window.
#pragma once
#include <windows.h>

#include <cstdint>

extern HINSTANCE hInst;
extern HWND FrameWindow;
extern HWND MdiClient;
// The frame's own menu (resource 103): put back when a script's menu that
// the frame shows goes with its window.
extern HMENU FrameMenu;
// Existing script windows; changed only with interlocked operations.
extern volatile LONG ScriptWindowCount;
// The script window that was last activated (WM_MDIACTIVATE), or 0.
extern HWND ActiveScriptWindow;
// What the message loop translates: the active script's accelerators and
// its modeless dialog (0 = none).
extern HACCEL CurrentAccelerators;
extern HWND CurrentModelessDialog;
// Option bits of the script started last (kRunHide, kRunWindow).
extern uint16_t LastScriptOptions;
// COLOR_BTNFACE brush handed to the static controls of script dialogs.
extern HBRUSH DialogBrush;

// The product word: frame class and title, DDE service, INI file stem.
extern const char kProductName[];
extern const char kScriptWindowClass[];
// Without a path: the INI file lives in the Windows directory.
extern const char kIniFileName[];

// Posted to a WINDOW script's window: run its body on the GUI thread.
const UINT kRunWindowScriptMessage = WM_USER + 100;
// Sent to a script window: run a call on the GUI thread (gui_call.h).
const UINT kWindowThreadCallMessage = WM_USER + 101;
// Window words of a script window.
const int kScriptWordInterpreter = 0;
const int kScriptWordThread = 4;
// First child id of the MDI client; popup of the frame menu that receives
// the window list.
const UINT kFirstScriptChildId = 10000;
const int kWindowListPopup = 4;
