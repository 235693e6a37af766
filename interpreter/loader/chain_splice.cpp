#include "chain_splice.h"

#include <cstring>
#include <string>

#include "blank_helpers.h"
#include "loader_errors.h"

namespace {

// Largest text the loader builds: positions stay well inside 32 bits.
const DWORD kMaxText = 0x7FFFFFF0;

HANDLE OpenForReading(const std::string& name) {
  if (name.empty()) return INVALID_HANDLE_VALUE;
  return CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string MainDirectory(const char* mainPath) {
  size_t cut = 0;
  for (size_t i = 0; mainPath[i]; ++i)
    if (mainPath[i] == '\\' || mainPath[i] == ':') cut = i + 1;
  return std::string(mainPath, cut);
}

std::string FileNameOf(const char* text, ChainLine line) {
  DWORD from = line.start + 7;  // behind `CHAIN "`
  DWORD to = from;
  while (to < line.textEnd && text[to] != '"') ++to;
  std::string name(text + from, to - from);
  if (name.empty()) return name;
  name.resize(RemoveBlanks(&name[0], static_cast<unsigned>(name.size() + 1)));
  return name;
}

// Moves the tail, reads the file into the gap. The block is unlocked on return.
unsigned short Insert(HGLOBAL* block, DWORD* length, ChainLine line, HANDLE file, DWORD size) {
  DWORD tail = *length - line.end;  // bytes behind the line end, NUL not counted
  DWORD newLength = line.start + size + tail;
  if (GlobalSize(*block) < newLength + 1) {
    HGLOBAL grown = GlobalReAlloc(*block, newLength + 1, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return kLoadErrorNoMemory;
    *block = grown;
  }
  char* text = static_cast<char*>(GlobalLock(*block));
  if (!text) return kLoadErrorNoMemory;
  std::memmove(text + line.start + size, text + line.end, tail + 1);
  DWORD got = 0;
  BOOL read = size == 0 || ReadFile(file, text + line.start, size, &got, nullptr);
  if (!read || got != size) {
    GlobalUnlock(*block);
    return kLoadErrorOpenFile;
  }
  GlobalUnlock(*block);
  *length = newLength;
  return 0;
}

}  // namespace

unsigned short SpliceChainFile(HGLOBAL* block, DWORD* length, const char* mainPath, ChainLine line,
                               IncludeStack* includes) {
  const char* text = static_cast<const char*>(GlobalLock(*block));
  if (!text) return kLoadErrorNoMemory;
  std::string name = FileNameOf(text, line);
  GlobalUnlock(*block);

  HANDLE file = OpenForReading(name);
  if (file == INVALID_HANDLE_VALUE) {
    name = MainDirectory(mainPath) + name;
    file = OpenForReading(name);
  }
  if (file == INVALID_HANDLE_VALUE) return kLoadErrorOpenFile;

  ScriptFileId id = ScriptFileId::Of(file, name.c_str());
  unsigned short error = 0;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  DWORD kept = *length - (line.end - line.start);
  if (includes && includes->Contains(id))
    error = kLoadErrorOpenFile;
  else if (GetFileType(file) != FILE_TYPE_DISK)  // a device such as CON would wait for input
    error = kLoadErrorOpenFile;
  else if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
    error = kLoadErrorOpenFile;
  else if (high != 0 || size > kMaxText - kept)
    error = kLoadErrorNoMemory;
  else
    error = Insert(block, length, line, file, size);
  CloseHandle(file);
  if (error) return error;

  if (includes) {
    includes->Shift(line.end, static_cast<long long>(line.start) + size - line.end);
    includes->Push(id, line.start + size);
  }
  return 0;
}
