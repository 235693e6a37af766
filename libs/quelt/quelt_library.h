// Quelt.dll's own state: the library's last error, the one re-entrant lock
// every export runs under, and the lifetime of shared tables.
#pragma once
#include <windows.h>

#include <cstdint>

#include "quelt.h"

void SetLibraryError(uint16_t error);
uint16_t LibraryError();

// Held by an export from its start to its end; a client's Notify may call
// the exports again on the same thread.
class LibraryLock {
 public:
  LibraryLock();
  ~LibraryLock();
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;
};
void StartLibraryLock();
void StopLibraryLock();

// The table when it is open in this library; else the library's error 6.
Table* KnownTable(Table* table);
// A table whose last client left inside a notification round is closed
// and destroyed once no round of it runs.
void EndOrphan(Table* table);
