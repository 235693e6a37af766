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

// The columns with ink of a text box drawn on a white screen-like bitmap.
struct Ink {
  int first = -1, last = -1;
};
Ink DrawBox(Grusk& grusk, const char* alignment, const char* text) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 600, 60);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 600, 60};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  grusk.prnBox(dc, 0, 0, 100, 10, alignment, text);
  Ink ink;
  for (int x = 0; x < 600; ++x)
    for (int y = 0; y < 60; ++y)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
        if (ink.first < 0) ink.first = x;
        ink.last = x;
        break;
      }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return ink;
}

TEST(PrintJob, TextBoxAlignmentAndMissingTexts) {
  PrintKeys keep;
  PrintKeys::Set("0,0,0,0", nullptr);
  Grusk grusk;
  // The box is 100 mm wide: on the 1024x768 screen about 379 pixels.
  Ink left = DrawBox(grusk, nullptr, "WWW");  // no alignment: left
  EXPECT_GE(left.first, 0);
  EXPECT_LT(left.first, 5);
  Ink right = DrawBox(grusk, "R", "WWW");
  EXPECT_GT(right.last, 370);
  EXPECT_LT(right.last, 380);
  Ink centre = DrawBox(grusk, "C", "WWW");
  EXPECT_NEAR((centre.first + centre.last) / 2, 189, 3);
  EXPECT_EQ(DrawBox(grusk, "L", nullptr).first, -1);  // no text: nothing
}

}  // namespace
