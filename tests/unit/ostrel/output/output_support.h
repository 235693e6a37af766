// Shared by the table output tests: their KTEST tables, page files read
// back as records, the export dialog found and driven, and the folder
// where files for the native read-backs are left.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "page_file_support.h"

namespace output_test {

// PF_N3(A INTEGER, B VARCHAR(5)) 3 rows; PF_X(CODE VARCHAR(5), AMT REAL)
// ('A1', 1.5), ('B2', -20.25); PF_SP(K, V) (' 1 234.50', 'x'); PF_N200(ID, NAME) 200 rows; PF_BIG(ID,
// NAME) 25,000 rows. Made once per process.
void MakeTables();

// The folder for files the native checks read (build/ostrel_output), in
// Wine's form, ending in '\'.
std::string OutputDir();
bool SaveBytes(const std::string& path, const PageBytes& bytes);

// The whole page file from its start.
PageBytes ReadPageFile(HANDLE file);

struct Record {
  char type;
  int column;     // 'H', 'L', 'R'; '#' page number; 'B' sides
  unsigned flags;  // 'L', 'R'
  RECT box;        // 'H' all four, 'L'/'R' top and bottom, 'B' all four
  int width, height, charWidth, lineHeight;  // '#'
  std::string text;
};
// The records the walker gives, and "E" at the end when an 'E' ended it.
std::vector<Record> ReadRecords(const PageBytes& bytes);
std::string Types(const std::vector<Record>& records);

// A top-level dialog of this process with the caption, polled for up to
// timeout ms.
HWND WaitDialog(const char* caption, DWORD timeout);
void Click(HWND dialog, int id);
bool Checked(HWND dialog, int id);

// Answers, from a thread of its own, the message boxes of this process
// whose caption is `caption` (other dialogs, such as the progress dialog of
// a print job, are left alone) and keeps their texts.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(const char* caption = "ОШИБКА");
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  std::vector<std::string> Texts() const;

 private:
  std::string caption_;
  mutable std::mutex lock_;
  std::vector<std::string> texts_;
  std::vector<HWND> answered_;
  bool stop_ = false;
  std::thread thread_;
};

// A message box of this process with the caption other than `except`,
// polled for up to timeout ms.
HWND WaitBox(const char* caption, HWND except, DWORD timeout);

// The text of message `number` of the shared table.
std::string MessageText(int number);

// The clipboard's text in the format, "" when none.
std::string ClipboardText(UINT format);

}  // namespace output_test
