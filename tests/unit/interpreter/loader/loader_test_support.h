// Shared helpers of the loader tests: a private temporary directory, script
// files written byte for byte, and loading into a plain string.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

#include "script_loader.h"
#include "script_scanner.h"

namespace loader_test {

// A fresh directory under the temporary path, ending in '\'.
inline const std::string& TempDir() {
  static std::string dir = [] {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string d = std::string(base) + "korvex_loader_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(d.c_str(), nullptr);
    CreateDirectoryA((d + "sub").c_str(), nullptr);
    return d;
  }();
  return dir;
}

inline std::string WriteScript(const std::string& name, const std::string& bytes) {
  std::string path = TempDir() + name;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (h != INVALID_HANDLE_VALUE) {
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  return path;
}

inline void DeleteScript(const std::string& name) { DeleteFileA((TempDir() + name).c_str()); }

struct Loaded {
  bool ok = false;
  std::string text;          // the normal form when ok
  unsigned short error = 0;  // message number otherwise
  DWORD line = 0;
};

inline Loaded TakeBlock(HGLOBAL block) {
  Loaded r;
  r.ok = true;
  const char* p = static_cast<const char*>(GlobalLock(block));
  SIZE_T size = GlobalSize(block);
  r.text.assign(p, strnlen(p, size));
  GlobalUnlock(block);
  GlobalFree(block);
  return r;
}

inline Loaded LoadFile(const std::string& path) {
  Loaded r;
  HGLOBAL block = LoadScript(path.c_str(), &r.error, &r.line);
  if (!block) return r;
  Loaded ok = TakeBlock(block);
  ok.error = r.error;
  return ok;
}

// Writes source as main.bas of the temporary directory and loads it.
inline Loaded Load(const std::string& source) { return LoadFile(WriteScript("main.bas", source)); }

// Scans source straight from memory (CHAIN files relative to the temporary
// directory): the same scan without a file for the main text.
inline Loaded Scan(const std::string& source) {
  Loaded r;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, source.size() + 1);
  char* p = static_cast<char*>(GlobalLock(block));
  source.copy(p, source.size());
  GlobalUnlock(block);
  std::string mainPath = TempDir() + "main.bas";
  r.error = PreprocessScript(&block, static_cast<DWORD>(source.size()), mainPath.c_str(), &r.line);
  if (r.error) {
    GlobalFree(block);
    return r;
  }
  return TakeBlock(block);
}

}  // namespace loader_test
