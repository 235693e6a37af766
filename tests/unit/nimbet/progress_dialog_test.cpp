// The progress and wait dialogs in this process, over an owner window of the
// test: what the bar shows, when the pump runs the thread's messages, the
// stop button, the quit message, and handles that name no open dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "gui_driver.h"
#include "nimbet_test_support.h"

using nimbet_test::Nimbet;

namespace {

int appMessages = 0;
HWND closeOnApp = nullptr;  // a dialog that the owner's WM_APP handler closes

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    ++appMessages;
    if (closeOnApp) Nimbet()("PBCLOSE", {Word(closeOnApp)});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeOwner() {
  HWND owner = nimbet_test::MakeTestWindow("NimbetTestOwner", OwnerProc, WS_OVERLAPPEDWINDOW, 500, 300);
  SetFocus(owner);
  return owner;
}

void Drain() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

HWND Open(HWND owner, const char* title) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(Nimbet()("PBOPEN", {Word(owner), Word(title)})));
}
uint32_t Position(HWND dialog, long position, long range) {
  return Nimbet()("PBPOSITION", {Word(dialog), static_cast<uint32_t>(position), static_cast<uint32_t>(range)});
}
LRESULT Bar(HWND dialog) { return SendDlgItemMessageA(dialog, 1000, PBM_GETPOS, 0, 0); }
bool Queued(UINT message) {
  MSG m;
  return PeekMessageA(&m, nullptr, message, message, PM_NOREMOVE) != 0;
}

TEST(NimbetProgress, BarMovesInStepsAndPumpsAtTens) {
  HWND owner = MakeOwner();
  HWND dialog = Open(owner, "Загрузка");
  ASSERT_TRUE(dialog);
  EXPECT_EQ("#32770", gui::ClassOf(dialog));
  EXPECT_EQ("Загрузка", gui::WindowText(dialog));
  EXPECT_EQ("СТОП", gui::WindowText(GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(owner, GetWindow(dialog, GW_OWNER));
  EXPECT_NE(nullptr, GetPropA(dialog, "PROGRESS"));
  EXPECT_FALSE(IsWindowEnabled(owner));
  Drain();

  appMessages = 0;
  PostMessageA(owner, WM_APP, 0, 0);
  for (long p = 0; p <= 3; ++p) EXPECT_EQ(0u, Position(dialog, p, 100));
  EXPECT_EQ(2, Bar(dialog)) << "a move of one point is not shown";
  EXPECT_TRUE(Queued(WM_APP)) << "no pump below a tens mark";
  EXPECT_EQ(0u, Position(dialog, 10, 100));
  EXPECT_EQ(10, Bar(dialog));
  EXPECT_EQ(1, appMessages) << "the pump at 10 % ran the owner's message";
  EXPECT_EQ(0u, Position(dialog, 150, 100));
  EXPECT_EQ(0u, Position(dialog, 5, 0));
  EXPECT_EQ(0u, Position(dialog, -20, 100));
  EXPECT_EQ(10, Bar(dialog));

  EXPECT_EQ(0u, Position(dialog, 500, 1000));
  EXPECT_EQ(50, Bar(dialog));
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(200);
  Drain();
  EXPECT_TRUE(nimbet_test::SaveScreenshot(dialog, "nimbet_progress_50"));

  Nimbet()("PBTEXT", {Word(dialog), Word("Сортировка данных")});
  EXPECT_EQ("Сортировка данных", gui::WindowText(dialog));
  Nimbet()("PBTEXT", {Word(dialog), 0});
  EXPECT_EQ("Сортировка данных", gui::WindowText(dialog)) << "a NULL title leaves the caption";

  SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindow(dialog)) << "the stop button leaves the dialog open";
  EXPECT_EQ(1u, Position(dialog, 60, 100));
  EXPECT_EQ(1u, Position(dialog, 5, 0));

  // A quit message taken by the pump goes back to the queue with its code.
  PostQuitMessage(7);
  EXPECT_EQ(1u, Position(dialog, 20, 100));
  MSG quit = {};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, quit.wParam);

  Nimbet()("PBCLOSE", {Word(dialog)});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(owner, GetFocus());
  DestroyWindow(owner);
}

TEST(NimbetProgress, HandlesOfNoOpenDialogDoNothing) {
  HWND owner = MakeOwner();
  EXPECT_EQ(nullptr, Open(nullptr, "x"));
  EXPECT_EQ(nullptr, Open(reinterpret_cast<HWND>(0x1234), "x"));
  EXPECT_TRUE(IsWindowEnabled(owner));

  // Another window, and a dialog already closed: never destroyed or freed.
  Nimbet()("PBCLOSE", {Word(owner)});
  Nimbet()("WDCLOSE", {Word(owner)});
  EXPECT_TRUE(IsWindow(owner));
  EXPECT_EQ(0u, Position(owner, 50, 100));
  EXPECT_EQ(0u, Nimbet()("WDTEXT", {Word(owner), Word("x")}));
  Nimbet()("PBTEXT", {Word(owner), Word("x")});
  EXPECT_EQ("owner", gui::WindowText(owner));
  HWND dialog = Open(owner, nullptr);
  ASSERT_TRUE(dialog);
  EXPECT_EQ("Сортировка", gui::WindowText(dialog));
  Nimbet()("PBCLOSE", {Word(dialog)});
  Nimbet()("PBCLOSE", {Word(dialog)});
  EXPECT_EQ(0u, Position(dialog, 50, 100));

  // A dialog that goes with its owner frees its state; its handle is dead.
  HWND second = Open(owner, "x");
  ASSERT_TRUE(second);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(0u, Position(second, 50, 100));
  Nimbet()("PBCLOSE", {Word(second)});
}

// A handler run by the pump closes the dialog: the pump ends with it (its
// timer died with the window) instead of waiting for ever.
TEST(NimbetProgress, PumpEndsWhenAHandlerClosesTheDialog) {
  HWND owner = MakeOwner();
  HWND dialog = Open(owner, "x");
  ASSERT_TRUE(dialog);
  Drain();
  closeOnApp = dialog;
  PostMessageA(owner, WM_APP, 0, 0);
  EXPECT_EQ(0u, Position(dialog, 30, 100));
  closeOnApp = nullptr;
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST(NimbetWait, AnimationTextAndStop) {
  std::string avi = std::string(KORVEX_SCREENS_DIR) + "\\nimbet_wait.avi";
  ASSERT_TRUE(nimbet_test::WriteSampleAvi(avi, 120, 30, 8));
  HWND owner = MakeOwner();
  HWND wait = reinterpret_cast<HWND>(
      static_cast<uintptr_t>(Nimbet()("WDOPEN", {Word(owner), Word(avi.c_str())})));
  ASSERT_TRUE(wait);
  EXPECT_FALSE(IsWindowEnabled(owner));
  HWND animation = GetDlgItem(wait, 1007);
  EXPECT_EQ("SysAnimate32", gui::ClassOf(animation));
  // The clip is open: opening it again by hand succeeds as well.
  EXPECT_TRUE(SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(avi.c_str())));
  EXPECT_EQ(0u, Nimbet()("WDTEXT", {Word(wait), Word("Чтение")}));
  EXPECT_EQ("Чтение", gui::WindowText(GetDlgItem(wait, 1008)));
  EXPECT_EQ(0u, Nimbet()("WDTEXT", {Word(wait), 0}));
  EXPECT_EQ("Чтение", gui::WindowText(GetDlgItem(wait, 1008)));
  for (int i = 0; i < 20; ++i) Nimbet()("WDTEXT", {Word(wait), 0});
  Sleep(300);
  Drain();
  EXPECT_TRUE(nimbet_test::SaveScreenshot(wait, "nimbet_wait"));
  SendMessageA(GetDlgItem(wait, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(1u, Nimbet()("WDTEXT", {Word(wait), Word("Чтение")}));
  Nimbet()("WDCLOSE", {Word(wait)});
  EXPECT_FALSE(IsWindow(wait));
  EXPECT_TRUE(IsWindowEnabled(owner));

  // A file that is no AVI: the dialog opens without an animation.
  HWND plain = reinterpret_cast<HWND>(
      static_cast<uintptr_t>(Nimbet()("WDOPEN", {Word(owner), Word(KORVEX_SCREENS_DIR "\\nothing.avi")})));
  ASSERT_TRUE(plain);
  EXPECT_FALSE(SendDlgItemMessageA(plain, 1007, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)));
  Nimbet()("WDCLOSE", {Word(plain)});
  DestroyWindow(owner);
}

}  // namespace
