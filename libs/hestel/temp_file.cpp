#include "temp_file.h"

namespace hestel {

namespace {

const uint32_t kMostNames = 65536;

// Windows gives 80 for a name that exists; 183 is the other way to say so.
bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

}  // namespace

std::string TempFileName(const std::string& directory, uint32_t seed) {
  std::string name = directory;
  for (int shift = 28; shift >= 0; shift -= 4)
    name += static_cast<char>('A' + ((seed >> shift) & 0xF));
  name += "0.tmp";
  return name;
}

HANDLE CreateTempFileIn(const std::string& directory, uint32_t seed, std::string* name) {
  for (uint32_t tried = 0; tried < kMostNames; ++tried, ++seed) {
    *name = TempFileName(directory, seed);
    HANDLE file = CreateFileA(name->c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (!NameTaken(GetLastError())) return INVALID_HANDLE_VALUE;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace hestel
