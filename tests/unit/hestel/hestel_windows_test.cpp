// HESTEL's windows: Wine's own open and save dialogs and Install's message
// box, answered from a second thread while the call waits in this one.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "gui_driver.h"
#include "hestel_support.h"

namespace {

const int kNameField = 1148;  // the Explorer-style dialog's file name box

// The first visible dialog (class #32770) of this process owned by owner
// (any owner when null is not asked for); null when there is none.
HWND Dialog(HWND owner, bool anyOwner = false) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && gui::ClassOf(w) == "#32770" && IsWindowVisible(w) &&
        (anyOwner || GetWindow(w, GW_OWNER) == owner))
      return w;
  }
  return nullptr;
}

// Runs call while another thread hands each dialog owned by owner to
// answer; the call's result. A dialog still there 15 s after its answer is
// answered again (on a busy machine an answer can come while the dialog
// still fills itself); one still there after four answers (an unexpected
// box in front of it) fails the test and is closed.
template <typename Call>
auto Answered(HWND owner, std::function<void(HWND)> answer, Call call) -> decltype(call()) {
  std::atomic<bool> done(false);
  std::thread driver([&] {
    while (!done) {
      HWND found = Dialog(owner);
      if (!found) {
        Sleep(20);
        continue;
      }
      bool gone = false;
      for (int answers = 0; answers < 4 && !gone; ++answers) {
        answer(found);
        gone = gui::WaitFor([&] { return !IsWindow(found) || done; }, 15000);
      }
      if (gone) continue;
      ADD_FAILURE() << "a dialog stayed: " << gui::WindowText(Dialog(nullptr, true));
      for (int tries = 0; tries < 50 && Dialog(nullptr, true); ++tries) {
        gui::Send(Dialog(nullptr, true), WM_CLOSE, 0, 0);
        Sleep(100);
      }
    }
  });
  auto result = call();
  done = true;
  driver.join();
  return result;
}

class HestelDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = "C:\\dlg\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(owner); }
  // The dialog's title is kept; the name typed and OK pressed, or Cancel.
  std::string Ask(const char* call, const char* caption, const char* filter, const char* typed) {
    return Answered(owner, [&](HWND dialog) {
      title = gui::WindowText(dialog);
      if (!typed) return gui::AnswerMessageBox(dialog, IDCANCEL);
      gui::Send(GetDlgItem(dialog, kNameField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
      gui::AnswerMessageBox(dialog, IDOK);
    }, [&] { return CallText(call, owner, caption, filter); });
  }
  std::string dir, title;
  HWND owner = nullptr;
};

TEST_F(HestelDialogs, SaveAndOpen) {
  const char* filter = "Texts|*.txt|All|*.*|";
  EXPECT_EQ(dir + "report.txt", Ask("GetSave", "Сохранить отчёт", filter, "C:\\dlg\\report"));
  EXPECT_EQ("Сохранить отчёт", title);
  WriteFileBytes(dir + "a.txt", "a");
  EXPECT_EQ(dir + "a.txt", Ask("GetOpen", "Выбор", filter, "C:\\dlg\\a.txt"));
  EXPECT_EQ("Выбор", title);
  EXPECT_EQ("<NULL>", Ask("GetOpen", "Выбор", filter, nullptr));
  // No caption: the dialog's own title; no filter: the name as typed.
  EXPECT_EQ(dir + "plain", Ask("GetSave", nullptr, nullptr, "C:\\dlg\\plain"));
  EXPECT_FALSE(title.empty());
}

// The box Install shows: its text, whether it has the stop icon and the
// three buttons; then the button given is pressed.
struct Box {
  std::string caption, text;
  bool stopIcon = false;
  int shown = 0;
};

int32_t InstallAnswering(const char* file, const std::string& from, const std::string& to, int button,
                         Box* box, std::function<void()> before = [] {}) {
  return Answered(nullptr, [&](HWND w) {
    box->caption = gui::WindowText(w);
    box->text = gui::WaitForMessageBoxText(w);
    HWND icon = FindWindowExA(w, nullptr, "Static", nullptr);
    while (icon && !(GetWindowLongA(icon, GWL_STYLE) & SS_ICON)) icon = FindWindowExA(w, icon, "Static", nullptr);
    box->stopIcon = icon && gui::Send(icon, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_HAND)) &&
                    GetDlgItem(w, IDABORT) && GetDlgItem(w, IDRETRY) && GetDlgItem(w, IDIGNORE);
    ++box->shown;
    before();
    gui::AnswerMessageBox(w, button);
  }, [&] { return Call("Install", file, from, to); });
}

TEST(HestelInstall, VersionCheckedCopyAndItsFailures) {
  std::string from = FreshDirectory("vsrc"), to = FreshDirectory("vdst");
  WriteFileBytes(from + "a.txt", "new");
  WriteFileBytes(to + "a.txt", "old");
  Box box;
  EXPECT_EQ(1, InstallAnswering("a.txt", from, to, IDABORT, &box));
  EXPECT_EQ(0, box.shown);
  EXPECT_EQ("new", ReadFileBytes(to + "a.txt"));

  // The target held open by another process.
  WriteFileBytes(to + "a.txt", "old");
  HeldRange holder(to + "a.txt", 0, 1);
  ASSERT_TRUE(holder.held());
  EXPECT_EQ(1, InstallAnswering("a.txt", from, to, IDIGNORE, &box));
  EXPECT_EQ("a.txt", box.caption);
  EXPECT_EQ("Ошибка доступа к файлу", box.text);
  EXPECT_TRUE(box.stopIcon);
  EXPECT_EQ("old", ReadFileBytes(to + "a.txt"));
  box = Box();
  EXPECT_EQ(1, InstallAnswering("a.txt", from, to, IDRETRY, &box, [&] { holder.Release(); }));
  EXPECT_EQ(1, box.shown);  // the second attempt needed no box
  EXPECT_EQ("new", ReadFileBytes(to + "a.txt"));

  EXPECT_EQ(0, InstallAnswering("a.txt", from, "C:\\kt\\no_such_dir", IDABORT, &box));
  EXPECT_EQ("Ошибка создания временного файла", box.text);
}

}  // namespace
