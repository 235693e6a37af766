// Shared by the report tests: Dorvin.dll loaded once the print margins are
// in "KORVEX.INI" (Grusk reads them as it loads), the form file of the
// tests, forms made over the owner window, and message boxes answered
// while print jobs run (the progress dialog "Печать" is left alone: its
// only button is Стоп).
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "library_call.h"

namespace report_test {

// [MAIN] PrintMargin=10,10,10,10 before the first call loads the library.
const LibraryCall& Dorvin();
const LibraryCall& Hestel();

// The forms of the report tests (sections 1 to 6) in the scratch folder.
const std::string& FormFile();
// DORVIN_Form over the owner from the form file.
uint32_t MakeForm(HWND owner, long number);

class BoxAnswers {
 public:
  explicit BoxAnswers(std::vector<int> answers = {IDOK});
  ~BoxAnswers();
  // "caption: text" of each box answered.
  std::vector<std::string> Seen() const;

 private:
  void Run();
  mutable std::mutex lock_;
  std::vector<int> answers_;
  std::vector<std::string> seen_;
  std::vector<HWND> answered_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace report_test
