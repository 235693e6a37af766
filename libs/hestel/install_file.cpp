#include "install_file.h"

namespace hestel {

int InstallMessage(DWORD flags) {
  static const struct {
    DWORD flags;
    int message;
  } kOrder[] = {
      {VIF_FILEINUSE, 101},
      {VIF_OUTOFSPACE, 102},
      {VIF_ACCESSVIOLATION | VIF_SHARINGVIOLATION | VIF_CANNOTREADSRC | VIF_CANNOTREADDST, 103},
      {VIF_CANNOTCREATE, 104},
      {VIF_CANNOTDELETE | VIF_CANNOTDELETECUR, 105},
      {VIF_CANNOTRENAME, 106},
      {VIF_OUTOFMEMORY, 107},
  };
  for (const auto& entry : kOrder)
    if (flags & entry.flags) return entry.message;
  return 0;
}

BOOL InstallFile(HINSTANCE texts, const char* fileName, const char* sourceDir, const char* targetDir) {
  if (!fileName || !sourceDir || !targetDir) return FALSE;
  for (;;) {
    char temporary[MAX_PATH] = "";
    UINT temporaryLength = sizeof temporary;
    // The call takes writable texts but only reads them.
    char* file = const_cast<char*>(fileName);
    char* target = const_cast<char*>(targetDir);
    DWORD flags = VerInstallFileA(VIFF_FORCEINSTALL, file, file, const_cast<char*>(sourceDir),
                                  target, target, temporary, &temporaryLength);
    int message = InstallMessage(flags);
    if (!message) return TRUE;
    char text[256] = "";
    LoadStringA(texts, message, text, sizeof text);
    switch (MessageBoxA(nullptr, text, fileName, MB_ICONSTOP | MB_ABORTRETRYIGNORE)) {
      case IDIGNORE:
        return TRUE;
      case IDRETRY:
        continue;
      default:
        return FALSE;
    }
  }
}

}  // namespace hestel
