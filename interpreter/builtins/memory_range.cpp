#include "memory_range.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

const DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                        PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
const DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE |
                        PAGE_EXECUTE_WRITECOPY;

// The end of the region holding p when the region allows the access, else 0.
uintptr_t UsableRegionEnd(uintptr_t p, DWORD access) {
  MEMORY_BASIC_INFORMATION m;
  if (VirtualQuery(reinterpret_cast<const void*>(p), &m, sizeof m) == 0) return 0;
  if (m.State != MEM_COMMIT || (m.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
      !(m.Protect & access))
    return 0;
  uintptr_t end = reinterpret_cast<uintptr_t>(m.BaseAddress) + m.RegionSize;
  return end > p ? end : 0;
}

bool CheckRange(const void* address, size_t size, DWORD access) {
  uintptr_t p = reinterpret_cast<uintptr_t>(address), end = p + size;
  if (p == 0 || end < p) return false;
  while (p < end) {
    uintptr_t regionEnd = UsableRegionEnd(p, access);
    if (regionEnd == 0) return false;
    p = regionEnd;
  }
  return true;
}

}  // namespace

bool IsWritableMemory(void* address, size_t size) { return CheckRange(address, size, kWritable); }

bool ReadableTextLength(const char* address, size_t& length) {
  uintptr_t start = reinterpret_cast<uintptr_t>(address), p = start;
  if (p == 0) return false;
  for (;;) {
    uintptr_t regionEnd = UsableRegionEnd(p, kReadable);
    if (regionEnd == 0) return false;
    const void* zero = std::memchr(reinterpret_cast<const void*>(p), 0, regionEnd - p);
    if (zero) {
      length = reinterpret_cast<uintptr_t>(zero) - start;
      return true;
    }
    p = regionEnd;
  }
}
