// The registry of files that Hestel opened: one FILE entry per handle, in
// creation order, shared by every script thread of the process. Entries are
// reached by handle only; no entry pointer leaves the registry's lock, so a
// thread closing a file never pulls an entry from under another thread's
// read.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace hestel {

// Mode flags: texts read are converted from OEM to ANSI (RDDOS), texts
// written from ANSI to OEM (WRDOS).
const uint8_t kReadDos = 1;
const uint8_t kWriteDos = 2;
// State flags: RdStr saw the end of the file; the file is deleted with its
// entry (temporary files).
const uint8_t kEndSeen = 1;
const uint8_t kDeleteOnClose = 2;

class FILE {
 public:
  explicit FILE(HANDLE file);
  // Closes the handle while it still names the file the entry was made for,
  // deletes a temporary file, frees the name.
  ~FILE();
  FILE(const FILE&) = delete;
  FILE& operator=(const FILE&) = delete;

  // Keeps a heap copy of the name (null when it cannot be copied).
  void SetName(const char* fileName);
  // The handle is someone else's now: the entry goes without closing it.
  void Disown() { handle = nullptr; }

  HANDLE handle;
  char* name;
  FILE* next;
  uint16_t error;  // the handle's last Windows error, 0 for none
  uint8_t mode;    // kReadDos, kWriteDos
  uint8_t state;   // kEndSeen, kDeleteOnClose
  bool seekable;   // a disk file (RdStr may read ahead and step back)

 private:
  // Which file the handle named when the entry was made: a handle closed
  // behind the registry's back may come back from Windows for another file.
  bool NamesSameFile() const;
  bool identified;
  DWORD volume, indexHigh, indexLow;
};

// What a file operation needs of an entry, copied out under the lock.
struct FileView {
  uint8_t mode;
  uint8_t state;
  bool seekable;
};

// Appends an entry for a new handle. An entry already holding the same value
// is stale (its handle was closed by CloseHandle and Windows gave the value
// out again): it is dropped first, its temporary file deleted, the handle
// left open. False when no memory is left.
bool AddFile(HANDLE file, const char* name, uint8_t mode, uint8_t state);
// Unlinks and destroys the handle's entry; false when it has none.
bool KillFile(HANDLE file);
// Destroys every entry (the library's stop routine).
void KillAll();

bool ViewFile(HANDLE file, FileView* view);
bool HasFile(HANDLE file);
// The entry's last error; false when the handle has none.
bool FileError(HANDLE file, uint16_t* error);
// No-ops for a handle without an entry.
void StoreFileError(HANDLE file, uint32_t error);
void MarkFileEnd(HANDLE file);
// The entry's name; false without an entry or a name.
bool FileName(HANDLE file, std::string* name);

// The last error of the calls that have no handle entry (Open, Create and
// the path and mailslot calls): a 32-bit Windows error, 0 for none.
uint32_t ErrorWord();
void SetErrorWord(uint32_t error);

}  // namespace hestel
