// A window of this process that owns record tables in the grid library's
// tests and logs the WM_COMMAND notices they send it, with Ostrel.dll's
// exports called as the binder calls them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "library_call.h"

namespace ostrel_test {

const LibraryCall& Ostrel();

class TableHost {
 public:
  TableHost();
  ~TableHost();
  TableHost(const TableHost&) = delete;
  TableHost& operator=(const TableHost&) = delete;

  HWND window() const { return window_; }
  uint32_t word() const { return Word(window_); }
  // OSTREL_Load over this window.
  uint32_t Load(const char* name);
  // The WM_COMMAND notices (wParam, lParam) received so far.
  std::vector<std::pair<WPARAM, LPARAM>> Notices() const;
  void ClearNotices();

 private:
  HWND window_ = nullptr;
};

// Handles this thread's queued messages for the time given.
void Pump(DWORD milliseconds);

}  // namespace ostrel_test
