// Shared by the window statement tests: a frame of the host's own classes
// in this process with scripts started in it, and a thread that answers
// the dialogs and message boxes the scripts show.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "gui_driver.h"
#include "variable.h"

namespace window_test {

// The compiled samples: menus and accelerators (window_samples.rc), and the
// resource readers' samples with the bitmap LOGO.
std::string WindowSamples();
std::string HostSamples();

// A file of the scratch folder.
std::string ScratchFile(const std::string& name);
// The file's bytes once it is there (it may be written later), "<none>"
// after timeout ms.
std::string ReadWhenThere(const std::string& path, DWORD timeout = 15000);
// Runs a program of the machine (not a Windows one) and waits for it.
void RunUnixCommand(const std::string& commandLine);
// A screenshot of the whole display as shots/<name>.png in the build tree.
void Screenshot(const std::string& name);
// The X window behind a top-level window of any Wine process.
unsigned long XWindowOf(HWND window);
// The colour on the screen at the point of the window's client area.
COLORREF ScreenPixel(HWND window, int x, int y);
// The first shown dialog (class "#32770") of the program with the title
// (null: any), polled until timeout ms.
HWND WaitForDialog(const gui::Program& program, const char* title, DWORD timeout = 15000);

// Answers every dialog of this process (class "#32770", shown) with the
// button, from a thread of its own, while it lives. Each one's caption and
// texts are kept as "caption: text".
class DialogAnswerer {
 public:
  explicit DialogAnswerer(int button = IDOK);
  ~DialogAnswerer();
  std::vector<std::string> Seen();

 private:
  void Watch();

  int button_;
  volatile bool done_ = false;
  std::mutex lock_;
  std::set<HWND> answered_;
  std::vector<std::string> seen_;
  std::thread thread_;
};

// One frame for the whole suite, kept by a script window of its own (the
// frame ends with its last script window); each test's windows go after it.
// Once a shown dialog of this process with the title comes (within 10 s),
// runs act with it on a thread of its own; the destructor waits for that.
class DialogDriver {
 public:
  DialogDriver(const char* title, std::function<void(HWND)> act);
  ~DialogDriver();
  bool Acted() const { return acted_; }

 private:
  volatile bool acted_ = false;
  std::thread thread_;
};

class WindowScripts : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A script started in the frame (its file written to the scratch folder).
  HWND Start(const std::string& name, const std::string& text);
  // A WINDOW script that has run its body and waits for events.
  HWND Open(const std::string& name, const std::string& body = "");
  // The window's variable once it exists (null after timeout ms).
  static VARIABLE* WaitForVariable(HWND window, const char* name, DWORD timeout = 3000);
  static int32_t Long(HWND window, const char* name);
  static std::string Text(HWND window, const char* name);
  // Runs a text in the window's context, answering what it shows with the
  // button (what was shown goes to seen); the error number.
  static uint32_t Run(HWND window, const std::string& text, int button = IDOK,
                      std::vector<std::string>* seen = nullptr);
  static void Pump(DWORD milliseconds);
  static bool WaitForFrameEnd(DWORD timeout);

  static HWND keeper_;
};

}  // namespace window_test
