// Installing a file with the system's version check, asking the user what
// to do when it fails.
#pragma once
#include <windows.h>

namespace hestel {

// Install's message for the flags VerInstallFileA returned (101 in use,
// 102 disk full, 103 access, 104 temporary file, 105 cannot delete, 106
// cannot rename, 107 memory; the first in that order), or 0 when none
// tells of a failure.
int InstallMessage(DWORD flags);

// Installs FileName from SrcDir into DstDir. A failure shows its message
// (from texts' string table) in a box captioned with the file's name:
// Ignore gives TRUE, Retry tries again, Abort gives FALSE. A null text
// gives FALSE without a box.
BOOL InstallFile(HINSTANCE texts, const char* fileName, const char* sourceDir, const char* targetDir);

}  // namespace hestel
