// Shared by the grid engine's tests: tables in the test data source KTEST,
// Praxel record sets over them, and a grid window on a GUI thread of its
// own (with an owner window that logs the WM_COMMANDs it gets), driven from
// the test's thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "grid_window.h"
#include "library_call.h"
#include "record_set_object.h"

namespace grid_test {

// N25(ID, NAME) 1..25 'R01'..'R25'; OSTREL_FIND(ID, NAME) with the names
// of the search check; OSTREL_WIDE(C1..C300) one row; OSTREL_BIG(ID,
// NAME) 70,000 rows. Made once per process.
void MakeTables();

// A Praxel record set over KTEST with a STATIC cursor and `cache` rows a
// page.
class Records {
 public:
  Records(const char* query, long cache);
  ~Records();
  Records(const Records&) = delete;
  Records& operator=(const Records&) = delete;

  bool open() const { return open_; }
  uint32_t handle() const { return set_; }
  RecordSetObject* get() const { return reinterpret_cast<RecordSetObject*>(set_); }
  RecordSetObject* operator->() const { return get(); }
  // PRAXEL_FldOption(name, option); PRAXEL_Refresh(1) (the record count).
  long Option(const char* name, const char* option);
  long Refresh();

 private:
  LibraryCall praxel_{"PRAXEL"};
  uint32_t base_ = 0;
  uint32_t set_ = 0;
  bool open_ = false;
};

// Client-area pixels as 0x00RRGGBB, row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
  // Writes a 24-bit BMP (kept under build/shots for a look).
  bool Save(const std::string& path) const;
};
uint32_t Rgb(COLORREF color);

class GridHarness {
 public:
  // An owner window (visible popup at 20,20 of the given client size) with
  // an "OSTRELCLASS" child filling it, hidden until Show.
  GridHarness(int width, int height);
  ~GridHarness();
  GridHarness(const GridHarness&) = delete;
  GridHarness& operator=(const GridHarness&) = delete;

  HWND table() const { return table_; }
  HWND owner() const { return owner_; }
  DWORD threadId() const { return threadId_; }
  RecordSetTable* object() const { return GridTableOf(table_); }

  // Runs f on the GUI thread and waits for it.
  void OnGui(const std::function<void()>& f);
  // SendMessage to the table (answered on the GUI thread).
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Attaches records and titles with MOVE on, shows the table, gives it
  // a paint; the result of SetGridRecordSet.
  bool Show(RecordSetObject* records, const char* titles, unsigned style = 0);
  // Sizes the table (and owner) so that exactly `rows` lines fit.
  void FitRows(int rows);
  // A key with Ctrl held (the GUI thread's key state).
  void CtrlKey(WPARAM key);
  long Selected();
  // The WM_COMMANDs the owner got: (command id, lParam).
  std::vector<std::pair<unsigned, long>> Log();
  void ClearLog();
  // Other messages the owner got (right button), as message numbers.
  std::vector<UINT> OtherMessages();
  // The owner's answer to WM_COMMAND (virtual columns); default 0.
  void AnswerCommands(std::function<LRESULT(WPARAM, LPARAM)> answer);
  Pixels Capture();

 private:
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(int width, int height);

  std::thread thread_;
  DWORD threadId_ = 0;
  HWND owner_ = nullptr;
  HWND table_ = nullptr;
  HANDLE ready_ = nullptr;
  std::mutex lock_;
  std::vector<std::pair<unsigned, long>> log_;
  std::vector<UINT> others_;
  std::function<LRESULT(WPARAM, LPARAM)> answer_;
};

// The whole screen as build/shots/<name>.png through ImageMagick's import
// (kept for a look).
void Screenshot(const std::string& name);

// The search popup of the thread's windows, waited for up to 5 s.
HWND WaitSearchPopup(DWORD thread);

// The pixels DrawTextA gives for `text` in the cell rectangle (narrowed by
// half a character as the grid narrows it) on white with the table's font
// and text colour.
Pixels DrawnCell(RecordSetTable* table, const RECT& cell, const char* text, int length, UINT flags);

}  // namespace grid_test
