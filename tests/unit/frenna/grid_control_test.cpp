// The grid control in this process over Praxel's record sets: binding and
// the selected record's text, the dialog codes, edit requests as the
// dialog's notices and nothing else, right-button messages of a grid that
// owns itself, bindings that fail, each binding laid out afresh, and input
// before any binding.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "record_set_table.h"
#include "tree_test_support.h"

using frenna_test::PraxelSet;

namespace {

const int kControlId = 101;
const char kWideQuery[] =
    "SELECT ID, NAME, NAME AS N2, NAME AS N3, NAME AS N4, NAME AS N5 FROM N25 ORDER BY ID";

// What the dialog window received: each WM_COMMAND (with the control's
// text read back while it is handled, as a dialog's code does) and each
// WM_CONTEXTMENU.
struct Notice {
  WPARAM wParam;
  LPARAM lParam;
  std::string text;
};
std::vector<Notice> notices;
std::vector<HWND> contextMenus;
bool destroyOnNotice = false;  // the dialog's code destroys the control

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    char text[16] = "";
    SendMessageA(GetDlgItem(window, LOWORD(wParam)), WM_GETTEXT, sizeof text,
                 reinterpret_cast<LPARAM>(text));
    notices.push_back({wParam, lParam, text});
    if (destroyOnNotice) DestroyWindow(GetDlgItem(window, LOWORD(wParam)));
    return 0;
  }
  if (message == WM_CONTEXTMENU) {
    contextMenus.push_back(reinterpret_cast<HWND>(wParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

WPARAM EditNotice() { return MAKEWPARAM(kControlId, 0x0300); }

class GridControl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    frenna_test::MakeN25();
    library_ = LoadLibraryA("FRENNA");
    WNDCLASSA kind = {};
    kind.lpfnWndProc = DialogProc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpszClassName = "FRENNA_TEST_GRID_DIALOG";
    RegisterClassA(&kind);
  }
  static void TearDownTestSuite() { FreeLibrary(library_); }

  void SetUp() override {
    ASSERT_TRUE(library_);
    notices.clear();
    contextMenus.clear();
    destroyOnNotice = false;
    dialog_ = CreateWindowExA(0, "FRENNA_TEST_GRID_DIALOG", "Таблица", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                              40, 40, 360, 300, nullptr, nullptr, nullptr, nullptr);
    control_ = CreateWindowExA(0, "GRIDRS", "Заголовок", WS_CHILD | WS_BORDER | WS_TABSTOP, 10, 10, 300, 240,
                               dialog_, reinterpret_cast<HMENU>(kControlId), nullptr, nullptr);
    ASSERT_TRUE(control_);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  LRESULT Bind(RecordSetObject* records, const char* titles) {
    LRESULT result = SendMessageA(control_, WM_SETTEXT, reinterpret_cast<WPARAM>(records),
                                  reinterpret_cast<LPARAM>(titles));
    Paint();
    return result;
  }
  void Paint() { RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
  LRESULT Key(WPARAM key) { return SendMessageA(control_, WM_KEYDOWN, key, 0); }
  std::string Text(WPARAM size = 16, LRESULT* length = nullptr) {
    char buffer[32] = "";
    LRESULT n = SendMessageA(control_, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
    if (length) *length = n;
    return buffer;
  }
  std::string RealTitle() {
    WCHAR title[64] = L"";
    InternalGetWindowText(control_, title, 64);
    char text[64] = "";
    WideCharToMultiByte(CP_ACP, 0, title, -1, text, sizeof text, nullptr, nullptr);
    return text;
  }
  // The grid object the control keeps in window long 0 (read only).
  const RecordSetTable& Table() {
    return *reinterpret_cast<const RecordSetTable*>(GetWindowLongPtrA(control_, 0));
  }
  // The middle of line `line` (0-based, below the titles) in the control.
  LPARAM LinePoint(int line) {
    const TablePrintContext& c = Table().context;
    return MAKELPARAM(c.width / 2, c.RowsTop() + line * c.RowHeight() + c.RowHeight() / 2);
  }

  static HMODULE library_;
  HWND dialog_ = nullptr;
  HWND control_ = nullptr;
};
HMODULE GridControl::library_ = nullptr;

TEST_F(GridControl, BindingShowsTheRecordSetAndTheTextIsTheSelectedRecord) {
  EXPECT_EQ(16, SendMessageA(control_, WM_GETTEXTLENGTH, 0, 0));
  EXPECT_EQ("0", Text()) << "no record set";
  EXPECT_FALSE(IsWindowVisible(control_));

  PraxelSet n25(frenna_test::kN25Query, 7);
  ASSERT_TRUE(n25.open());
  EXPECT_EQ(0, Bind(n25.get(), "ID|NAME"));
  EXPECT_TRUE(IsWindowVisible(control_));
  EXPECT_EQ("Заголовок", RealTitle()) << "the window text stays";
  EXPECT_EQ("7", Text()) << "the record set's current record";
  EXPECT_EQ(200, Table().style);
  EXPECT_EQ(control_, Table().owner);
  EXPECT_EQ(0, Table().name) << "no settings section";
  EXPECT_EQ(40001, Table().events[0]) << "EDIT";
  for (int event = 2; event <= 9; ++event) EXPECT_EQ(0, Table().events[event - 1]) << event;
  EXPECT_EQ(2, Table().context.columnCount);

  // The last record, and the buffer's end: at most size - 1 digits.
  EXPECT_EQ(1, SendMessageA(control_, WM_USER + 108, 0, 0));
  LRESULT length = 0;
  EXPECT_EQ("25", Text(3, &length));
  EXPECT_EQ(2, length);
  char buffer[4] = {'x', 'y', 'z', '\0'};
  EXPECT_EQ(1, SendMessageA(control_, WM_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_EQ(std::string("2"), std::string(buffer, 1));
  EXPECT_EQ('\0', buffer[1]);
  EXPECT_EQ('z', buffer[2]) << "nothing past the size";
  buffer[0] = 'x';
  EXPECT_EQ(0, SendMessageA(control_, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_EQ('x', buffer[0]);
  EXPECT_EQ(0, SendMessageA(control_, WM_GETTEXT, 16, 0));

  // Right-button messages of a grid that owns itself: the default handling
  // (WM_CONTEXTMENU reaches the dialog), the selection unchanged.
  LPARAM at = LinePoint(1);
  EXPECT_EQ(0, SendMessageA(control_, WM_RBUTTONDOWN, MK_RBUTTON, at));
  EXPECT_EQ(0, SendMessageA(control_, WM_RBUTTONDBLCLK, MK_RBUTTON, at));
  SendMessageA(control_, WM_RBUTTONUP, 0, at);
  EXPECT_EQ("25", Text());
  EXPECT_EQ(std::vector<HWND>{control_}, contextMenus);
  EXPECT_TRUE(notices.empty());

  // An empty record set reads "0", and Enter asks nothing of it.
  PraxelSet none("SELECT ID, NAME FROM N25 WHERE ID > 100 ORDER BY ID");
  ASSERT_TRUE(none.open());
  EXPECT_EQ(0, Bind(none.get(), "ID|NAME"));
  EXPECT_EQ("0", Text());
  Key(VK_DOWN);
  Key(VK_RETURN);
  SendMessageA(control_, WM_COMMAND, 40001, 0);
  EXPECT_EQ("0", Text());
  EXPECT_TRUE(notices.empty());
}

TEST_F(GridControl, DialogCodesWantEnterOnlyAsAKeyDown) {
  EXPECT_EQ(129, SendMessageA(control_, WM_GETDLGCODE, 0, 0));
  MSG enter = {control_, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_EQ(129 | DLGC_WANTMESSAGE, SendMessageA(control_, WM_GETDLGCODE, VK_RETURN,
                                                 reinterpret_cast<LPARAM>(&enter)));
  MSG down = {control_, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
  EXPECT_EQ(129, SendMessageA(control_, WM_GETDLGCODE, VK_DOWN, reinterpret_cast<LPARAM>(&down)));
  MSG character = {control_, WM_CHAR, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_EQ(129, SendMessageA(control_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&character)));
  for (WPARAM key : {VK_TAB, VK_ESCAPE}) {
    MSG m = {control_, WM_KEYDOWN, key, 0, 0, {0, 0}};
    EXPECT_EQ(129, SendMessageA(control_, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&m))) << key;
  }
}

TEST_F(GridControl, EnterDoubleClickAndCommandAreEditNoticesAndNothingElseIs) {
  PraxelSet n25(frenna_test::kN25Query);
  ASSERT_TRUE(n25.open());
  ASSERT_EQ(0, n25.Current()) << "a record set just opened has no current record";
  Bind(n25.get(), "Номер|Имя");
  EXPECT_EQ("1", Text()) << "current record 0 starts on 1";

  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_TRUE(notices.empty()) << "MOVE stays off";
  Key(VK_RETURN);
  ASSERT_EQ(1u, notices.size());
  EXPECT_EQ(EditNotice(), notices[0].wParam);
  EXPECT_EQ(0, notices[0].lParam);
  EXPECT_EQ("3", notices[0].text);

  EXPECT_EQ(0, SendMessageA(control_, WM_COMMAND, 40001, 0));
  ASSERT_EQ(2u, notices.size());
  EXPECT_EQ(EditNotice(), notices[1].wParam);
  EXPECT_EQ("3", notices[1].text);

  // A double click on the fifth line selects its record and edits it.
  SendMessageA(control_, WM_LBUTTONDOWN, MK_LBUTTON, LinePoint(4));
  SendMessageA(control_, WM_LBUTTONUP, 0, LinePoint(4));
  SendMessageA(control_, WM_LBUTTONDBLCLK, MK_LBUTTON, LinePoint(4));
  SendMessageA(control_, WM_LBUTTONUP, 0, LinePoint(4));
  ASSERT_EQ(3u, notices.size());
  EXPECT_EQ(EditNotice(), notices[2].wParam);
  EXPECT_EQ("5", notices[2].text);

  // Every other event stays off; other menu commands do nothing.
  for (WPARAM key : {VK_INSERT, VK_DELETE, VK_SPACE, VK_TAB, VK_ESCAPE, VK_F1, VK_NEXT, VK_PRIOR})
    Key(key);
  for (WPARAM command : {40000, 40002, 40003, 40500, 40999}) SendMessageA(control_, WM_COMMAND, command, 0);
  EXPECT_EQ(3u, notices.size());
}

TEST_F(GridControl, ABindingThatFailsLeavesTheControlWithoutARecordSet) {
  PraxelSet n25(frenna_test::kN25Query, 4);
  ASSERT_TRUE(n25.open());
  Bind(n25.get(), "ID|NAME");
  ASSERT_EQ("4", Text());
  {
    gui::BoxWatcher watcher;
    EXPECT_EQ(0, Bind(n25.get(), "A|B|C"));
    std::vector<gui::BoxWatcher::Box> boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size()) << "message 122 (its text is checked in korvex)";
    EXPECT_EQ("ОШИБКА", boxes[0].caption);
  }
  EXPECT_EQ("0", Text());
  Key(VK_DOWN);
  Key(VK_RETURN);
  SendMessageA(control_, WM_COMMAND, 40001, 0);
  EXPECT_TRUE(notices.empty());
  // Painted without it: the script's record set keeps its fields shown.
  Paint();
  EXPECT_EQ(0, n25->FieldOption(1, 10));
  EXPECT_EQ(0, n25->FieldOption(2, 10));

  // Bound again, it works (on the record set's current record, where the
  // paint left it); a null title text or record set unbinds it without a
  // box.
  long current = n25.Current();
  Bind(n25.get(), "ID|NAME");
  EXPECT_EQ(std::to_string(current), Text());
  gui::BoxWatcher watcher;
  Bind(n25.get(), nullptr);
  EXPECT_EQ("0", Text());
  Bind(n25.get(), "ID|NAME");
  Bind(nullptr, "ID|NAME");
  EXPECT_EQ("0", Text());
  Key(VK_RETURN);
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(GridControl, EachBindingIsLaidOutFromTheFirstField) {
  MoveWindow(control_, 10, 10, 120, 240, TRUE);
  PraxelSet wide(kWideQuery, 2);
  ASSERT_TRUE(wide.open());
  Bind(wide.get(), "ID|A|B|C|D|E");
  ASSERT_EQ(1, Table().context.columns[0].field);
  ASSERT_LT(Table().context.columnCount, 6) << "not every column fits";
  SendMessageA(control_, WM_KEYDOWN, VK_RIGHT, 0);
  Paint();
  ASSERT_GT(Table().context.columns[0].field, 1) << "scrolled right";

  PraxelSet n25(frenna_test::kN25Query, 9);
  ASSERT_TRUE(n25.open());
  Bind(n25.get(), "ID|NAME");
  EXPECT_EQ(1, Table().context.columns[0].field);
  EXPECT_EQ(1, Table().firstField);
  EXPECT_EQ("9", Text());
  EXPECT_EQ(0, n25->FieldOption(1, 10)) << "laid out with its own titles";
}

// A virtual and a picture column send their requests to the grid's owner,
// the control itself: it answers 0 (no picture), leaves the buffer as the
// request filled it (the field name), and tells the dialog nothing.
TEST_F(GridControl, VirtualAndPictureColumnsAskTheControlWhichAnswersNothing) {
  PraxelSet set("SELECT ID, NAME, NAME AS PIC FROM N25 ORDER BY ID", 3);
  ASSERT_TRUE(set.open());
  ASSERT_TRUE(set.Option("NAME", "MODE=VIRTUAL;EVENT=3200"));
  ASSERT_TRUE(set.Option("PIC", "MODE=BITMAP;EVENT=3201"));
  ASSERT_EQ(3200, set->FieldEvent(2));
  EXPECT_EQ(0, Bind(set.get(), "ID|Имя|Знак"));
  EXPECT_EQ(3, Table().context.columnCount);
  EXPECT_EQ("3", Text());
  char buffer[80] = "NAME";
  EXPECT_EQ(0, SendMessageA(control_, WM_COMMAND, 3200, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_STREQ("NAME", buffer);
  EXPECT_EQ(0, SendMessageA(control_, WM_COMMAND, 3201, reinterpret_cast<LPARAM>(buffer)));
  Key(VK_DOWN);
  Paint();
  EXPECT_EQ("4", Text());
  EXPECT_TRUE(notices.empty());
}

// The dialog's code may destroy the control while it handles the notice:
// the grid object goes, and nothing touches it afterwards.
TEST_F(GridControl, TheDialogMayDestroyTheControlOnItsNotice) {
  PraxelSet n25(frenna_test::kN25Query, 5);
  ASSERT_TRUE(n25.open());
  destroyOnNotice = true;
  DestroyWindow(control_);
  auto fresh = [&] {
    control_ = CreateWindowExA(0, "GRIDRS", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 240, dialog_,
                               reinterpret_cast<HMENU>(kControlId), nullptr, nullptr);
    Bind(n25.get(), "ID|NAME");
  };
  fresh();
  Key(VK_RETURN);
  EXPECT_FALSE(IsWindow(control_));
  fresh();
  SendMessageA(control_, WM_COMMAND, 40001, 0);
  EXPECT_FALSE(IsWindow(control_));
  fresh();
  LPARAM at = LinePoint(2);
  SendMessageA(control_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  EXPECT_FALSE(IsWindow(control_));
  EXPECT_EQ(3u, notices.size());
}

TEST_F(GridControl, InputBeforeABindingDoesNothing) {
  ShowWindow(control_, SW_SHOW);
  Paint();
  for (WPARAM key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_RETURN, VK_INSERT, VK_DELETE, VK_SPACE,
                     VK_RIGHT, VK_LEFT, VK_HOME, VK_END})
    Key(key);
  SendMessageA(control_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 40));
  SendMessageA(control_, WM_LBUTTONUP, 0, MAKELPARAM(20, 40));
  SendMessageA(control_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 40));
  SendMessageA(control_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(20, 40));
  SendMessageA(control_, WM_USER + 101, 0, 1);
  for (UINT message = WM_USER + 102; message <= WM_USER + 108; ++message)
    SendMessageA(control_, message, 0, 0);
  SendMessageA(control_, WM_COMMAND, 40001, 0);
  SendMessageA(control_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 40));
  Paint();
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ("0", Text());
}

}  // namespace
