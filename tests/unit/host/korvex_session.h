// korvex.exe running one script, for tests end to end: the script is
// written to the scratch directory, korvex is started on it through the GUI
// driver, and what the script writes (WRITE ... WRITE TO FILE) is read back
// byte for byte from its result file.
#pragma once
#include <windows.h>

#include <string>

#include "gui_driver.h"

namespace host_test {

// The quoted path of korvex.exe beside this test.
std::string KorvexCommand();
// The first script window (class "KORVEX_CLASS") of a frame, or null.
HWND ScriptWindowOf(HWND frame);

class KorvexSession {
 public:
  // Ends korvex: its script windows are destroyed; a program that hangs is
  // killed by the driver.
  ~KorvexSession();

  // Writes the script as name (each "%OUT%" in it becomes the result
  // file's path), removes an old result file and starts korvex on it; true
  // once its script window is there, or when korvex has already ended (a
  // short script may finish before its window is seen; Script() is null).
  bool Start(const std::string& name, const std::string& text);
  // The result file's bytes once the script has written it; "<none>" when
  // it did not come within timeout ms.
  std::string Result(DWORD timeout = 15000) const;
  bool ResultExists() const;

  HWND Frame() const { return frame_; }
  HWND Script() const { return script_; }
  gui::Program& Program() { return korvex_; }

 private:
  gui::Program korvex_;
  std::string result_;
  HWND frame_ = nullptr;
  HWND script_ = nullptr;
};

}  // namespace host_test
