// Copies of a few dozen bytes on the read path (a row into the current row,
// a field's text into the caller's buffer): four bytes a step in the
// caller's own code, cheaper than a call into the runtime for such sizes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

inline void CopyRowBytes(void* to, const void* from, size_t n) {
  auto* out = static_cast<unsigned char*>(to);
  auto* in = static_cast<const unsigned char*>(from);
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    uint32_t word;
    __builtin_memcpy(&word, in + i, 4);
    __builtin_memcpy(out + i, &word, 4);
  }
  for (; i < n; ++i) out[i] = in[i];
}
