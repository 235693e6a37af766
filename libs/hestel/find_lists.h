// File lists for scripts: a search by pattern, positioned on its current
// match. A script's handle is the list's address, but a script may pass any
// number (a list it freed, a typo), so every call looks the handle up among
// the live lists and treats an unknown one like a list that matched nothing.
#pragma once
#include <windows.h>

#include "variable.h"

namespace hestel {

struct FileList {
  WIN32_FIND_DATAA match;
  HANDLE search;  // 0 when nothing matched, never INVALID_HANDLE_VALUE
};

// A new list on the first match, also when nothing matches; null only when
// no memory is left.
FileList* NewFileList(const char* pattern);
BOOL NextMatch(FileList* list);
// The current match's name; the empty text when there is none.
VARIABLE* MatchName(FileList* list);
// Last write as year * 10000 + month * 100 + day in UTC; 0 when no match.
LONG MatchDate(FileList* list);
// The low 32 bits of the size; 0 when no match.
LONG MatchSize(FileList* list);
// Ends the search and frees a live list; 1 always.
int FreeFileList(FileList* list);

}  // namespace hestel
