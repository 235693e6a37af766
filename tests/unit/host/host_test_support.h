// Shared by the host tests: script files in a scratch directory, the INI
// file of the program, and message pumping on the test's own GUI thread.
#pragma once
#include <windows.h>

#include <string>

namespace host_test {

// A scratch directory for scripts (ends with '\'), made on first use.
const std::string& ScratchDirectory();
// Writes text (lines joined with "\r\n" by the caller) to the scratch file
// name; returns its full path.
std::string WriteScript(const std::string& name, const std::string& text);

// Key "WindowSize" of "KORVEX.INI" in section; "" when missing. Writing
// null removes the key.
std::string IniWindowSize(const char* section);
void SetIniWindowSize(const char* section, const char* value);

// A frame of the host's classes in this process, hidden and leaving the
// program's "Main" rectangle alone, for scripts started with StartScript
// (test_frame.cpp, for tests that link the host). CloseTestFrame destroys
// its script windows and waits until the frame has ended.
void OpenTestFrame();
void CloseTestFrame();
// Pumps until the frame's window is gone (its last script ended), at most
// timeout ms, and takes its WM_QUIT if still queued; whether it ended. The
// window, not the quit, is waited for: a frame that ends while an earlier
// wait pumps has its quit taken there.
bool WaitForFrameEnd(DWORD timeout);

// Dispatches this thread's messages until done() holds or timeout ms have
// passed; a WM_QUIT sets *quit (when given) and is not passed on.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeout, bool* quit = nullptr) {
  DWORD started = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        if (quit) *quit = true;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount() - started >= timeout) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace host_test
