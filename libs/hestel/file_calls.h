// The file-handle calls behind the library's exports. Handles are Windows
// file handles; failures leave the Windows error in the handle's registry
// entry or, for calls without an entry, in the error word.
#pragma once
#include <windows.h>

#include "file_object.h"  // FileRetryCalls
#include "variable.h"

namespace hestel {

// The lock, read and wait calls behind Lock's and RdBin's retries,
// replaceable by tests; null restores LockFile, ReadFile and Sleep.
void SetRetryCalls(const FileRetryCalls* calls);

// Opens an existing file; mode holds the words OREAD, OWRITE, DREAD,
// DWRITE, RDDOS and WRDOS anywhere and in any order. 0 on failure.
HANDLE OpenNamed(const char* name, const char* mode);
// Creates or empties a file (a null name: a temporary file). 0 on failure.
HANDLE CreateNamed(const char* name);
// 1 for a registered file (closed, a temporary one deleted); otherwise
// CloseHandle's result; 0 for handle 0.
int CloseFile(HANDLE file);
// The handle's last error: the error word for handle 0, the entry's error,
// or the thread's last error for a handle without an entry.
DWORD LastErrorOf(HANDLE file);
// A STRING with the entry's name, or a NULL record.
VARIABLE* NameOf(HANDLE file);

BOOL LockRange(HANDLE file, DWORD position, DWORD length, BOOL on);
DWORD FileSize(HANDLE file);
DWORD SeekFromStart(HANDLE file, LONG position);
DWORD CurrentPosition(HANDLE file);
// Reads at most count bytes, and never more than the text in buffer holds.
DWORD ReadBlock(HANDLE file, char* buffer, LONG count);
// The next text line as a STRING (no text when the line is empty).
VARIABLE* ReadLine(HANDLE file);
BOOL EndSeen(HANDLE file);
// Writes count bytes of buffer, and never more than its text holds; WRDOS
// converts them in the caller's buffer first.
BOOL WriteBlock(HANDLE file, char* buffer, LONG count);
BOOL WriteText(HANDLE file, char* text);

}  // namespace hestel
