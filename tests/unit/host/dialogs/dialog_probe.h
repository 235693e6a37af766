// Dialogs of this process, read and answered from a thread of the test's
// own while the test's GUI thread pumps: the error and STOP dialogs of a
// script thread run their loops on that thread, those of a WINDOW script
// inside the GUI thread's dispatch.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace host_test {

struct DialogView {
  HWND window = nullptr;
  std::string caption;
  std::string message;                  // static 1001
  std::vector<std::string> lines;       // list box 1003
  int selection = -1;
  int top = -1;
  std::vector<std::string> columns;     // the list view's column titles
  std::vector<std::vector<std::string>> rows;
  std::vector<LPARAM> rowData;
  std::string loopDepth, ifDepth;       // edits 1010, 1011
};

// A visible dialog (class "#32770") of this process whose caption is title
// (null: any) and that is not except; null when none came in timeout ms.
HWND WaitForDialog(const char* title, DWORD timeout, HWND except = nullptr);
// Its caption, texts, lines and the rows of its list view (listId).
DialogView ReadDialog(HWND dialog, int listId);
// A dialog read and answered with a button.
DialogView AnswerDialog(const char* title, int button, int listId = 1004);
// Posts the button's click.
void Press(HWND dialog, int button);
// Selects the list view's row and double-clicks it, as a user does.
void DoubleClickRow(HWND listView, int row);

// Runs work on a thread of its own while this thread dispatches its
// messages; false when it did not end within timeout ms.
bool WhilePumping(const std::function<void()>& work, DWORD timeout = 20000);

}  // namespace host_test
