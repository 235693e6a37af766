// Copies of a few dozen bytes on the read path (a row into the current row,
// a field's text into the caller's buffer), in the caller's own code: such
// sizes cost more as a call into the runtime than as these few moves.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Words, then the last word again ending at n; a row too: a sixteen-byte
// step made the compiler keep its words on the stack on this 32-bit
// target, and was slower.
inline void CopyFewBytes(void* to, const void* from, size_t n) {
  auto* out = static_cast<unsigned char*>(to);
  auto* in = static_cast<const unsigned char*>(from);
  if (n < 4) {
    for (size_t i = 0; i < n; ++i) out[i] = in[i];
    return;
  }
  uint32_t w;
  for (size_t i = 0; i + 4 < n; i += 4) {
    __builtin_memcpy(&w, in + i, 4);
    __builtin_memcpy(out + i, &w, 4);
  }
  __builtin_memcpy(&w, in + n - 4, 4);
  __builtin_memcpy(out + n - 4, &w, 4);
}
