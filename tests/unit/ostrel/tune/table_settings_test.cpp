// The stored settings of a record table read back onto a real record set
// and window: column modes, sort order, font and marker, with the damaged
// values a hand-edited KORVEX.INI may hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "grid_window.h"
#include "record_sets.h"
#include "table_settings.h"
#include "table_tune.h"
#include "tune_sheet.h"

using ostrel_test::ClearIniSection;
using ostrel_test::SetIniValue;
using ostrel_test::TestRecordSet;

namespace {

const char kSection[] = "OSTRELSETTINGS";

// A window that keeps the last font it was given (WM_SETFONT) and owns it.
LRESULT CALLBACK FontKeeper(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFONT) {
    if (HFONT old = reinterpret_cast<HFONT>(GetWindowLongPtrA(window, GWLP_USERDATA)))
      DeleteObject(old);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
    return 0;
  }
  if (message == WM_DESTROY) {
    DeleteObject(reinterpret_cast<HFONT>(GetWindowLongPtrA(window, GWLP_USERDATA)));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class TableSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ostrel_test::MakeTable("G3", {"CREATE TABLE G3(A VARCHAR(5), B VARCHAR(5), C VARCHAR(5))",
                                  "INSERT INTO G3 VALUES('a1', 'b2', 'c3')",
                                  "INSERT INTO G3 VALUES('a2', 'b1', 'c1')"});
    ClearIniSection(kSection);
    WNDCLASSA type = {};
    type.lpfnWndProc = FontKeeper;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "OSTRELFONTKEEPER";
    RegisterClassA(&type);
    window_ = CreateWindowA("OSTRELFONTKEEPER", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    ClearIniSection(kSection);
  }

  DWORD Apply(TestRecordSet& records, bool sort) {
    return ApplyTableSettings(TableSettingsTarget{window_, records.object(), kSection, sort});
  }
  LOGFONTA Font() const {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(GetWindowLongPtrA(window_, GWLP_USERDATA));
    EXPECT_TRUE(handle);
    if (handle) GetObjectA(handle, sizeof font, &font);
    return font;
  }
  bool HasFont() const { return GetWindowLongPtrA(window_, GWLP_USERDATA) != 0; }

  HWND window_ = nullptr;
};

const char kQuery[] = "SELECT A, B, C FROM G3 ORDER BY A";

TEST_F(TableSettings, StoredLettersSetTheModesAndShortOrOddTextsMakeColumnsNormal) {
  TestRecordSet records(kQuery);
  ASSERT_TRUE(records.opened());
  EXPECT_EQ(0u, Apply(records, false));  // nothing stored: nothing changes
  EXPECT_EQ("NNN", records.Modes());

  SetIniValue(kSection, "TableTune", "HF");
  EXPECT_EQ(1u, Apply(records, false));
  EXPECT_EQ("HFN", records.Modes());
  EXPECT_EQ(0u, Apply(records, false));  // the same letters again: no change

  SetIniValue(kSection, "TableTune", "xHFH");  // longer than the fields: cut
  EXPECT_EQ(1u, Apply(records, false));
  EXPECT_EQ("NHF", records.Modes());

  SetIniValue(kSection, "TableTune", "");  // empty: nothing changes
  EXPECT_EQ(0u, Apply(records, false));
  EXPECT_EQ("NHF", records.Modes());

  // A fixed column reads as 'N': an 'N' leaves it fixed.
  records.object()->FieldOption(1, 3);
  SetIniValue(kSection, "TableTune", "NHF");
  EXPECT_EQ(0u, Apply(records, false));
  EXPECT_EQ(1, records.object()->FieldOption(1, 12));
}

TEST_F(TableSettings, TheSortOrderIsTakenOnlyWhereTheTableAllowsIt) {
  TestRecordSet records(kQuery);
  ASSERT_TRUE(records.opened());
  SetIniValue(kSection, "TableSort", "B");
  EXPECT_EQ(0u, Apply(records, false));
  EXPECT_EQ("A", records.Sort());
  EXPECT_EQ(2u, Apply(records, true));
  EXPECT_EQ("B", records.Sort());
  SetIniValue(kSection, "TableSort", "b");  // compared without case
  EXPECT_EQ(0u, Apply(records, true));
  // An empty stored order would leave the query without its columns.
  SetIniValue(kSection, "TableSort", "");
  EXPECT_EQ(0u, Apply(records, true));
  EXPECT_EQ("B", records.Sort());

  SetIniValue(kSection, "TableSort", "C,A");
  SetIniValue(kSection, "TableTune", "FF");
  EXPECT_EQ(3u, Apply(records, true));
  EXPECT_EQ("C,A", records.Sort());
}

TEST_F(TableSettings, TheStoredFontGoesToTheTableEvenWhenItsTextIsDamaged) {
  TestRecordSet records(kQuery);
  ASSERT_TRUE(records.opened());
  Apply(records, false);
  EXPECT_FALSE(HasFont());  // no "TableFont": the table keeps its font

  SetIniValue(kSection, "TableFont", "Tahoma,12,1");
  Apply(records, false);
  LOGFONTA font = Font();
  EXPECT_STREQ("Tahoma", font.lfFaceName);
  HDC dc = GetDC(window_);
  EXPECT_EQ(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), font.lfHeight);
  ReleaseDC(window_, dc);
  EXPECT_EQ(600, font.lfWeight);

  SetIniValue(kSection, "TableFont", "Tahoma 10 0");  // no comma: all of it is the face
  Apply(records, false);
  EXPECT_STREQ("Tahoma 10 0", Font().lfFaceName);
  EXPECT_EQ(0, Font().lfHeight);

  SetIniValue(kSection, "TableFont", "Arial,  abc  zz");
  Apply(records, false);
  EXPECT_STREQ("Arial", Font().lfFaceName);
  EXPECT_EQ(0, Font().lfHeight);
  EXPECT_EQ(0, Font().lfWeight);

  // A face longer than LOGFONT holds: 31 characters and the NUL.
  std::string face(60, 'F');
  SetIniValue(kSection, "TableFont", (face + ",9,0").c_str());
  Apply(records, false);
  EXPECT_EQ(std::string(31, 'F'), Font().lfFaceName);
}

TEST(TableSettingTexts, FontAndMarkerTextsAreReadAsStoredAndDamagedOnesGiveZero) {
  TableFontSetting font = ParseTableFont("Courier New,14,1");
  EXPECT_STREQ("Courier New", font.face);
  EXPECT_EQ(14, font.size);
  EXPECT_EQ(1, font.bold);
  font = ParseTableFont("Arial, 8 ,  0");
  EXPECT_EQ(8, font.size);
  EXPECT_EQ(0, font.bold);
  font = ParseTableFont("Arial,9 7");  // blanks separate too
  EXPECT_EQ(9, font.size);
  EXPECT_EQ(1, font.bold);
  font = ParseTableFont(",");
  EXPECT_STREQ("", font.face);
  EXPECT_EQ(0, font.size);
  EXPECT_EQ(0, ParseTableFont(nullptr).size);

  TableMarkerSetting marker = ParseTableMarker("3,255");
  EXPECT_EQ(3, marker.width);
  EXPECT_EQ(255u, marker.colour);
  marker = ParseTableMarker("0,255");
  EXPECT_EQ(0, marker.width);
  marker = ParseTableMarker("abc");
  EXPECT_EQ(0, marker.width);
  EXPECT_EQ(0u, marker.colour);
}

TEST(TableSettingTexts, TheSectionIsTheAtomsNameCutTo31Characters) {
  char section[32] = "x";
  TableSectionName(0, section);
  EXPECT_STREQ("", section);
  ATOM name = AddAtomA("GRIDT");
  TableSectionName(name, section);
  EXPECT_STREQ("GRIDT", section);
  DeleteAtom(name);
  std::string longName(40, 'N');
  name = AddAtomA(longName.c_str());
  TableSectionName(name, section);
  EXPECT_EQ(std::string(31, 'N'), section);
  DeleteAtom(name);
}

}  // namespace

namespace {

// The marker of "Main" goes to the process-wide pen of the grid engine: a
// width below 1 keeps the width, the colour is always taken.
TEST(TableTuneRead, TheMarkerOfMainSetsWidthAndColourAsStored) {
  RecordSetTable* table = CreateGridTable(nullptr);
  ASSERT_TRUE(table);
  std::string saved = ostrel_test::IniValue("Main", "TableMarker");
  int width = GridMarkerWidth();
  COLORREF colour = GridMarkerColor();
  SetIniValue("Main", "TableMarker", "3,255");
  EXPECT_EQ(0u, ReadTableTune(table));  // no name, no record set: the marker only
  EXPECT_EQ(3, GridMarkerWidth());
  EXPECT_EQ(255u, GridMarkerColor());
  SetIniValue("Main", "TableMarker", "0,65280");
  ReadTableTune(table);
  EXPECT_EQ(3, GridMarkerWidth());
  EXPECT_EQ(65280u, GridMarkerColor());
  SetIniValue("Main", "TableMarker", "abc");
  ReadTableTune(table);
  EXPECT_EQ(3, GridMarkerWidth());
  EXPECT_EQ(0u, GridMarkerColor());
  SetIniValue("Main", "TableMarker", saved.empty() ? nullptr : saved.c_str());
  SetGridMarkerWidth(width);
  SetGridMarkerColor(colour);
  FreeGridTable(table);
}

TEST(TableTuneRead, TitlesAreListedOnOneLineWithoutLeadingBlanks) {
  const char block[] = "  Код|Наименование\nтовара||X";
  std::vector<std::string> titles = SplitTitles(block, sizeof block);
  ASSERT_EQ(4u, titles.size());
  EXPECT_EQ("Наименование товара", ListedTitle(titles[1]));
  EXPECT_EQ("Код", ListedTitle(titles[0]));
  EXPECT_EQ("", titles[2]);
  EXPECT_EQ(63u, ListedTitle(std::string(100, 'T')).size());
}

}  // namespace
