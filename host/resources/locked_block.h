// Reading a movable global block in place: the menu, accelerator and dialog
// converters take blocks as the resource readers hand them out.
#pragma once
#include <windows.h>

#include <cstddef>

// read(bytes, size) over the locked block; Result() when the block is null
// or cannot be locked.
template <typename Result, typename Read>
Result ReadLockedBlock(HGLOBAL block, Read read) {
  if (!block) return Result();
  size_t size = GlobalSize(block);
  const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(block));
  if (!p) return Result();
  Result result = read(p, size);
  GlobalUnlock(block);
  return result;
}
