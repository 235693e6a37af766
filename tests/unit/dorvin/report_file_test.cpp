// Forms into page files through Dorvin's exports, over a script window of
// this process and Praxel's record sets: the form once, once per record,
// bad options, and the refusals and stops of per-record reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "page_dump.h"
#include "report_fixture.h"
#include "report_support.h"

using namespace report_test;

namespace {

using Lines = std::vector<std::string>;

class ReportFile : public ReportFixture {
 protected:
  // DORVIN_Type of the form with the options; the page file's records, or
  // "no file".
  Lines Type(uint32_t form, const char* options, uint32_t* position = nullptr) {
    uint32_t file = Dorvin()("DORVIN_Type", {form, Word("dorvin_file"), Word(options)});
    if (!file) return {"no file"};
    HANDLE handle = reinterpret_cast<HANDLE>(file);
    if (position) *position = SetFilePointer(handle, 0, nullptr, FILE_CURRENT);
    Lines lines = PageDump(PageFileBytes(handle));
    Hestel()("HESTEL_CLOSE", {file});
    return lines;
  }
  uint32_t FormOver(long number, RecordSetObject* set) {
    uint32_t form = MakeForm(window_, number);
    EXPECT_NE(0u, form);
    if (set) {
      EXPECT_EQ(1u, Dorvin()("DORVIN_RsAdd", {form, Word(set)}));
    }
    forms_.push_back(form);
    return form;
  }
  void TearDown() override {
    for (uint32_t form : forms_) Dorvin()("DORVIN_Close", {form});
    ReportFixture::TearDown();
  }
  std::vector<uint32_t> forms_;
};

// The slots of a per-record page: "k: text" for each slot's 'T', with its
// base font and box checked against slot k.
Lines Slots(const Lines& lines, size_t& at) {
  Lines slots;
  for (int k = 1; at + 2 < lines.size() && lines[at][0] == 'F'; ++k, at += 3) {
    EXPECT_EQ("F 10 0 Mono", lines[at]);
    EXPECT_EQ("B 01 118 " + std::to_string(118 + 354 * (k - 1)) + " 1304 " +
                  std::to_string(472 + 354 * (k - 1)),
              lines[at + 1]);
    slots.push_back(lines[at + 2]);
  }
  return slots;
}

TEST_F(ReportFile, AFormOnceWritesItsBoxesAndTextsAtTheMargins) {
  BoxAnswers boxes;
  uint32_t form = FormOver(1, nullptr);
  uint32_t position = 0;
  EXPECT_EQ((Lines{"# 1 2479 3508", "F 12 B Mono", "B 55 236 354 1304 590", "T C Итого: 1234.50",
                   "B 01 118 3070 711 3390", "T L Иванов", "E"}),
            Type(form, "FILE|DEFAULT", &position));
  EXPECT_EQ(104u, position);
  // The base font's record as bytes.
  uint32_t file = Dorvin()("DORVIN_Type", {form, Word("dorvin_file"), Word("file|default")});
  ASSERT_NE(0u, file);
  std::string bytes = PageFileBytes(reinterpret_cast<HANDLE>(file));
  Hestel()("HESTEL_CLOSE", {file});
  EXPECT_EQ(std::string("\x0B\x00\x46\x0C\x42\x00Mono\x00", 11), bytes.substr(20, 11));
  EXPECT_EQ(Lines{}, boxes.Seen());
}

TEST_F(ReportFile, AFormPerRecordFillsNineSlotsAPage) {
  BoxAnswers boxes;
  uint32_t form = FormOver(2, People());
  for (const char* options : {"FILE|TABLE|DEFAULT", " file | table "}) {
    Lines lines = Type(form, options);
    ASSERT_GE(lines.size(), 2u) << options;
    size_t at = 0;
    Lines pages[3];
    for (int page = 1; page <= 3; ++page) {
      ASSERT_EQ("# " + std::to_string(page) + " 2479 3508", lines[at]) << options;
      ++at;
      pages[page - 1] = Slots(lines, at);
    }
    EXPECT_EQ((Lines{"E"}), Lines(lines.begin() + static_cast<long>(at), lines.end()));
    ASSERT_EQ(9u, pages[0].size());
    ASSERT_EQ(9u, pages[1].size());
    ASSERT_EQ(2u, pages[2].size());
    EXPECT_EQ("T L Абонент 01 - Омск", pages[0][0]);
    EXPECT_EQ("T L Абонент 10 - Тула", pages[1][0]);
    EXPECT_EQ("T L Абонент 20 - Тула", pages[2][1]);
  }
  // Without DEFAULT the printer setup dialog comes first.
  ASSERT_EQ(1u, boxes.Seen().size());
  EXPECT_EQ(0u, boxes.Seen()[0].find("Настройка принтера: ")) << boxes.Seen()[0];
}

// The field of a dump line: its n-th blank-separated word (0-based).
std::string Field(const std::string& line, int n) {
  size_t at = 0;
  for (int i = 0; i < n; ++i) {
    at = line.find(' ', at);
    if (at == std::string::npos) return "";
    ++at;
  }
  return line.substr(at, line.find(' ', at) - at);
}

TEST_F(ReportFile, ATablePartPrintsItsColumnsAndTheFormGoesOnUnderIt) {
  BoxAnswers boxes;
  Lines lines = Type(FormOver(4, People()), "FILE|DEFAULT");
  ASSERT_EQ(1u + 1 + 2 + 40 + 1 + 1 + 1, lines.size()) << ::testing::PrintToString(lines);
  EXPECT_EQ("# 1 2479 3508", lines[0]);
  EXPECT_EQ("F 10 0 Mono", lines[1]);
  ASSERT_EQ('H', lines[2][0]);
  ASSERT_EQ('H', lines[3][0]);
  EXPECT_EQ("Имя", lines[2].substr(lines[2].rfind(' ') + 1));
  EXPECT_EQ("Город", lines[3].substr(lines[3].rfind(' ') + 1));
  // The heads start at the margins; the second column 60 mm to the right.
  EXPECT_EQ("118", Field(lines[2], 2));
  EXPECT_EQ("118", Field(lines[2], 3));
  EXPECT_EQ(std::to_string(118 + 711), Field(lines[3], 2));
  std::string lastBottom;
  for (int row = 0; row < 20; ++row) {
    char name[32];
    std::snprintf(name, sizeof name, "Абонент %02d", row + 1);
    const std::string& nameCell = lines[4 + 2 * row];
    const std::string& cityCell = lines[5 + 2 * row];
    EXPECT_EQ("L 0", nameCell.substr(0, 3)) << row;
    EXPECT_EQ(name, nameCell.substr(nameCell.size() - std::strlen(name))) << row;
    EXPECT_EQ("L 1", cityCell.substr(0, 3)) << row;
    EXPECT_EQ(row % 2 ? "Тула" : "Омск", cityCell.substr(cityCell.size() - 4)) << row;
    EXPECT_EQ(Field(nameCell, 2), Field(cityCell, 2));
    lastBottom = Field(nameCell, 3);
  }
  EXPECT_EQ("G", lines[44]);
  // The box after the table starts at the last row's bottom and ends 15 mm
  // lower.
  ASSERT_EQ('B', lines[45][0]);
  EXPECT_EQ("10", Field(lines[45], 1));
  EXPECT_EQ(lastBottom, Field(lines[45], 3));
  EXPECT_EQ(std::to_string(std::stoi(lastBottom) + 177), Field(lines[45], 5));
  EXPECT_EQ("E", lines[46]);
  // A second run starts from no columns again.
  EXPECT_EQ(lines, Type(forms_.back(), "FILE|DEFAULT"));
  EXPECT_EQ(Lines{}, boxes.Seen());
}

TEST_F(ReportFile, ATablePartBreaksItsPagesInsideTheTopAndBottomMargins) {
  BoxAnswers boxes;
  Lines lines = Type(FormOver(7, Many(70)), "FILE|DEFAULT");
  std::vector<int> rows;  // of each page
  int lowest = 0;
  for (const std::string& line : lines) {
    if (line[0] == '#') rows.push_back(0);
    if (line.compare(0, 4, "L 0 ") || rows.empty()) continue;
    ++rows.back();
    lowest = std::max(lowest, std::stoi(Field(line, 3)));
  }
  // Printable height 3508 - 118 - 118 = 3272, heads 73 and rows 49 high:
  // (3272 - 118 - 73 - 236) / 49 = 58 rows under the 20 mm part on page 1,
  // the rest on page 2; no row below the bottom margin.
  EXPECT_EQ((std::vector<int>{58, 12}), rows) << ::testing::PrintToString(lines);
  EXPECT_LE(lowest, 3508 - 118);
  EXPECT_EQ(Lines{}, boxes.Seen());
}

TEST_F(ReportFile, UnknownWordsAndHandlesGiveZeroAndNothingElse) {
  BoxAnswers boxes;
  uint32_t form = FormOver(2, People());
  EXPECT_EQ(0u, Dorvin()("DORVIN_Type", {form, Word("dorvin_bogus"), Word("TABLE|BOGUS")}));
  EXPECT_EQ(0u, Dorvin()("DORVIN_Type", {form, Word("dorvin_bogus"), Word("FILE|EVENT|DEFAULT")}));
  EXPECT_EQ(0u, Dorvin()("DORVIN_Type", {0, Word("dorvin_bogus"), Word("FILE|DEFAULT")}));
  EXPECT_EQ(0u, Dorvin()("DORVIN_Type", {form + 4, Word("dorvin_bogus"), Word("FILE|DEFAULT")}));
  EXPECT_EQ(0u, Dorvin()("DORVIN_Print", {0, Word("dorvin_bogus")}));
  EXPECT_EQ(0u, Dorvin()("DORVIN_Write", {0, Word("x"), Word("y")}));
  EXPECT_EQ(Lines{}, boxes.Seen());
  // EVENT without TABLE changes nothing.
  EXPECT_EQ(static_cast<size_t>(5), Type(form, "FILE|EVENT=7|DEFAULT").size());
}

TEST_F(ReportFile, FormsPerRecordThatCannotBeLaidOutAreRefusedBeforePrinting) {
  BoxAnswers boxes;
  // No boxes: no rows per page.
  EXPECT_EQ((Lines{"no file"}), Type(FormOver(3, People()), "FILE|TABLE|DEFAULT"));
  // One form a page over 300 records: page numbers stop at 255.
  EXPECT_EQ((Lines{"no file"}), Type(FormOver(6, Many()), "FILE|TABLE|DEFAULT"));
  Lines twenty = Type(FormOver(6, People()), "FILE|TABLE|DEFAULT");
  ASSERT_EQ(20u * 4 + 1, twenty.size());
  EXPECT_EQ("# 20 2479 3508", twenty[19 * 4]);
  EXPECT_EQ((Lines{"ОШИБКА: ошибка загрузки формы", "ОШИБКА: файл слишком большой"}), boxes.Seen());
}

TEST_F(ReportFile, CancelInAnExpressionBoxEndsTheWholeReport) {
  {
    BoxAnswers boxes({IDOK, IDOK, IDCANCEL});
    Lines lines = Type(FormOver(5, People()), "FILE|TABLE|DEFAULT");
    EXPECT_EQ((Lines{"# 1 2479 3508", "F 10 0 Mono", "B 01 118 118 1304 472", "T L MID(A!NAME,",
                     "F 10 0 Mono", "B 01 118 472 1304 826", "T L MID(A!NAME,", "F 10 0 Mono",
                     "B 01 118 826 1304 1180", "T L MID(A!NAME,", "E"}),
              lines);
    EXPECT_EQ(3u, boxes.Seen().size()) << ::testing::PrintToString(boxes.Seen());
    EXPECT_EQ("ОШИБКА: неожиданный конец текста", boxes.Seen()[0]);
  }
  // A form once, cancelled, still ends its page file.
  BoxAnswers cancel({IDCANCEL});
  EXPECT_EQ((Lines{"# 1 2479 3508", "F 10 0 Mono", "B 01 118 118 1304 472", "T L MID(A!NAME,", "E"}),
            Type(FormOver(5, People()), "FILE|DEFAULT"));
  EXPECT_EQ(1u, cancel.Seen().size());
}

// The owner's command of the EVENT slot gets the printer's DC; here it
// presses Стоп in the progress dialog, and the report ends after the page.
LRESULT CALLBACK StoppingOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && wParam == 2005) {
    if (GetObjectType(reinterpret_cast<HDC>(lParam)) != OBJ_DC) return 0;
    HWND dialog = FindWindowA("#32770", "Печать");
    if (dialog) SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ReportFile, StopInTheProgressDialogEndsAReportPerRecordAfterItsPage) {
  WNDCLASSA c = {};
  c.lpfnWndProc = StoppingOwner;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = "DORVIN_STOPPER";
  RegisterClassA(&c);
  HWND owner = CreateWindowA("DORVIN_STOPPER", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             c.hInstance, nullptr);
  ASSERT_TRUE(owner);
  uint32_t form = Dorvin()("DORVIN_Form", {Word(owner), Word(FormFile().c_str()), 2});
  ASSERT_NE(0u, form);
  Dorvin()("DORVIN_RsAdd", {form, Word(People())});
  uint32_t file = Dorvin()("DORVIN_Type", {form, Word("dorvin_stop"), Word("FILE|TABLE|EVENT=2005|DEFAULT")});
  ASSERT_NE(0u, file);
  Lines lines = PageDump(PageFileBytes(reinterpret_cast<HANDLE>(file)));
  Hestel()("HESTEL_CLOSE", {file});
  // Page 1: the event's slot and records 1-8; then only the end.
  ASSERT_EQ(1u + 8 * 3 + 1, lines.size());
  EXPECT_EQ("B 01 118 472 1304 826", lines[2]);
  EXPECT_EQ("T L Абонент 08 - Тула", lines[24]);
  EXPECT_EQ("E", lines.back());
  EXPECT_TRUE(IsWindowEnabled(owner));
  Dorvin()("DORVIN_Close", {form});
  DestroyWindow(owner);
}

}  // namespace
