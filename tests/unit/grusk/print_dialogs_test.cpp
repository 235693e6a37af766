// The font and margin dialogs, driven from a second thread while the
// library's modal loop runs on the test's thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <commctrl.h>

#include "grusk_support.h"
#include "gui_driver.h"

using namespace grusk_test;

namespace {

const char kFontCaption[] = "Установка шрифта печати";
const char kMarginCaption[] = "Отступ от края страницы";

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof text))
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

int CALLBACK CollectTrueType(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM faces) {
  if (type & TRUETYPE_FONTTYPE) reinterpret_cast<std::set<std::string>*>(faces)->insert(font->lfFaceName);
  return 1;
}

std::set<std::string> TrueTypeFaces() {
  std::set<std::string> faces;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesA(screen, nullptr, CollectTrueType, reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(nullptr, screen);
  return faces;
}

std::string ItemText(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// What the driving thread saw of the font dialog.
struct FontDialogView {
  bool found = false, property = false;
  std::vector<std::string> faces;
  int sizes = 0;
  std::string selectedSize;
};

// Waits for the dialog, looks at it, then lets choose() set it up and
// presses button.
template <typename Look>
std::thread Drive(const char* caption, int button, Look look) {
  return std::thread([=] {
    HWND dialog = WaitForDialog(caption, 10000);
    if (!dialog) return;
    look(dialog);
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  });
}

TEST(PrintDialogs, FontListChoosesAmongTrueTypeFamilies) {
  PrintKeys keep;
  PrintKeys::Set("10,15,10,15", "System,12");
  Grusk grusk;
  OwnerWindow owner;
  FontDialogView view;
  std::thread driver = Drive(kFontCaption, IDOK, [&](HWND dialog) {
    view.found = true;
    view.property = GetPropA(dialog, "FONTLIST") != nullptr;
    HWND list = GetDlgItem(dialog, 1004);
    view.faces = ListItems(list);
    HWND sizes = GetDlgItem(dialog, 1003);
    view.sizes = static_cast<int>(SendMessageA(sizes, CB_GETCOUNT, 0, 0));
    char text[16] = "";
    GetWindowTextA(sizes, text, sizeof text);
    view.selectedSize = text;
    SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("dejavu sans"));
    SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("12"));
  });
  BOOL confirmed = grusk.selFont(owner.hwnd());
  driver.join();
  ASSERT_TRUE(view.found);
  EXPECT_TRUE(confirmed);
  EXPECT_TRUE(view.property);
  EXPECT_EQ(view.sizes, 7);
  EXPECT_EQ(view.selectedSize, "12");
  // Every TrueType family once, and only those ("System" is a raster font).
  std::set<std::string> trueType = TrueTypeFaces();
  EXPECT_EQ(std::count(view.faces.begin(), view.faces.end(), "DejaVu Sans"), 1);
  EXPECT_EQ(std::set<std::string>(view.faces.begin(), view.faces.end()).size(), view.faces.size());
  for (const std::string& face : view.faces) EXPECT_TRUE(trueType.count(face)) << face;
  EXPECT_EQ(std::count(view.faces.begin(), view.faces.end(), "System"), 0);

  EXPECT_STREQ(grusk.prnGetFont()->face, "DejaVu Sans");
  EXPECT_EQ(grusk.prnGetFont()->points, 12);
  EXPECT_EQ(PrintKeys::Font(), "DejaVu Sans,12");
  EXPECT_EQ(PrintKeys::Margin(), "10,15,10,15");

  // "Назад" changes nothing, even with another face selected.
  PrintKeys::Set("1,1,1,1", "Arial,6");
  std::string current;
  driver = Drive(kFontCaption, IDCANCEL, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, 1004);
    char text[64] = "";
    LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (at != LB_ERR) SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    current = text;
    SendMessageA(list, LB_SETCURSEL, 0, 0);
  });
  EXPECT_FALSE(grusk.selFont(owner.hwnd()));
  driver.join();
  EXPECT_EQ(current, "DejaVu Sans");  // the current face is selected
  EXPECT_STREQ(grusk.prnGetFont()->face, "DejaVu Sans");
  EXPECT_EQ(PrintKeys::Font(), "Arial,6");
}

TEST(PrintDialogs, MarginDialogEditsACopy) {
  PrintKeys keep;
  PrintKeys::Set("10,15,10,15", nullptr);
  Grusk grusk;
  OwnerWindow owner;
  std::string shown[4];
  bool property = false;
  LRESULT range = 0;
  HWND buddy = nullptr, field = nullptr;
  std::thread driver = Drive(kMarginCaption, IDOK, [&](HWND dialog) {
    property = GetPropA(dialog, "MARGIN") != nullptr;
    const int ids[] = {1005, 1007, 1009, 1011};
    for (int i = 0; i < 4; ++i) shown[i] = ItemText(dialog, ids[i]);
    range = SendDlgItemMessageA(dialog, 1006, UDM_GETRANGE, 0, 0);
    buddy = reinterpret_cast<HWND>(SendDlgItemMessageA(dialog, 1006, UDM_GETBUDDY, 0, 0));
    field = GetDlgItem(dialog, 1005);
    SetDlgItemTextA(dialog, 1005, "20");
    SetDlgItemTextA(dialog, 1009, "25");
  });
  BOOL confirmed = grusk.setMargin(owner.hwnd());
  driver.join();
  EXPECT_TRUE(confirmed);
  EXPECT_TRUE(property);
  EXPECT_EQ(shown[0], "10");  // left
  EXPECT_EQ(shown[1], "10");  // right
  EXPECT_EQ(shown[2], "15");  // top
  EXPECT_EQ(shown[3], "15");  // bottom
  EXPECT_EQ(LOWORD(range), 100);
  EXPECT_EQ(HIWORD(range), 0);
  EXPECT_EQ(buddy, field);
  EXPECT_EQ(PrintKeys::Margin(), "20,25,10,15");
  EXPECT_EQ(PrintKeys::Font(), "System,10");

  // "Назад": the copy is dropped.
  driver = Drive(kMarginCaption, IDCANCEL, [](HWND dialog) { SetDlgItemTextA(dialog, 1011, "99"); });
  EXPECT_FALSE(grusk.setMargin(owner.hwnd()));
  driver.join();
  RECT margins{};
  HDC screen = GetDC(nullptr);
  grusk.prnMargin(screen, &margins);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(margins.left, 75);   // 20 mm
  EXPECT_EQ(margins.bottom, 56);  // still 15 mm
}

BOOL CALLBACK MatchOwned(HWND window, LPARAM context) {
  HWND* found = reinterpret_cast<HWND*>(context);
  if (GetWindow(window, GW_OWNER) != *found || gui::ClassOf(window) != "#32770") return TRUE;
  *found = window;
  return FALSE;
}

// The dialog owned by owner; null when there is none.
HWND OwnedDialog(HWND owner) {
  HWND found = owner;
  EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), MatchOwned, reinterpret_cast<LPARAM>(&found));
  return found == owner ? nullptr : found;
}

// The printer setup dialog starts from the current choice; only a
// confirmed one replaces it.
TEST(PrintDialogs, PrinterSetupDialog) {
  Grusk grusk;
  OwnerWindow owner;
  ASSERT_TRUE(grusk.selPrinter(nullptr));
  for (int button : {IDCANCEL, IDOK}) {
    std::string shown;
    std::thread driver([&] {
      HWND dialog = nullptr;
      gui::WaitFor([&] { return (dialog = OwnedDialog(owner.hwnd())) != nullptr; }, 10000);
      if (!dialog) return;
      char caption[128] = "";
      GetWindowTextA(dialog, caption, sizeof caption);
      shown = caption;
      PostMessageA(dialog, WM_COMMAND, button, 0);
    });
    EXPECT_EQ(grusk.selPrinter(owner.hwnd()), button == IDOK);
    driver.join();
    EXPECT_NE(shown, "");
    HDC dc = grusk.prnCreate();  // the choice in force either way: "PDF"
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 2479);
    DeleteDC(dc);
  }
}

}  // namespace
