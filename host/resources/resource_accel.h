// Accelerator tables from accelerator resources of either layout.
#pragma once
#include <windows.h>

#include <cstddef>

// 16-bit entries are 5 bytes (8-bit flags, key, command), 32-bit entries 8
// bytes (16-bit flags of which the low byte counts, key, command, padding).
// The count is the data size divided by the entry size. 0 when empty.
HACCEL CreateAccelerators(HGLOBAL block, int layout);
HACCEL CreateAcceleratorsData(const unsigned char* data, size_t size, int layout);
