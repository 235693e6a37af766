// Calls an extension library's exports as the binder does: loaded by its
// module name, each argument one 32-bit word, through CallExport.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "call_export.h"

class LibraryCall {
 public:
  explicit LibraryCall(const char* module) : library_(LoadLibraryA(module)) {}
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

 private:
  HMODULE library_;
};

template <class T>
uint32_t Word(T* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}
