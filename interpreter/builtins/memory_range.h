// Whether a script-chosen address leads to memory the process may use, so
// that a bad address is refused instead of faulting. The answer is the
// operating system's view of the pages (committed, with the access right).
#pragma once
#include <cstddef>

bool IsWritableMemory(void* address, size_t size);
// The length of the zero-terminated text at address when all of it, its
// zero included, is readable; false otherwise.
bool ReadableTextLength(const char* address, size_t& length);
