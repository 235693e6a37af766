// Test tool: drives the windows of another program under test. Starts it,
// finds its windows, sends and posts messages, reads window texts (in the
// ANSI code page, 1251), and answers its message boxes.
//
//   gui::Program korvex;
//   ASSERT_TRUE(korvex.Start("korvex.exe C:\\x.bas"));
//   HWND box = korvex.WaitForWindow("#32770", nullptr, 5000);
//   EXPECT_EQ(gui::MessageBoxText(box), "...");
//   gui::AnswerMessageBox(box, IDOK);
//   EXPECT_EQ(korvex.WaitExit(10000), 0u);
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace gui {

class Program {
 public:
  Program() = default;
  ~Program();  // a program still running is ended (code 999)
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // commandLine starts with the program's path (found as CreateProcess finds
  // it); the working directory is the caller's.
  bool Start(const std::string& commandLine);
  // The exit code, or STILL_ACTIVE when it is running after timeout ms.
  DWORD WaitExit(DWORD timeout);
  bool Running() const;
  DWORD Id() const { return id_; }

  // Top-level windows of the program (visible or not) in z order.
  std::vector<HWND> Windows() const;
  // The first top-level window of the class (null: any) and title (null:
  // any), polled until timeout ms; null when none came.
  HWND WaitForWindow(const char* className, const char* title, DWORD timeout) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Direct children of parent in z order whose class (null: any) matches.
std::vector<HWND> Children(HWND parent, const char* className);
std::string ClassOf(HWND window);
// The window's text through WM_GETTEXT (answered by the owning thread).
std::string WindowText(HWND window);

// Waits until the window is visible (a dialog shows once its controls hold
// their texts); false after timeout ms.
bool WaitUntilShown(HWND window, DWORD timeout);
// The texts of the static controls of a message box, one per line.
std::string MessageBoxText(HWND box);
// The same, waited for: a box can show before its texts are set. A dialog
// without texts costs the whole timeout.
std::string WaitForMessageBoxText(HWND box, DWORD timeout = 10000);
// The items of a list box (LB_GETTEXT crosses processes).
std::vector<std::string> ListBoxItems(HWND listBox);
// Presses the button (IDOK, IDCANCEL, ...) of a message box or dialog.
void AnswerMessageBox(HWND box, int button);

// With a time-out, so a hung program fails the test instead of blocking it.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Polls predicate every 20 ms until it holds or timeout ms have passed.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeout) {
  DWORD started = GetTickCount();
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - started >= timeout) return false;
    Sleep(20);
  }
}

// Screen rectangle of a window and the rectangle relative to its parent's
// client area.
RECT ScreenRect(HWND window);
RECT ClientRectInParent(HWND window);

// Makes this program's windows unmanaged (a per-program Wine setting in
// the test prefix): without a window manager Wine waits 2 s for each
// managed window that closes, so every answered box would cost 2 s. Call
// it before the program's first window (a static initializer).
void UseUnmanagedWindows();

// Answers the message boxes and dialogs of this very process from a thread
// of its own (the caller sits in the box's modal loop meanwhile): records
// each one's caption, text and buttons, then presses the next button of
// the list (the last one again once the list is used up; IDOK when the box
// lacks it).
//
//   gui::BoxWatcher watcher({IDRETRY, IDCANCEL});
//   ... code that shows boxes ...
//   auto boxes = watcher.Boxes();
class BoxWatcher {
 public:
  struct Box {
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // of IDOK .. IDNO, those the box has
    int answer;
  };

  explicit BoxWatcher(std::vector<int> answers = {IDOK});
  ~BoxWatcher();
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  std::vector<Box> Boxes() const;
  // Forgets what was seen and takes a new list of answers.
  void Reset(std::vector<int> answers);

 private:
  void Run();
  void Answer(HWND box);

  mutable std::mutex lock_;
  std::vector<int> answers_;
  size_t next_ = 0;
  std::vector<Box> boxes_;
  std::vector<HWND> answered_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace gui
