// The COM user count, one per thread: COM is initialised per thread, so a
// script thread initialises it on its own first use and uninitialises it
// when the last DISPATCH value it counted is released. Both S_OK and S_FALSE
// (COM was already initialised here) are one initialisation to balance.
#include "com_bridge.h"
#include "com_internal.h"

namespace {

DWORD CountSlot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

void SetCount(long count) { TlsSetValue(CountSlot(), reinterpret_cast<void*>(static_cast<INT_PTR>(count))); }

}  // namespace

long ComUserCount() {
  if (CountSlot() == TLS_OUT_OF_INDEXES) return 0;
  return static_cast<long>(reinterpret_cast<INT_PTR>(TlsGetValue(CountSlot())));
}

int AddDispatchUser() {
  if (CountSlot() == TLS_OUT_OF_INDEXES) return 0;
  long count = ComUserCount();
  if (count == 0) {
    HRESULT result = CoInitialize(nullptr);
    if (result != S_OK && result != S_FALSE) return 0;
  }
  SetCount(count + 1);
  return 1;
}

namespace com_internal {

void DropDispatchUser() {
  long count = ComUserCount();
  if (count == 0) return;  // released on a thread that counted nothing
  SetCount(count - 1);
  if (count == 1) CoUninitialize();
}

}  // namespace com_internal

void ReleaseDispatch(VARIABLE& value) {
  if (value.type != VAL_DISPATCH) return;
  value.Clear();
  value.TYPE(VAL_NULL);
  com_internal::DropDispatchUser();
}
