#include "window_thread_call.h"

#include <mutex>
#include <set>

namespace {

struct WindowThreadCall {
  LRESULT (*run)(void* context);
  void* context;
  LRESULT result;
};

// One message number for every library; each library's hook answers only
// the calls it has under way itself.
UINT CallMessage() {
  static const UINT message = RegisterWindowMessageA("KorvexLibraryWindowThreadCall");
  return message;
}

std::mutex pendingLock;
std::set<WindowThreadCall*> pending;

// Taken out of the pending set by the first hook that sees it, so that two
// hooks on one thread (two callers at once) run it once.
bool TakePending(WindowThreadCall* call) {
  std::lock_guard<std::mutex> hold(pendingLock);
  return pending.erase(call) != 0;
}

LRESULT CALLBACK CallHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    auto sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == CallMessage() && sent->message != 0) {
      auto call = reinterpret_cast<WindowThreadCall*>(sent->lParam);
      if (TakePending(call)) call->result = call->run(call->context);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

LRESULT RunOnWindowThread(HWND window, LRESULT (*run)(void* context), void* context) {
  DWORD thread = IsWindow(window) ? GetWindowThreadProcessId(window, nullptr) : 0;
  if (!thread) return 0;
  if (thread == GetCurrentThreadId()) return run(context);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CallHook, nullptr, thread);
  if (!hook) return 0;
  WindowThreadCall call = {run, context, 0};
  {
    std::lock_guard<std::mutex> hold(pendingLock);
    pending.insert(&call);
  }
  SendMessageA(window, CallMessage(), 0, reinterpret_cast<LPARAM>(&call));
  // Not run when the window went before the message reached it.
  TakePending(&call);
  UnhookWindowsHookEx(hook);
  return call.result;
}
