// Calls an extension library's export by name with 32-bit words, first
// argument first, through CallExport (stdcall and cdecl callees alike).
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "call_export.h"

namespace bench {

inline uint32_t Call(HMODULE library, const char* name, std::initializer_list<uint32_t> args) {
  std::vector<uint32_t> reversed(std::rbegin(args), std::rend(args));
  return CallExport(reinterpret_cast<const void*>(GetProcAddress(library, name)), reversed.data(),
                    static_cast<uint32_t>(reversed.size()));
}

}  // namespace bench
