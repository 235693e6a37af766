#include "gui_call.h"

#include <mutex>
#include <set>

#include "host_globals.h"

namespace {

struct WindowThreadCall {
  LRESULT (*run)(void* context);
  void* context;
};

std::mutex pendingLock;
std::set<const WindowThreadCall*> pending;

}  // namespace

LRESULT CallOnWindowThread(HWND window, LRESULT (*run)(void* context), void* context) {
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) return run(context);
  WindowThreadCall call = {run, context};
  {
    std::lock_guard<std::mutex> hold(pendingLock);
    pending.insert(&call);
  }
  LRESULT result = SendMessageA(window, kWindowThreadCallMessage, 0, reinterpret_cast<LPARAM>(&call));
  std::lock_guard<std::mutex> hold(pendingLock);
  pending.erase(&call);
  return result;
}

LRESULT AnswerWindowThreadCall(LPARAM call) {
  auto asked = reinterpret_cast<const WindowThreadCall*>(call);
  {
    std::lock_guard<std::mutex> hold(pendingLock);
    if (!pending.count(asked)) return 0;
  }
  return asked->run(asked->context);
}
