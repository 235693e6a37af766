#include "script_loader.h"

#include <cstring>

#include "loader_errors.h"
#include "script_scanner.h"

HGLOBAL LoadScript(const char* path, unsigned short* error, DWORD* line) {
  *error = 0;
  *line = 0;
  if (!path || !*path) return 0;
  // The main file is spliced by the same CHAIN line as every include.
  size_t n = std::strlen(path);
  DWORD length = static_cast<DWORD>(n + 8);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  char* text = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (!text) {
    if (block) GlobalFree(block);
    *error = kLoadErrorNoMemory;
    return 0;
  }
  std::memcpy(text, "CHAIN \"", 7);
  std::memcpy(text + 7, path, n);
  text[7 + n] = '"';
  GlobalUnlock(block);

  *error = PreprocessScript(&block, length, path, line);
  if (*error) {
    GlobalFree(block);
    return 0;
  }
  *line = 0;
  return block;
}
