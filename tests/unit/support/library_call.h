// Calls an extension library's exports as the binder does: loaded by its
// module name, each argument one 32-bit word, through CallExport.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "call_export.h"

class LibraryCall {
 public:
  explicit LibraryCall(const char* module) : module_(module), library_(LoadLibraryA(module)) {}
  ~LibraryCall() {
    if (library_) FreeLibrary(library_);
  }
  LibraryCall(const LibraryCall&) = delete;
  LibraryCall& operator=(const LibraryCall&) = delete;

  HMODULE library() const { return library_; }

  // The export's result; arguments in script order.
  uint32_t operator()(const char* name, std::initializer_list<uint32_t> arguments = {}) const {
    const void* address = reinterpret_cast<const void*>(GetProcAddress(library_, name));
    EXPECT_NE(nullptr, address) << name;
    if (!address) return 0;
    std::vector<uint32_t> words(arguments.begin(), arguments.end());
    std::vector<uint32_t> lastFirst(words.rbegin(), words.rend());
    return CallExport(address, lastFirst.data(), static_cast<uint32_t>(lastFirst.size()));
  }

  // Declaration strings 1, 2, ... up to the first missing one, loaded from
  // the instance that the handle export returns.
  std::vector<std::string> Declarations() const {
    std::vector<std::string> texts;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>((*this)((module_ + "_HANDLE").c_str()));
    char buffer[260];
    for (int id = 1; id <= 99; ++id) {
      int length = LoadStringA(instance, id, buffer, sizeof buffer);
      if (length <= 0) break;
      texts.emplace_back(buffer, length);
    }
    return texts;
  }

 private:
  std::string module_;
  HMODULE library_;
};

template <class T>
uint32_t Word(T* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}
