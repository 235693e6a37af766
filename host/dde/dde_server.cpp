#include "dde_server.h"

#include <dde.h>

#include <string>

#include "dde_command.h"
#include "dde_links.h"
#include "dde_message.h"
#include "host_globals.h"
#include "script_run.h"
#include "window_interpreter.h"

namespace {

ATOM serviceAtom = 0;

// How long shutdown waits for each client's TERMINATE, on timer 1.
const UINT kShutdownTimer = 1;
const UINT kShutdownWaitMilliseconds = 1000;

bool IsScriptWindow(HWND window) {
  char name[32];
  return GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, kScriptWindowClass) == 0;
}

// A new reference to the atom, for a receiver that deletes the one it gets.
ATOM AtomReference(ATOM atom) {
  char name[256];
  return GlobalGetAtomNameA(atom, name, sizeof name) ? GlobalAddAtomA(name) : 0;
}

void OnRequest(HWND window, HWND client, LPARAM lParam) {
  ATOM atom = HIWORD(lParam);
  char name[kItemNameLength + 1];
  DdeItemName parsed;
  WindowInterpreter* interpreter = InterpreterOf(window);
  HGLOBAL block = nullptr;
  if (interpreter && ReadAtomName(atom, name, sizeof name) && ParseItemName(name, parsed)) {
    char text[kDdeValueTextSize];
    bool found;
    {
      ItemAccess access(parsed);
      const VARIABLE* variable = FindItemVariable(interpreter->Variables(), parsed);
      found = variable != nullptr;
      if (found) DdeValueText(*variable, text);
    }
    if (found) block = MakeDataBlock(text, kDataResponse | kDataRelease);
  }
  if (!block) {
    PostAck(client, window, kAckNegative, atom);
    return;
  }
  // The answer hands the request's atom back to the client.
  PostData(client, window, block, atom);
}

// The command block's text, read up to its NUL or its end; false when it
// cannot be read.
bool ReadCommand(HGLOBAL block, std::string& text) {
  if (!block) return false;
  SIZE_T size = GlobalSize(block);
  const char* bytes = static_cast<const char*>(GlobalLock(block));
  if (!bytes) return false;
  SIZE_T length = 0;
  while (length < size && bytes[length]) ++length;
  text.assign(bytes, length);
  GlobalUnlock(block);
  return true;
}

// Runs a cleaned command in the window's context as an event handler runs.
// True when it ran without an error; closing tells that the window is to
// close now (QUIT whose close handler ran BREAK, say).
bool RunCommand(HWND window, const std::string& command, bool& closing) {
  WindowInterpreter* owner = InterpreterOf(window);
  if (!owner) return false;
  BeginHandler(owner);
  uint32_t error = RunTextInWindow(window, command.c_str());
  closing = EndHandler(window, owner);
  return error == 0;
}

void OnExecute(HWND window, HWND client, LPARAM lParam) {
  HGLOBAL block = reinterpret_cast<HGLOBAL>(lParam);
  std::string text, command;
  bool closing = false;
  HoldDataPosts();
  bool ran = HasConversation(client, window) && ReadCommand(block, text) &&
             CleanDdeCommand(text.data(), text.size(), command) &&
             RunCommand(window, command, closing);
  // The block stays the client's: the ACK hands it back, before the
  // window's end terminates the conversation.
  PostExecuteAck(client, window, ran ? kAckPositive : kAckNegative, block);
  ReleaseDataPosts();
  if (closing) RequestClose(window);
}

void OnTerminate(HWND window, HWND client) {
  DdeClosedConversation closed;
  if (CloseConversation(client, window, closed)) ReleaseLinks(InterpreterOf(window), closed);
  PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
}

// Fetches and dispatches messages until the client's TERMINATE to sender
// or the timer comes (neither is dispatched); false when the quit message
// came (it is posted again for the message loop).
bool AwaitTerminate(HWND frame, HWND sender, HWND client) {
  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (got < 0) return true;
    if (message.message == WM_DDE_TERMINATE && message.hwnd == sender &&
        reinterpret_cast<HWND>(message.wParam) == client)
      return true;
    if (message.message == WM_TIMER && message.hwnd == frame && message.wParam == kShutdownTimer)
      return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

void DdeRegisterService() {
  if (!serviceAtom) serviceAtom = GlobalAddAtomA(kProductName);
}

ATOM DdeServiceAtom() { return serviceAtom; }

void DdeAnswerInitiate(WPARAM wParam, LPARAM atoms) {
  HWND client = reinterpret_cast<HWND>(wParam);
  ATOM topic = HIWORD(atoms);
  if (!serviceAtom || LOWORD(atoms) != serviceAtom || !topic) return;
  for (HWND child = GetWindow(MdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsScriptWindow(child)) continue;
    WindowInterpreter* interpreter = InterpreterOf(child);
    if (!interpreter || interpreter->TopicAtom != topic) continue;
    if (!OpenConversation(client, child)) return;
    // The client deletes the atoms it is given: each ACK carries references
    // of its own.
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(child),
                 MAKELPARAM(AtomReference(serviceAtom), AtomReference(topic)));
    return;
  }
}

void DdeScriptWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!serviceAtom) return;
  HWND client = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_DDE_ADVISE: OnAdvise(window, client, lParam); break;
    case WM_DDE_UNADVISE: OnUnadvise(window, client, lParam); break;
    case WM_DDE_REQUEST: OnRequest(window, client, lParam); break;
    case WM_DDE_EXECUTE: OnExecute(window, client, lParam); break;
    case WM_DDE_TERMINATE: OnTerminate(window, client); break;
    case WM_DDE_ACK: OnDataAck(client, lParam); break;
    default: break;
  }
}

void DdeScriptWindowClosing(HWND window, WindowInterpreter& interpreter) {
  for (const DdeClosedConversation& closed : CloseConversationsOf(window)) {
    ReleaseLinks(&interpreter, closed);
    PostMessageA(closed.client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
  }
}

void DdeShutdown(HWND frame) {
  if (serviceAtom) {
    GlobalDeleteAtom(serviceAtom);
    serviceAtom = 0;
  }
  DdeClosedConversation closed;
  while (TakeFirstConversation(closed)) {
    // The client knows the window that answered it; the frame stands in
    // when that window is gone.
    bool serverLives = IsWindow(closed.server) != 0;
    HWND sender = serverLives ? closed.server : frame;
    PostMessageA(closed.client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(sender), 0);
    SetTimer(frame, kShutdownTimer, kShutdownWaitMilliseconds, nullptr);
    if (AwaitTerminate(frame, sender, closed.client)) KillTimer(frame, kShutdownTimer);
    ReleaseLinks(serverLives ? InterpreterOf(closed.server) : nullptr, closed);
  }
}
