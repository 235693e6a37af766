// The form evaluator in a real script window of this process, with record
// sets of Praxel over the SQLite data source: variables and array elements
// the window answers, fields of the record sets, built-ins, and the boxes
// that missing names show.
#include <gtest/gtest.h>

#include <string>

#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "library_call.h"
#include "odbc_session.h"
#include "report_form.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

namespace {

using host_test::PumpUntil;

const LibraryCall praxel("PRAXEL");

const char kOwnerScript[] =
    "REM HIDE,WINDOW\r\n"
    "NAME = \"Иванов Иван Иванович\"\r\n"
    "CODE = \"X12345\"\r\n"
    "X = 5\r\n"
    "DIM M(4)\r\n"
    "M(1) = 7\r\n"
    "READY = 1\r\n";

// The value as "TYPE text", or "error N" when the evaluation failed.
std::string Evaluate(ReportForm& form, const char* expression) {
  form.SetError(0);
  const char* p = expression;
  if (form.Evaluate(p)) return "error " + std::to_string(form.GetError());
  VARIABLE* v = form.PopValue();
  if (!v) return "nothing";
  std::string text = VARIABLE::TypeName(v->type);
  char buffer[kValueTextSize];
  if (v->type == VAL_STRING)
    text += std::string(" ") + (v->text ? v->text : "");
  else if (v->type != VAL_NULL)
    text += std::string(" ") + v->GetText(buffer, sizeof buffer, 0);
  return text;
}

class FormInWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    hInst = GetModuleHandleA(nullptr);
    RegisterHostClasses();
    OdbcSession session("KTEST");
    session.Try("DROP TABLE DORVIN_CITY");
    session.Run({"CREATE TABLE DORVIN_CITY (ID INTEGER, CITY VARCHAR(20), NOTE VARCHAR(40))",
                 "INSERT INTO DORVIN_CITY VALUES (1, 'Москва', 'столица'), (2, 'Тула', 'пряники'), "
                 "(3, 'Орел', NULL)"});
  }

  void SetUp() override {
    ScriptWindowCount = 0;
    ActiveScriptWindow = nullptr;
    LastScriptOptions = kRunHide;
    FrameWindow = CreateFrameWindow();
    ASSERT_TRUE(FrameWindow);
    window_ = StartScript(nullptr, host_test::WriteScript("owner.bas", kOwnerScript).c_str());
    LastScriptOptions |= kRunHide;
    ASSERT_TRUE(window_);
    ASSERT_TRUE(PumpUntil([&] { return InterpreterOf(window_)->Variables().Find("READY"); }, 5000));
    base_ = praxel("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
    ASSERT_NE(0u, base_);
  }

  void TearDown() override {
    for (uint32_t set : sets_) praxel("PRAXEL_Close", {set});
    if (base_) praxel("PRAXEL_BaseClose", {base_});
    for (HWND child : gui::Children(MdiClient, nullptr))
      SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    LastScriptOptions |= kRunHide;
    PumpUntil([] { return !IsWindow(FrameWindow); }, 2000);
  }

  // A record set of the cities, on the record given.
  RecordSetObject* Cities(long record, const char* name = "DORVIN_CITY") {
    uint32_t set = praxel("PRAXEL_New", {base_, Word(name), 10});
    EXPECT_NE(0u, set);
    sets_.push_back(set);
    EXPECT_NE(0u, praxel("PRAXEL_Open", {set, Word("SELECT ID, CITY, NOTE FROM DORVIN_CITY ORDER BY ID"),
                                         Word("STATIC")}));
    EXPECT_NE(0u, praxel("PRAXEL_RecGet", {set, static_cast<uint32_t>(record)}));
    return reinterpret_cast<RecordSetObject*>(set);
  }

  HWND window_ = nullptr;
  uint32_t base_ = 0;
  std::vector<uint32_t> sets_;
};

TEST_F(FormInWindow, OperandsComeFromTheOwnerAndTheRecordSets) {
  gui::BoxWatcher watcher;
  ReportForm form(window_);
  ASSERT_TRUE(form.AddRecordSet(Cities(2)));
  EXPECT_EQ("STRING 123", Evaluate(form, "MID(CODE,2,3)"));
  EXPECT_EQ("LONG 21", Evaluate(form, "LEN(NAME) + 1"));
  EXPECT_EQ("STRING Тула", Evaluate(form, "A!CITY"));
  EXPECT_EQ("LONG 7", Evaluate(form, "M(1)"));
  EXPECT_EQ("LONG 7", Evaluate(form, "M(X - 4)"));
  EXPECT_EQ("STRING Тула пряники", Evaluate(form, "A!CITY & \" \" & A!NOTE"));
  EXPECT_EQ("LONG 10", Evaluate(form, "CLONG(\"10\")"));
  EXPECT_EQ("STRING ИВАНОВ", Evaluate(form, "UPPER(LEFT(NAME, 6))"));
  EXPECT_TRUE(watcher.Boxes().empty());
  // The host's records are copied: the window's own stay as they were.
  EXPECT_STREQ("X12345", InterpreterOf(window_)->Variables().Find("CODE")->text);
}

TEST_F(FormInWindow, WrongReferencesAreErrors) {
  gui::BoxWatcher watcher;
  ReportForm form(window_);
  ASSERT_TRUE(form.AddRecordSet(Cities(2)));
  EXPECT_EQ("error 92", Evaluate(form, "B!CITY"));
  EXPECT_EQ("error 92", Evaluate(form, "a!CITY"));
  EXPECT_EQ("error 92", Evaluate(form, "@!CITY"));
  // "]" ends no argument list here.
  EXPECT_EQ("error 112", Evaluate(form, "MID(NAME,2,3]"));
  EXPECT_EQ("error 118", Evaluate(form, "MID(NAME,"));
  EXPECT_EQ("error 112", Evaluate(form, "MID(NAME,2,3"));
  EXPECT_EQ("error 133", Evaluate(form, "M(\"1\")"));
  EXPECT_EQ("error 122", Evaluate(form, "LEN(NAME, 1)"));
  // No variable to refer to in a form.
  EXPECT_EQ("error 112", Evaluate(form, "VARPTR(X)"));
  EXPECT_EQ("error 112", Evaluate(form, "POKE(X, 1, 2)"));
  EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(FormInWindow, MissingNamesShowOneBoxAndPrintThemselves) {
  gui::BoxWatcher watcher;
  ReportForm form(window_);
  ASSERT_TRUE(form.AddRecordSet(Cities(1, "CITIES")));
  EXPECT_EQ("STRING ZZ", Evaluate(form, "ZZ"));
  // TYPE is no built-in of forms: an array of the owner, which has none.
  EXPECT_EQ("STRING TYPE(5,0)", Evaluate(form, "TYPE(X)"));
  EXPECT_EQ("STRING M(9,0)", Evaluate(form, "M(9)"));
  EXPECT_EQ("STRING NOPE", Evaluate(form, "A!NOPE"));
  // A name keeps 64 characters, and the element's text has room for it.
  const std::string longName(70, 'Q');
  EXPECT_EQ("STRING " + std::string(64, 'Q') + "(-2147483648,2147483647)",
            Evaluate(form, (longName + "(-2147483647 - 1, 2147483647)").c_str()));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(5u, boxes.size());
  EXPECT_EQ("ОШИБКА.Переменная не найдена", boxes[0].caption);
  EXPECT_EQ("ZZ", boxes[0].text);
  EXPECT_EQ("ОШИБКА.Массив не найден", boxes[1].caption);
  EXPECT_EQ("TYPE(5,0)", boxes[1].text);
  EXPECT_EQ("M(9,0)", boxes[2].text);
  EXPECT_EQ("ОШИБКА.Поле не найдено", boxes[3].caption);
  EXPECT_EQ("NOPE", boxes[3].text);
  EXPECT_EQ(std::string(64, 'Q') + "(-2147483648,2147483647)", boxes[4].text);
}

TEST_F(FormInWindow, ColumnsAreCheckedAgainstTheFirstRecordSet) {
  gui::BoxWatcher watcher;
  ReportForm form(window_);
  ASSERT_TRUE(form.AddRecordSet(Cities(1, "CITIES")));
  EXPECT_EQ(2, form.CheckField("CITY"));
  EXPECT_EQ(0, form.CheckField("NOPE"));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("ОШИБКА", boxes[0].caption);
  EXPECT_EQ("Поле NOPE в CITIES не найдено", boxes[0].text);

  EXPECT_EQ(0, form.IsColumnHidden(2));
  // The flag PRINT is set on a hidden column.
  praxel("PRAXEL_FldOption", {sets_[0], Word("CITY"), Word("MODE=PRINT")});
  EXPECT_EQ(0, form.IsColumnHidden(2));
  praxel("PRAXEL_FldOption", {sets_[0], Word("CITY"), Word("MODE=HIDE;MODE=PRINT")});
  EXPECT_NE(0, form.IsColumnHidden(2));
  EXPECT_EQ(0, form.IsColumnHidden(3));
  EXPECT_EQ(0, form.IsColumnHidden(0));

  // A form without record sets knows no field and hides no column.
  ReportForm bare(window_);
  watcher.Reset({IDOK});
  EXPECT_EQ(0, bare.CheckField("CITY"));
  EXPECT_EQ(0, bare.IsColumnHidden(2));
  boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Поле CITY в  не найдено", boxes[0].text);
}

TEST_F(FormInWindow, EightRecordSetsAreHeldAndLettered) {
  ReportForm form(window_);
  RecordSetObject* sets[9];
  for (int i = 0; i < 9; ++i) sets[i] = Cities(i % 3 + 1);
  EXPECT_FALSE(form.AddRecordSet(nullptr));
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(form.AddRecordSet(sets[i])) << i;
  EXPECT_FALSE(form.AddRecordSet(sets[8]));
  EXPECT_EQ(8, form.RecordSetCount());
  EXPECT_EQ(sets[7], form.RecordSetAt(7));
  EXPECT_EQ("STRING Москва", Evaluate(form, "A!CITY"));
  EXPECT_EQ("STRING Орел", Evaluate(form, "C!CITY"));
  EXPECT_EQ("STRING Тула", Evaluate(form, "H!CITY"));
  EXPECT_EQ("error 92", Evaluate(form, "I!CITY"));
}

}  // namespace
