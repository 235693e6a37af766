// The tuning sheet over a table of this process, driven from a second
// thread through its controls while OSTREL_Tune runs it: column modes and
// sort marks on FORMAT, the font on FONT, the marker width on MARKER, and
// what each writes to KORVEX.INI.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <string>
#include <thread>

#include "gui_driver.h"
#include "record_set_table.h"
#include "record_sets.h"
#include "table_host.h"

using ostrel_test::IniValue;
using ostrel_test::Ostrel;
using ostrel_test::TableHost;
using ostrel_test::TestRecordSet;

namespace {

// The first test's table: its settings are read back natively after the
// run (ostrel_ini_readback). The others tune a table of their own.
const char kCheckedSection[] = "GRIDT5";
const char kSection[] = "GRIDTSHEET";

// Runs act on the sheet from a thread of its own once it shows, while
// this thread sits in OSTREL_Tune; the export's result.
uint32_t Tune(uint32_t table, std::function<void(HWND sheet)> act) {
  bool acted = false;
  std::thread driver([&] {
    HWND sheet = nullptr;
    gui::WaitFor([&] { return (sheet = FindWindowA("#32770", "Настройка таблицы")) != nullptr &&
                              IsWindowVisible(sheet); }, 10000);
    if (!sheet) return;
    act(sheet);
    acted = true;
  });
  uint32_t result = Ostrel()("OSTREL_Tune", {table});
  driver.join();
  EXPECT_TRUE(acted);
  return result;
}

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string ItemText(HWND list, int row, int column) {
  char text[128] = "";
  ListView_GetItemText(list, row, column, text, sizeof text);
  return text;
}

// The marks ("+" or " ") of a row under "1", "2", "3".
std::string Marks(HWND list, int row) {
  return ItemText(list, row, 1) + ItemText(list, row, 2) + ItemText(list, row, 3);
}

int Image(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ListView_GetItem(list, &item);
  return item.iImage;
}

void Select(HWND list, int row) {
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void DoubleClick(HWND list, int row) {
  RECT cell = {};
  ListView_GetItemRect(list, row, &cell, LVIR_BOUNDS);
  LPARAM at = MAKELPARAM(cell.left + 60, (cell.top + cell.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

void Space(HWND list) {
  SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageA(list, WM_KEYUP, VK_SPACE, 0xC0390001);
}

void ClickHeader(HWND list, int column) {
  HWND header = ListView_GetHeader(list);
  RECT item = {};
  Header_GetItemRect(header, column, &item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
}

void PressOk(HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); }

class TuneSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    ostrel_test::MakeTable("G3", {"CREATE TABLE G3(A VARCHAR(5), B VARCHAR(5), C VARCHAR(5))",
                                  "INSERT INTO G3 VALUES('a1', 'b2', 'c3')",
                                  "INSERT INTO G3 VALUES('a2', 'b1', 'c1')"});
    ostrel_test::ClearIniSection(kSection);
    ostrel_test::SetIniValue(kSection, "TableTune", "HF");
  }
  const char* query_ = "SELECT A, B, C FROM G3 ORDER BY A";
};

TEST_F(TuneSheet, ModesAndSortMarksAreAppliedAndStored) {
  const char* kSection = kCheckedSection;
  ostrel_test::ClearIniSection(kSection);
  ostrel_test::SetIniValue(kSection, "TableTune", "HF");
  TestRecordSet records(query_);
  ASSERT_TRUE(records.opened());
  TableHost host;
  uint32_t table = host.Load(kSection);
  ASSERT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("")}));

  // Row 3 (C, normal) double-clicked: full.
  std::string rows;
  uint32_t result = Tune(table, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_TRUE(GetPropA(page, "FORMAT"));
    HWND list = GetDlgItem(page, 1014);
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
      rows += ItemText(list, i, 4) + ":" + std::to_string(Image(list, i)) + "[" + Marks(list, i) + "] ";
    Select(list, 2);
    DoubleClick(list, 2);
    EXPECT_EQ(0, Image(list, 2));  // the full icon
    PressOk(sheet);
  });
  EXPECT_EQ("A1:1[+  ] B1:0[   ] C1:2[   ] ", rows);
  EXPECT_EQ(1u, result);
  EXPECT_EQ("HFF", IniValue(kSection, "TableTune"));
  EXPECT_EQ("HFF", records.Modes());
  EXPECT_EQ("", IniValue(kSection, "TableSort"));
  EXPECT_EQ(1, reinterpret_cast<RecordSetTable*>(
                   GetWindowLongPtrA(reinterpret_cast<HWND>(static_cast<uintptr_t>(table)), 0))
                   ->tuneResult);

  // Row 3 selected, header "1" clicked: C becomes the first sort column.
  result = Tune(table, [&](HWND sheet) {
    HWND list = GetDlgItem(CurrentPage(sheet), 1014);
    EXPECT_EQ("+  ", Marks(list, 0)) << "A is the query's sort column";
    Select(list, 2);
    ClickHeader(list, 1);
    EXPECT_EQ("   ", Marks(list, 0));
    EXPECT_EQ("+  ", Marks(list, 2));
    PressOk(sheet);
  });
  EXPECT_EQ(2u, result);
  EXPECT_EQ("C", IniValue(kSection, "TableSort"));
  EXPECT_EQ("C", records.Sort());
  EXPECT_EQ("HFF", IniValue(kSection, "TableTune"));
  Ostrel()("OSTREL_Unload", {table});
}

TEST_F(TuneSheet, SpaceTurnsTheModeAndTheLastShownRowStaysShown) {
  TestRecordSet records(query_);
  TableHost host;
  uint32_t table = host.Load(kSection);
  ASSERT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("")}));
  uint32_t result = Tune(table, [&](HWND sheet) {
    HWND list = GetDlgItem(CurrentPage(sheet), 1014);
    Select(list, 1);  // B, full
    Space(list);      // -> hidden
    EXPECT_EQ(1, Image(list, 1));
    Select(list, 2);  // C, normal: the only one shown
    Space(list);      // -> full
    Space(list);      // -> hidden refused
    EXPECT_EQ(0, Image(list, 2));
    Select(list, 0);  // A, hidden
    Space(list);      // -> normal
    Space(list);      // -> full
    EXPECT_EQ(0, Image(list, 0));
    ClickHeader(list, 2);  // mark 2 to A
    ClickHeader(list, 4);  // and away again
    EXPECT_EQ("   ", Marks(list, 0));
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ(0u, result);  // cancelled: nothing applied
  EXPECT_EQ("HFN", records.Modes());
  EXPECT_EQ("HF", IniValue(kSection, "TableTune"));
  Ostrel()("OSTREL_Unload", {table});
}

TEST_F(TuneSheet, FontAndMarkerPagesStoreTheirChoice) {
  TestRecordSet records(query_);
  TableHost host;
  uint32_t table = host.Load(kSection);
  ASSERT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("A1|B1|C1"), Word("UNTUNE")}));
  std::string face;
  uint32_t result = Tune(table, [&](HWND sheet) {
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = CurrentPage(sheet);
    EXPECT_TRUE(GetPropA(page, "FONT"));
    HWND faces = GetDlgItem(page, 1016);
    ASSERT_GT(SendMessageA(faces, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(LB_ERR, SendMessageA(faces, LB_GETCURSEL, 0, 0));  // nothing stored
    EXPECT_EQ(4, static_cast<int>(SendDlgItemMessageA(page, 1021, UDM_GETPOS32, 0, 0)));
    SendMessageA(faces, LB_SETCURSEL, 0, 0);
    char text[64] = "";
    SendMessageA(faces, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    face = text;
    SetDlgItemTextA(page, 1020, "25");  // kept within 4 to 20
    SendDlgItemMessageA(page, 1019, BM_CLICK, 0, 0);

    SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
    page = CurrentPage(sheet);
    EXPECT_TRUE(GetPropA(page, "MARKER"));
    SetDlgItemTextA(page, 1022, "3");
    PressOk(sheet);
  });
  EXPECT_EQ(1u, result);
  EXPECT_EQ(face + ",20,1", IniValue(kSection, "TableFont"));
  EXPECT_EQ("3,255", IniValue("Main", "TableMarker"));
  HFONT font = reinterpret_cast<RecordSetTable*>(
      GetWindowLongPtrA(reinterpret_cast<HWND>(static_cast<uintptr_t>(table)), 0))->context.font;
  LOGFONTA described = {};
  GetObjectA(font, sizeof described, &described);
  EXPECT_EQ(face, described.lfFaceName);
  EXPECT_EQ(600, described.lfWeight);

  // Opened again: the stored face, size and width are shown.
  Tune(table, [&](HWND sheet) {
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(0, SendDlgItemMessageA(page, 1016, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(20, static_cast<int>(SendDlgItemMessageA(page, 1021, UDM_GETPOS32, 0, 0)));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page, 1019));
    SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
    EXPECT_EQ(3, static_cast<int>(SendDlgItemMessageA(CurrentPage(sheet), 1023, UDM_GETPOS32, 0, 0)));
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  ostrel_test::SetIniValue("Main", "TableMarker", nullptr);
  ostrel_test::SetIniValue(kSection, "TableFont", nullptr);
  Ostrel()("OSTREL_Unload", {table});
}

TEST_F(TuneSheet, LongDataAndOneLetterTitlesAreNotListed) {
  ostrel_test::MakeTable("G4", {"CREATE TABLE G4(A VARCHAR(5), M TEXT, C VARCHAR(5), D VARCHAR(5))",
                                "INSERT INTO G4 VALUES('a', 'long text', 'c', 'd')"});
  TestRecordSet records("SELECT A, M, C, D FROM G4");
  ASSERT_TRUE(records.opened());
  ASSERT_EQ(1, records.object()->FieldOption(2, 17));
  TableHost host;
  uint32_t table = host.Load(kSection);
  ASSERT_EQ(1u, Ostrel()("OSTREL_Show", {table, records.handle(), Word("  Поле A|Memo|C|\\nD2"),
                                         Word("UNTUNE")}));
  std::string rows;
  Tune(table, [&](HWND sheet) {
    HWND list = GetDlgItem(CurrentPage(sheet), 1014);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) rows += "[" + ItemText(list, i, 4) + "]";
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ("[Поле A][D2]", rows);
  Ostrel()("OSTREL_Unload", {table});
}

}  // namespace
