// HESTEL's exports for files and folders by name, the open and save
// dialogs and installing a file.
#include "file_dialogs.h"
#include "install_file.h"
#include "library_frame.h"
#include "path_calls.h"

using namespace hestel;

KORVEX_EXPORT BOOL WINAPI Exists(const char* name) { return FileCanBeOpened(name); }
KORVEX_EXPORT VARIABLE* WINAPI Find(const char* pattern) { return FirstMatch(pattern); }
KORVEX_EXPORT BOOL WINAPI Erase(const char* name) { return EraseFile(name); }
KORVEX_EXPORT BOOL WINAPI Move(const char* oldName, const char* newName) { return MoveFileTo(oldName, newName); }
KORVEX_EXPORT BOOL WINAPI Copy(const char* oldName, const char* newName) { return CopyFileTo(oldName, newName); }
KORVEX_EXPORT VARIABLE* WINAPI GetDir() { return CurrentDirectory(); }
KORVEX_EXPORT BOOL WINAPI MkDir(const char* name) { return MakeDirectory(name); }
KORVEX_EXPORT BOOL WINAPI ChDir(const char* name) { return ChangeDirectory(name); }
KORVEX_EXPORT BOOL WINAPI RmDir(const char* name) { return RemoveEmptyDirectory(name); }
KORVEX_EXPORT LONG WINAPI DiskFree(const char* path) { return FreeDiskBytes(path); }

KORVEX_EXPORT VARIABLE* WINAPI GetOpen(HWND owner, const char* caption, const char* filter) {
  return AskFileName(false, owner, hInst, caption, filter);
}
KORVEX_EXPORT VARIABLE* WINAPI GetSave(HWND owner, const char* caption, const char* filter) {
  return AskFileName(true, owner, hInst, caption, filter);
}

KORVEX_EXPORT BOOL WINAPI Install(const char* fileName, const char* sourceDir, const char* targetDir) {
  return InstallFile(hInst, fileName, sourceDir, targetDir);
}
