// Hestel's tests: real files in a folder of the test's own under C:\kt\,
// and HESTEL's exports called the way the binder calls them (every
// argument one 32-bit word, VARIABLE results copied and handed to RELEASE).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "library_call.h"

// "C:\kt\<leaf>\", its files removed.
std::string FreshDirectory(const char* leaf);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);  // "<missing>" when absent
bool FileExists(const std::string& path);

// The folder of the test program, with its last backslash.
std::string BinDirectory();

// lock_holder, run beside the test, holding a byte range of a file (opened
// sharing read and write) from a second process until Release.
class HeldRange {
 public:
  HeldRange(const std::string& path, int offset, int length);
  ~HeldRange() { Release(); }
  HeldRange(const HeldRange&) = delete;
  HeldRange& operator=(const HeldRange&) = delete;
  bool held() const { return held_; }
  void Release();  // returns once the holder has ended

 private:
  HANDLE ready_, release_;
  PROCESS_INFORMATION process_ = {};
  bool held_ = false;
};

const LibraryCall& Hestel();

inline uint32_t Arg(int32_t n) { return static_cast<uint32_t>(n); }
inline uint32_t Arg(HANDLE h) { return Word(h); }
inline uint32_t Arg(const char* text) { return Word(text); }
inline uint32_t Arg(const std::string& text) { return Word(text.c_str()); }
inline HANDLE AsHandle(uint32_t word) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(word)); }

template <typename... Args>
int32_t Call(const char* name, const Args&... args) {
  return static_cast<int32_t>(Hestel()(name, {Arg(args)...}));
}
template <typename... Args>
HANDLE CallHandle(const char* name, const Args&... args) {
  return AsHandle(Hestel()(name, {Arg(args)...}));
}
// A VARIABLE result as text: "<NULL>" for a null pointer or a NULL record,
// else the STRING's text ("" when it has none).
std::string Taken(uint32_t word);
template <typename... Args>
std::string CallText(const char* name, const Args&... args) {
  return Taken(Hestel()(name, {Arg(args)...}));
}
