#include "find_lists.h"

#include <new>
#include <set>

#include "critical_section.h"
#include "path_calls.h"
#include "text_results.h"

namespace hestel {

namespace {

CriticalSection liveLock;
std::set<FileList*> liveLists;

// The list with a current match, or null.
FileList* Matched(FileList* handle) {
  Held held(liveLock);
  return liveLists.count(handle) && handle->search ? handle : nullptr;
}

}  // namespace

FileList* NewFileList(const char* pattern) {
  FileList* list = new (std::nothrow) FileList();
  if (!list) return nullptr;
  HANDLE search = UsableName(pattern) ? FindFirstFileA(pattern, &list->match) : INVALID_HANDLE_VALUE;
  list->search = search == INVALID_HANDLE_VALUE ? nullptr : search;
  try {
    Held held(liveLock);
    liveLists.insert(list);
  } catch (...) {
    if (list->search) FindClose(list->search);
    delete list;
    return nullptr;
  }
  return list;
}

BOOL NextMatch(FileList* handle) {
  FileList* list = Matched(handle);
  return list && FindNextFileA(list->search, &list->match);
}

VARIABLE* MatchName(FileList* handle) {
  FileList* list = Matched(handle);
  return NewText(list ? list->match.cFileName : nullptr);
}

LONG MatchDate(FileList* handle) {
  FileList* list = Matched(handle);
  SYSTEMTIME utc;
  if (!list || !FileTimeToSystemTime(&list->match.ftLastWriteTime, &utc)) return 0;
  return utc.wYear * 10000 + utc.wMonth * 100 + utc.wDay;
}

LONG MatchSize(FileList* handle) {
  FileList* list = Matched(handle);
  return list ? static_cast<LONG>(list->match.nFileSizeLow) : 0;
}

int FreeFileList(FileList* handle) {
  {
    Held held(liveLock);
    if (!liveLists.erase(handle)) return 1;
  }
  if (handle->search) FindClose(handle->search);
  delete handle;
  return 1;
}

}  // namespace hestel
