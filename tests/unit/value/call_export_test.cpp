#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "call_export.h"

namespace {

extern "C" uint32_t WINAPI StdcallSubtract(uint32_t a, uint32_t b, uint32_t c) { return a - b - c; }
extern "C" uint32_t __cdecl CdeclSubtract(uint32_t a, uint32_t b, uint32_t c) { return a - b - c; }
extern "C" uint32_t WINAPI NoArguments() { return 0xC0FFEE; }

uint32_t StackPointer() {
  uint32_t esp;
  __asm__ volatile("movl %%esp, %0" : "=r"(esp));
  return esp;
}

// Calls through CallExport and reports the caller's stack pointer change.
uint32_t CallAndMeasure(const void* f, const uint32_t* words, uint32_t count, int32_t* drift) {
  uint32_t before = StackPointer();
  uint32_t result = CallExport(f, words, count);
  *drift = static_cast<int32_t>(StackPointer() - before);
  return result;
}

TEST(CallExport, ArgumentOrderAndStackForBothConventions) {
  // The array holds the last argument first: Subtract(100, 10, 1).
  const uint32_t words[] = {1, 10, 100};
  int32_t drift = -1;
  EXPECT_EQ(89u, CallAndMeasure(reinterpret_cast<const void*>(&StdcallSubtract), words, 3, &drift));
  EXPECT_EQ(0, drift);
  drift = -1;
  EXPECT_EQ(89u, CallAndMeasure(reinterpret_cast<const void*>(&CdeclSubtract), words, 3, &drift));
  EXPECT_EQ(0, drift);
}

TEST(CallExport, CountZeroAndHighBitsPushNothing) {
  int32_t drift = -1;
  EXPECT_EQ(0xC0FFEEu, CallAndMeasure(reinterpret_cast<const void*>(&NoArguments), nullptr, 0, &drift));
  EXPECT_EQ(0, drift);
  EXPECT_EQ(0xC0FFEEu, CallAndMeasure(reinterpret_cast<const void*>(&NoArguments), nullptr, 0x10000, &drift));
  EXPECT_EQ(0, drift);
}

TEST(CallExport, RealExportOfASystemLibrary) {
  // lstrlenA from kernel32, bound by name as the interpreter binds exports.
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const void* f = reinterpret_cast<const void*>(GetProcAddress(kernel, "lstrlenA"));
  ASSERT_NE(nullptr, f);
  const char* text = "korvex";
  const uint32_t words[] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(text))};
  int32_t drift = -1;
  EXPECT_EQ(6u, CallAndMeasure(f, words, 1, &drift));
  EXPECT_EQ(0, drift);
}

}  // namespace
