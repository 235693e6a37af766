// Reads a whole file into memory. Resource and bitmap files are read whole
// and parsed in memory; this is the one place that touches the file system.
#pragma once
#include <vector>

// Returns true with the file's bytes. On failure returns false and sets
// error: the Win32 error of opening or reading, 30 for a short read,
// 115 when the memory cannot be had.
bool ReadFileBytes(const char* path, std::vector<unsigned char>& bytes, unsigned short* error);
