// Wennic's texts and its message box. Boxes are read and dismissed from a
// watcher thread while ERRBOX waits in MessageBoxA.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "wennic.h"

namespace {

std::wstring TableTextW(int number) {
  HMODULE wennic = GetModuleHandleA("Wennic.dll");
  wchar_t buffer[256];
  int length = LoadStringW(wennic, number, buffer, 256);
  return std::wstring(buffer, length > 0 ? length : 0);
}

TEST(WennicTable, HoldsTheTextsAsUnicodeUnderTheRussianLanguage) {
  // The resource script is UTF-8 and goes through code page 1251: the
  // stored UTF-16 texts must come out exactly, blanks and spelling included.
  EXPECT_EQ(L"доступ отвергнут", TableTextW(5));
  EXPECT_EQ(L"файл %s не найден", TableTextW(2));
  EXPECT_EQ(L"удаленный компьтер не отвечает", TableTextW(51));
  EXPECT_EQ(L"файл для печати  уничтожен", TableTextW(63));
  EXPECT_EQ(L"превышено  число соединений с сервером", TableTextW(71));
  EXPECT_EQ(L"?", TableTextW(73));
  EXPECT_EQ(L"синтаксичечкая ошибка", TableTextW(99));
  EXPECT_EQ(L"НЕВЕРНЫЙ ХЭНДЕЛ", TableTextW(1002));
  EXPECT_NE(nullptr, FindResourceExA(GetModuleHandleA("Wennic.dll"), RT_STRING, MAKEINTRESOURCEA(1),
                                     MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)));

  int count = 0;
  for (int n = 0; n < 1100; ++n) count += TableTextW(n).empty() ? 0 : 1;
  EXPECT_EQ(156, count);
  for (int gap : {41, 49, 75, 79, 159, 162, 229, 235, 239, 241, 999, 1004}) {
    EXPECT_TRUE(TableTextW(gap).empty()) << gap;
  }
}

TEST(Errtxt, TableTextsAndEmptyNumberZero) {
  char buffer[80];
  EXPECT_EQ(16, ERRTXT(5, buffer, 80));
  EXPECT_STREQ("доступ отвергнут", buffer);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(0, ERRTXT(0, buffer, 80));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(0, ERRTXT(45, buffer, 80));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(6, ERRTXT(5, buffer, 7));
  EXPECT_STREQ("доступ", buffer);
}

TEST(Errtxt, HonoursTheBufferSizeOnEveryPath) {
  char buffer[8];
  for (int number : {0, 5, 45, 1000, 99999}) {
    for (int size : {0, -1}) {
      std::memset(buffer, 'x', sizeof buffer);
      EXPECT_EQ(0, ERRTXT(number, buffer, size)) << number;
      EXPECT_EQ('x', buffer[0]) << number;
    }
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(0, ERRTXT(number, buffer, 1)) << number;
    EXPECT_EQ(0, buffer[0]) << number;
    EXPECT_EQ('x', buffer[1]) << number;
  }
}

std::string SystemMessage(DWORD number) {
  char text[1024] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, number,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  return std::string(text, length);
}

TEST(Errtxt, AboveTheTableGivesTheSystemTextWithoutItsLineEnd) {
  std::string system = SystemMessage(1400);
  ASSERT_GE(system.size(), 2u);
  ASSERT_EQ("\r\n", system.substr(system.size() - 2));
  system.resize(system.size() - 2);
  char buffer[512];
  int length = ERRTXT(1400, buffer, sizeof buffer);
  EXPECT_EQ(system, std::string(buffer, length));
  EXPECT_STREQ(system.c_str(), buffer);

  char small[6];
  EXPECT_EQ(5, ERRTXT(1400, small, sizeof small));
  EXPECT_EQ(system.substr(0, 5), small);

  // 1000 is the system's error there, not the caption "ОШИБКА" of the table.
  std::string expected = SystemMessage(1000);
  if (expected.empty()) expected = "1000\r\n";
  EXPECT_EQ(static_cast<int>(expected.size()) - 2, ERRTXT(1000, buffer, sizeof buffer));
  EXPECT_EQ(expected.substr(0, expected.size() - 2), buffer);
}

TEST(Errtxt, AboveTheTableWithoutSystemTextGivesTheNumber) {
  ASSERT_TRUE(SystemMessage(99999).empty());
  char buffer[12];
  EXPECT_EQ(5, ERRTXT(99999, buffer, sizeof buffer));
  EXPECT_STREQ("99999", buffer);
  EXPECT_EQ(3, ERRTXT(99999, buffer, 4));
  EXPECT_STREQ("999", buffer);
}

TEST(Msgtxt, CaptionsAndPlainTexts) {
  char buffer[80];
  EXPECT_EQ(6, MSGTXT(1000, buffer, 80));
  EXPECT_STREQ("ОШИБКА", buffer);
  EXPECT_EQ(17, MSGTXT(93, buffer, 80));
  EXPECT_STREQ("запись не найдена", buffer);
  EXPECT_EQ(0, MSGTXT(45, buffer, 80));
  EXPECT_STREQ("", buffer);
  EXPECT_EQ(3, MSGTXT(1000, buffer, 4));
  EXPECT_STREQ("ОШИ", buffer);
  buffer[0] = 'x';
  EXPECT_EQ(0, MSGTXT(1000, buffer, 0));
  EXPECT_EQ('x', buffer[0]);
}

// What a watcher thread saw of the message box a call showed.
struct SeenBox {
  bool shown = false;
  std::string caption;
  std::string text;
  bool stopIcon = false;
};

BOOL CALLBACK TakeOurBox(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char cls[32] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (process != GetCurrentProcessId() || std::strcmp(cls, "#32770") || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

HWND FindOurBox() {
  HWND found = nullptr;
  EnumWindows(TakeOurBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The box's statics: the icon, and the message text.
BOOL CALLBACK ReadStatic(HWND child, LPARAM data) {
  auto* seen = reinterpret_cast<SeenBox*>(data);
  char cls[32] = "";
  GetClassNameA(child, cls, sizeof cls);
  if (_stricmp(cls, "Static")) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    seen->stopIcon = icon && icon == LoadIcon(nullptr, IDI_HAND);
  } else {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) seen->text = text;
  }
  return TRUE;
}

void ReadBox(HWND box, SeenBox* seen) {
  seen->shown = true;
  char text[512] = "";
  GetWindowTextA(box, text, sizeof text);
  seen->caption = text;
  EnumChildWindows(box, ReadStatic, reinterpret_cast<LPARAM>(seen));
}

// Runs call(); a box it shows is read and closed with `button`.
int ShowAndPress(const std::function<int()>& call, int button, SeenBox* seen) {
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    for (int tries = 0; tries < 1000 && !done; ++tries) {
      if (HWND box = FindOurBox()) {
        // A loaded machine may show the box before its text is in place.
        for (int wait = 0; wait < 100; ++wait) {
          *seen = SeenBox();
          ReadBox(box, seen);
          if (!seen->text.empty()) break;
          Sleep(20);
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return;
      }
      Sleep(20);
    }
  });
  int result = call();
  done = true;
  watcher.join();
  return result;
}

TEST(Errbox, IntegerArgumentWithCaptionAndStopIcon) {
  SeenBox seen;
  int line = 12;
  int result = ShowAndPress(
      [&] { return ERRBOX(nullptr, 119, kErrBoxIntegerArgument, reinterpret_cast<const char*>(&line)); }, IDOK,
      &seen);
  EXPECT_EQ(IDOK, result);
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ("не парные скобки в строке 12", seen.text);
  EXPECT_EQ("ОШИБКА", seen.caption);
  EXPECT_TRUE(seen.stopIcon);
}

TEST(Errbox, StringArgumentAndTheButtonPressed) {
  SeenBox seen;
  int result = ShowAndPress(
      [] { return ERRBOX(nullptr, 2, kErrBoxStringArgument | kErrBoxIntegerArgument | MB_OKCANCEL, "C:\\A.BAS"); },
      IDCANCEL, &seen);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ("файл C:\\A.BAS не найден", seen.text);
}

TEST(Errbox, TextsShownAsWrittenNeverAsAFormat) {
  SeenBox seen;
  ShowAndPress([] { return ERRBOX(nullptr, 2, 0, "X.BAS"); }, IDOK, &seen);
  EXPECT_EQ("файл %s не найден", seen.text);

  seen = SeenBox();
  ShowAndPress([] { return ERRBOX(nullptr, 0, kErrBoxStringArgument, "100% готово: %s %n"); }, IDOK, &seen);
  EXPECT_EQ("100% готово: %s %n", seen.text);
}

TEST(Errbox, ShownTextStaysWithin255Characters) {
  std::string longName(300, '%');
  SeenBox seen;
  ShowAndPress([&] { return ERRBOX(nullptr, 2, kErrBoxStringArgument, longName.c_str()); }, IDOK, &seen);
  EXPECT_EQ("файл " + std::string(250, '%'), seen.text);
}

TEST(Errbox, NothingShownWithoutText) {
  SeenBox seen;
  EXPECT_EQ(0, ShowAndPress([] { return ERRBOX(nullptr, 45, 0, nullptr); }, IDOK, &seen));
  EXPECT_EQ(0, ShowAndPress([] { return ERRBOX(nullptr, 0, kErrBoxStringArgument, nullptr); }, IDOK, &seen));
  EXPECT_FALSE(seen.shown);
}

}  // namespace
