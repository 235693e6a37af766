// FRENNA's menu builder exports. A builder handle is the address of the
// MenuBuilder that FRENNA_Menu made; a handle that names no live builder
// acts like 0.
#include <cstdint>
#include <new>

#include "library_frame.h"
#include "live_builders.h"
#include "menu_builder.h"

KORVEX_EXPORT uintptr_t WINAPI FRENNA_Menu(HMENU root) {
  MenuBuilder* builder = new (std::nothrow) MenuBuilder(root);
  if (!builder) return 0;
  if (!RememberBuilder(builder)) {
    delete builder;
    return 0;
  }
  return reinterpret_cast<uintptr_t>(builder);
}

KORVEX_EXPORT void WINAPI FRENNA_Close(uintptr_t handle) { delete ForgetBuilder(handle); }

KORVEX_EXPORT BOOL WINAPI FRENNA_Add(uintptr_t handle, int32_t ind, int32_t own, int32_t cmd,
                                     const char* text) {
  MenuBuilder* builder = LiveBuilder(handle);
  return builder ? builder->Add(ind, own, cmd, text) : FALSE;
}
