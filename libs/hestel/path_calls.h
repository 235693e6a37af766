// Files and folders by name: existence, the first match of a pattern,
// erasing, moving, copying, the current folder and free disk space. Names
// and patterns are texts from scripts: a null one, or one of 260 characters
// or more, finds nothing and changes nothing.
#pragma once
#include <windows.h>

#include "variable.h"

namespace hestel {

bool UsableName(const char* name);

BOOL FileCanBeOpened(const char* name);
// The bare name of the first match; a STRING without text when none.
VARIABLE* FirstMatch(const char* pattern);
// These three clear the error word first and leave the Windows error in it.
BOOL EraseFile(const char* name);
// A target that exists is deleted and the move tried once more.
BOOL MoveFileTo(const char* oldName, const char* newName);
BOOL CopyFileTo(const char* oldName, const char* newName);
// The current folder ending in a backslash; NULL when it cannot be read or
// is 255 characters or more long.
VARIABLE* CurrentDirectory();
BOOL MakeDirectory(const char* name);
BOOL ChangeDirectory(const char* name);
BOOL RemoveEmptyDirectory(const char* name);
// Free bytes on the path's disk, at most 2147483647; 0 on failure.
LONG FreeDiskBytes(const char* path);

}  // namespace hestel
