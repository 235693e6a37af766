// Hestel's interface for other libraries: the file calls they link through
// the import library (target Hestel). Scripts reach the same calls through
// the declarations of the library's string table.
#pragma once
#include <windows.h>

#ifdef HESTEL_BUILD
#define HESTEL_API __declspec(dllexport)
#else
#define HESTEL_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Creates or empties the named file for reading and writing, shared with
// nobody. A null name makes a new temporary file in the temporary directory
// that is deleted when HESTEL_CLOSE closes it (or when the library is
// unloaded). Returns the file handle, or 0 on failure.
HESTEL_API HANDLE WINAPI HESTEL_CREATE(const char* name);

// Closes a handle: a file made by Hestel is closed (a temporary one is
// deleted) and 1 returned; another handle is closed by CloseHandle, whose
// result is returned; 0 gives 0.
HESTEL_API int WINAPI HESTEL_CLOSE(HANDLE file);

#ifdef __cplusplus
}
#endif
