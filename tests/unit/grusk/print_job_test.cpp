// Print jobs and their progress dialog, without paper: a job with DC 0 (a
// page file's), jobs refused on devices that cannot print, and the stop
// button pressed from another thread.
#include <gtest/gtest.h>

#include <thread>

#include "grusk_support.h"

using namespace grusk_test;

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// BM_CLICK posted to the stop button by another thread, as a user's click
// arrives while the job's thread is busy.
void PressStopFromAnotherThread(HWND dialog) {
  std::thread([dialog] { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }).join();
}

TEST(PrintJob, ProgressDialogOfAJobWithoutDevice) {
  Grusk grusk;
  OwnerWindow owner;
  ASSERT_EQ(grusk.prnStart(owner.hwnd(), nullptr, "Report"), 0u);
  EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
  HWND dialog = WaitForDialog("Печать", 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetParent(dialog), owner.hwnd());
  EXPECT_EQ(ItemText(dialog, 1001), "'Report'");
  EXPECT_EQ(ItemText(dialog, IDOK), "Стоп");
  UINT close = GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_TRUE(close & MF_GRAYED);

  EXPECT_FALSE(grusk.prnShow(2, 5));
  EXPECT_EQ(ItemText(dialog, 1000), "Страница 2 из 5");
  EXPECT_FALSE(grusk.prnShow(0x10003, 0x20007));  // pages by their low 16 bits
  EXPECT_EQ(ItemText(dialog, 1000), "Страница 3 из 7");

  // Esc and the close request leave the dialog alone.
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(grusk.prnShow(3, 5));
  EXPECT_TRUE(IsWindow(dialog));

  // A second job while one runs is refused and leaves it as it is.
  EXPECT_EQ(grusk.prnStart(owner.hwnd(), nullptr, "Other"), 101u);
  EXPECT_EQ(ItemText(dialog, 1001), "'Report'");

  PressStopFromAnotherThread(dialog);
  EXPECT_TRUE(grusk.prnShow(3, 5));
  EXPECT_TRUE(grusk.prnShow(4, 5));  // stays set until the next job
  EXPECT_EQ(grusk.prnStop(owner.hwnd(), nullptr), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(grusk.prnShow(1, 1));  // no job: only the flag

  // The next job starts clear, with the document name cut to 40 characters.
  std::string longName(50, 'x');
  ASSERT_EQ(grusk.prnStart(nullptr, nullptr, longName.c_str()), 0u);
  dialog = WaitForDialog("Печать", 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 1001), "'" + std::string(40, 'x') + "'");
  EXPECT_FALSE(grusk.prnShow(1, 1));
  EXPECT_EQ(grusk.prnStop(nullptr, nullptr), 0u);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(PrintJob, DevicesThatCannotPrintAreRefused) {
  Grusk grusk;
  OwnerWindow owner;
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(grusk.prnStart(owner.hwnd(), memory, "memory"), 104u);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(WaitForDialog("Печать", 0), nullptr);
  DeleteDC(memory);

  EXPECT_EQ(grusk.prnStart(owner.hwnd(), reinterpret_cast<HDC>(0x1234), "no device"), 101u);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(WaitForDialog("Печать", 0), nullptr);
}

TEST(PrintJob, ShowingProgressKeepsAQuitRequest) {
  Grusk grusk;
  ASSERT_EQ(grusk.prnStart(nullptr, nullptr, "quit"), 0u);
  PostQuitMessage(7);
  EXPECT_FALSE(grusk.prnShow(1, 2));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(grusk.prnStop(nullptr, nullptr), 0u);
}

TEST(PrintJob, TextBoxWithoutText) {
  Grusk grusk;
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(grusk.prnBox(screen, 0, 0, 50, 10, "L", nullptr), 0);  // nothing drawn
  ReleaseDC(nullptr, screen);
}

}  // namespace
