// Shared by the Nimbet tests: calls as the binder makes them, result records,
// message boxes answered from a second thread, screenshots and a small AVI.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "library_call.h"

namespace nimbet_test {

// The library, loaded by its module name for the whole test program.
const LibraryCall& Nimbet();

// The text of a VARIABLE result ("<NULL>" for a NULL record, "<none>" for
// no record), after which the record goes back to RELEASE.
std::string Taken(uint32_t record);

// Answers (OK) every message box that this process shows while it lives and
// keeps "caption: text" of each.
class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  std::vector<std::string> Boxes();

 private:
  void Run();
  std::atomic<bool> done_{false};
  std::mutex lock_;
  std::vector<std::string> boxes_;
  std::thread thread_;
};

// A top-level window of a class of the test (registered on first use),
// shown at (20, 20) in the given size.
HWND MakeTestWindow(const char* className, WNDPROC procedure, DWORD style, int width, int height);

// Saves what the screen shows of the window as a 24-bit BMP named
// name.bmp in the screens directory of the build (ctest turns it into a
// PNG afterwards); false when it cannot be written.
bool SaveScreenshot(HWND window, const std::string& name);

// Writes an uncompressed 24-bit AVI ("DIB " frames) of a moving bar.
bool WriteSampleAvi(const std::string& path, int width, int height, int frames);

}  // namespace nimbet_test
