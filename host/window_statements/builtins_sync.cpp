// SIGNAL, WAIT, SEND and CHECK: unnamed auto-reset events that scripts
// hand to one another as LONG handles.
#include <vector>

#include "window_builtin_entries.h"

namespace {

HANDLE AsHandle(int32_t value) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(value)); }

// The events (LONG arguments, given first to last); the 1-based position
// of the one signalled within timeout, 0 on failure or time-out. More than
// the system can wait on at once is a failure too.
bool WaitForEvents(WindowBuiltinFrame& f, DWORD timeout) {
  std::vector<HANDLE> events(f.Count());
  for (int i = f.Count() - 1; i >= 0; --i) {
    int32_t handle;
    if (!f.PopLong(handle)) return false;
    events[i] = AsHandle(handle);
  }
  int32_t position = 0;
  if (events.size() <= MAXIMUM_WAIT_OBJECTS) {
    DWORD r = WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE,
                                     timeout);
    if (r < WAIT_OBJECT_0 + events.size()) position = static_cast<int32_t>(r - WAIT_OBJECT_0) + 1;
  }
  f.Result().SetLong(position);
  return true;
}

}  // namespace

bool RunSignal(WindowBuiltinFrame& f) {
  if (!f.Pop()) return false;  // not used
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  f.Result().SetLong(static_cast<int32_t>(reinterpret_cast<intptr_t>(event)));
  return true;
}

bool RunWait(WindowBuiltinFrame& f) { return WaitForEvents(f, INFINITE); }

bool RunCheck(WindowBuiltinFrame& f) { return WaitForEvents(f, 0); }

bool RunSend(WindowBuiltinFrame& f) {
  int32_t handle;
  if (!f.PopLong(handle)) return false;
  f.Result().SetBool(SetEvent(AsHandle(handle)) ? 1 : 0);
  return true;
}
