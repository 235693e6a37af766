// Temporary files: a name made of eight letters from a seed, created only
// when no file of that name exists; the next seed is tried while one does.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace hestel {

// The directory followed by "A" plus each 4-bit group of the seed, highest
// first (eight letters "A" to "P"), and "0.tmp".
std::string TempFileName(const std::string& directory, uint32_t seed);

// Creates the first free name from the seed on (at most 65536 names) with
// CREATE_NEW, reading and writing, sharing read and write. Returns the
// handle and its name, or INVALID_HANDLE_VALUE with the thread's last error
// telling why.
HANDLE CreateTempFileIn(const std::string& directory, uint32_t seed, std::string* name);

}  // namespace hestel
