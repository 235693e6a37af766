// The window class EDITDATE of Nimbet, loaded by name: controls under a
// parent of the test that logs their WM_COMMAND notices, driven with the
// messages a user's keys and clicks make; then a dialog of the test's own
// that holds one, with keys through the real dialog manager and from
// xdotool; last, the class goes with the library.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "nimbet_test_support.h"

namespace {

HMODULE nimbet = LoadLibraryA("NIMBET");
const int kId = 101;
const WPARAM kChangeNotice = MAKEWPARAM(kId, EN_CHANGE);  // 0x03000065

std::vector<std::pair<WPARAM, LPARAM>> notices;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    notices.emplace_back(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeParent() { return nimbet_test::MakeTestWindow("EditDateTestParent", ParentProc, WS_POPUP, 320, 80); }

// A parent with a fresh control (id 101), notices cleared; both go at the end.
class EditDate : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nimbet);
    parent = MakeParent();
    control = CreateWindowExA(0, "EDITDATE", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 40, parent,
                              reinterpret_cast<HMENU>(kId), GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(control);
    notices.clear();
  }
  void TearDown() override { DestroyWindow(parent); }

  void Keys(std::initializer_list<UINT> keys) {
    for (UINT key : keys) SendMessageA(control, WM_KEYDOWN, key, 0);
  }
  std::string Text() { return gui::WindowText(control); }
  void SetText(const char* text) { SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  POINT Caret() {
    POINT p = {-1, -1};
    GetCaretPos(&p);
    return p;
  }
  void Click(int x) { SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5)); }

  HWND parent = nullptr;
  HWND control = nullptr;
};

// Widths as the control measures them: "0" and half of "..".
struct Metrics {
  int digit, height, dot;
};
Metrics Measure(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE digit, dots;
  GetTextExtentPoint32A(dc, "0", 1, &digit);
  GetTextExtentPoint32A(dc, "..", 2, &dots);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return {digit.cx, digit.cy, dots.cx / 2};
}

HFONT Tahoma(int pixels) {
  return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, "Tahoma");
}

// Today as GetDateFormatA writes it, from the C runtime's clock; read
// before and after the action, which runs again across midnight.
template <typename Action>
std::string TodayAround(const char* format, Action action, std::string* seen) {
  for (;;) {
    auto today = [format] {
      std::time_t now = std::time(nullptr);
      char text[16];
      std::strftime(text, sizeof text, format, std::localtime(&now));
      return std::string(text);
    };
    std::string before = today();
    *seen = action();
    if (today() == before) return before;
  }
}

TEST_F(EditDate, DigitsOverwriteTheMaskAndNotifyTheParent) {
  EXPECT_EQ("00.00.0000", Text());
  EXPECT_EQ(10, GetWindowTextLengthA(control));
  Keys({'3', '1', '1', '2', '2', '0', '2', '4'});
  EXPECT_EQ("31.12.2024", Text());
  ASSERT_EQ(8u, notices.size());
  for (auto& notice : notices) {
    EXPECT_EQ(0x03000065u, notice.first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(control), notice.second);
  }
  Keys({'9', VK_UP, VK_DOWN});
  EXPECT_EQ("31.12.2024", Text()) << "after the last digit nothing changes";
  EXPECT_EQ(8u, notices.size());
  Keys({VK_HOME, VK_NUMPAD0, VK_NUMPAD7, VK_NUMPAD0, VK_NUMPAD3, VK_NUMPAD1, VK_NUMPAD9, VK_NUMPAD9, VK_NUMPAD9});
  EXPECT_EQ("07.03.1999", Text());
  EXPECT_EQ(16u, notices.size());
  // Left and Backspace step back over the dots; Right forward.
  Keys({VK_HOME, VK_RIGHT, VK_RIGHT, '5', VK_LEFT, VK_BACK, '6'});
  EXPECT_EQ("06.53.1999", Text());
  Keys({VK_F2, 'A', VK_TAB, VK_ESCAPE});
  EXPECT_EQ("06.53.1999", Text());
  EXPECT_EQ(18u, notices.size());
}

TEST_F(EditDate, UpDownStepDigitsQuietlyAndDeleteClears) {
  SetText("09.12.2024");
  Keys({VK_DOWN, VK_RIGHT, VK_UP});
  EXPECT_EQ("09.12.2024", Text()) << "no step below '0' nor above '9'";
  Keys({VK_DOWN});
  EXPECT_EQ("08.12.2024", Text());
  EXPECT_TRUE(notices.empty());
  SetFocus(control);
  Keys({VK_RIGHT, VK_RIGHT});
  EXPECT_NE(0, Caret().x);
  Keys({VK_DELETE});
  EXPECT_EQ("00.00.0000", Text());
  EXPECT_EQ(1u, notices.size());
  EXPECT_EQ(0, Caret().x);
  // Characters that are no digits stay under Up and Down; a digit replaces them.
  SetText("ab.cd.efgh");
  Keys({VK_UP, VK_RIGHT, VK_DOWN});
  EXPECT_EQ("ab.cd.efgh", Text());
  Keys({'1'});
  EXPECT_EQ("a1.cd.efgh", Text());
}

TEST_F(EditDate, SetTextChoosesTheLengthAndSpaceGivesToday) {
  SetText("01.02.03");
  EXPECT_EQ(8, GetWindowTextLengthA(control));
  EXPECT_EQ("01.02.03", Text());
  std::string seen;
  std::string today = TodayAround("%d.%m.%y", [&] {
    Keys({VK_SPACE});
    return Text();
  }, &seen);
  EXPECT_EQ(today, seen);
  SetText("");
  EXPECT_EQ("00.00.0000", Text());
  EXPECT_EQ(10, GetWindowTextLengthA(control));
  today = TodayAround("%d.%m.%Y", [&] {
    Keys({VK_INSERT});
    return Text();
  }, &seen);
  EXPECT_EQ(today, seen);
  EXPECT_TRUE(notices.empty()) << "Space and Insert send no notice";

  // The mask takes 10 characters at most and fills the rest with digits.
  SetText("31.12.2024 and more");
  EXPECT_EQ("31.12.2024", Text());
  EXPECT_EQ(10, GetWindowTextLengthA(control));
  SetText("7");
  EXPECT_EQ("70.00.0000", Text());
  SendMessageA(control, WM_SETTEXT, 0, 0);
  EXPECT_EQ("00.00.0000", Text());
  SetText("31.12.24");
  EXPECT_EQ("31.12.24", Text());
  Keys({'0', '1', '0', '2', '9', '9', '5'});
  EXPECT_EQ("01.02.99", Text()) << "an 8-character mask ends after its year";
}

TEST_F(EditDate, GetTextCountsTheZeroInItsSize) {
  SetText("31.12.2024");
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(4, SendMessageA(control, WM_GETTEXT, 5, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_STREQ("31.1", buffer);
  EXPECT_EQ('x', buffer[5]);
  EXPECT_EQ(10, SendMessageA(control, WM_GETTEXT, 11, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_STREQ("31.12.2024", buffer);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(0, SendMessageA(control, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(0, SendMessageA(control, WM_GETTEXT, 11, 0));
  EXPECT_EQ(0x81, SendMessageA(control, WM_GETDLGCODE, 0, 0));
}

TEST_F(EditDate, ClicksPutTheCaretOnAGroupAndTakeTheFocus) {
  HFONT font = Tahoma(24);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  Metrics m = Measure(control, font);
  int group = 2 * m.digit + m.dot;
  Click(2 * group + 1);
  EXPECT_EQ(control, GetFocus());
  POINT caret = Caret();
  EXPECT_EQ(4 * m.digit + 2 * m.dot, caret.x);
  EXPECT_EQ(2, caret.y);
  Click(1);
  EXPECT_EQ(0, Caret().x);
  Click(group);
  EXPECT_EQ(group, Caret().x);
  Keys({'5'});
  EXPECT_EQ("00.50.0000", Text()) << "caret 3 is the month";

  SetText("31.12.2024");
  UpdateWindow(parent);
  EXPECT_TRUE(nimbet_test::SaveScreenshot(parent, "editdate_tahoma"));

  // Metrics above 255 pixels stay at 255 instead of wrapping.
  HFONT huge = Tahoma(600);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(huge), FALSE);
  Metrics big = Measure(control, huge);
  ASSERT_GT(big.digit, 255);
  Click(2000);
  EXPECT_EQ(4 * 255 + 2 * (big.dot > 255 ? 255 : big.dot), Caret().x);

  // A handle that is no font measures the system font, as no font does.
  HFONT system = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  Metrics s = Measure(control, system);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(WHITE_BRUSH)), FALSE);
  Click(2000);
  EXPECT_EQ(4 * s.digit + 2 * s.dot, Caret().x);
  SendMessageA(control, WM_SETFONT, 0, FALSE);
  Click(2000);
  EXPECT_EQ(4 * s.digit + 2 * s.dot, Caret().x);
  DeleteObject(font);
  DeleteObject(huge);
}

}  // namespace
