#include "message_block.h"

#include <cstdint>
#include <cstring>

namespace {
const SIZE_T kMinimumGrowth = 512;
}  // namespace

BOOL AppendMessageText(HGLOBAL* block, const char* text) {
  if (!block || !*block || !text) return FALSE;
  SIZE_T size = GlobalSize(*block);
  if (size < sizeof(uint16_t)) return FALSE;
  uint16_t used = 0;
  if (void* p = GlobalLock(*block)) {
    std::memcpy(&used, p, sizeof used);
    GlobalUnlock(*block);
  } else {
    return FALSE;
  }
  if (used < sizeof(uint16_t) || used > size) return FALSE;
  SIZE_T length = std::strlen(text);
  if (used + length + 2 > 0xFFFF) return FALSE;  // the count is 16 bits
  if (size < used + length + 3) {
    SIZE_T growth = length + 3 > kMinimumGrowth ? length + 3 : kMinimumGrowth;
    HGLOBAL grown = GlobalReAlloc(*block, used + growth, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return FALSE;
    *block = grown;
  }
  char* p = static_cast<char*>(GlobalLock(*block));
  if (!p) return FALSE;
  std::memcpy(p + used, text, length);
  std::memcpy(p + used + length, "\r\n", 3);
  used = static_cast<uint16_t>(used + length + 2);
  std::memcpy(p, &used, sizeof used);
  GlobalUnlock(*block);
  return TRUE;
}
