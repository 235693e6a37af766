// Calls an extension-library function with a list of 32-bit words. The
// array holds the last argument first. The stack is restored from the
// caller's frame afterwards, so stdcall and cdecl callees both work.
#pragma once
#include <cstdint>

extern "C" uint32_t CallExport(const void* function, const uint32_t* words, uint32_t count);
