// Text length for values. Every copy and join of a STRING value measures
// its text, and Wine's C runtime counts a text byte by byte; where the
// processor has SSE2 the bytes are looked at sixteen at a time.
#include <windows.h>

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "text_helpers.h"

namespace {

__attribute__((target("sse2"))) unsigned ZerosIn(const __m128i* block) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block), _mm_setzero_si128())));
}

__attribute__((target("sse2"))) size_t LengthBySixteen(const char* text) {
  // Aligned loads stay inside the 16-byte blocks the text touches, so they
  // never reach a page the text does not lie on.
  uintptr_t address = reinterpret_cast<uintptr_t>(text);
  const __m128i* block = reinterpret_cast<const __m128i*>(address & ~static_cast<uintptr_t>(15));
  unsigned zeros = ZerosIn(block) >> (address & 15);  // not the bytes in front of the text
  if (zeros) return static_cast<size_t>(__builtin_ctz(zeros));
  // Up to a 64-byte boundary by sixteen, then 64 bytes a step: the least
  // byte of four blocks is zero when one of them holds the zero.
  for (++block; reinterpret_cast<uintptr_t>(block) & 63; ++block)
    if ((zeros = ZerosIn(block)) != 0) break;
  while (!zeros) {
    __m128i least = _mm_min_epu8(_mm_min_epu8(_mm_load_si128(block), _mm_load_si128(block + 1)),
                                 _mm_min_epu8(_mm_load_si128(block + 2), _mm_load_si128(block + 3)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(least, _mm_setzero_si128())) == 0) {
      block += 4;
      continue;
    }
    while ((zeros = ZerosIn(block)) == 0) ++block;
  }
  return static_cast<size_t>(reinterpret_cast<const char*>(block) - text) +
         static_cast<size_t>(__builtin_ctz(zeros));
}

// False until set, so a text measured while the program's statics are still
// being made is counted by the C runtime.
const bool kSixteenAtATime = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0;

}  // namespace

size_t TextLength(const char* text) {
  if (!text) return 0;
  return kSixteenAtATime ? LengthBySixteen(text) : std::strlen(text);
}
