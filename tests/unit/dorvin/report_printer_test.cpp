// Forms on the printer "PDF" (CUPS with cups-pdf): a form once from this
// process, and a form per record with an EVENT slot that a korvex script
// draws into, read back from the PDF files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grusk_support.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "report_fixture.h"
#include "report_support.h"

using namespace report_test;

namespace {

const int kPrintWait = 60;

// The PDF's pages as pdftotext reads them (code page 1251).
std::vector<std::string> Pages(const std::string& pdf) {
  std::string text = grusk_test::PdfText(pdf);
  std::vector<std::string> pages;
  size_t start = 0;
  for (size_t feed; (feed = text.find('\f', start)) != std::string::npos; start = feed + 1)
    pages.push_back(text.substr(start, feed - start));
  return pages;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

using ReportPrinter = ReportFixture;
using Lines = std::vector<std::string>;

TEST_F(ReportPrinter, AFormOncePrintsItsTextsInCyrillic) {
  BoxAnswers boxes;
  uint32_t form = MakeForm(window_, 1);
  ASSERT_NE(0u, form);
  grusk_test::PdfWatch watch;
  EXPECT_EQ(1u, Dorvin()("DORVIN_Type", {form, Word("dorvin_once"), Word("DEFAULT")}));
  Dorvin()("DORVIN_Close", {form});
  std::string pdf = watch.Find("dorvin_once", kPrintWait);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled dorvin_once";
  std::vector<std::string> pages = Pages(pdf);
  ASSERT_EQ(1u, pages.size());
  EXPECT_TRUE(Has(pages[0], "Итого: 1234.50")) << pages[0];
  EXPECT_TRUE(Has(pages[0], "Иванов")) << pages[0];
  EXPECT_EQ(Lines{}, boxes.Seen());
}

TEST_F(ReportPrinter, PrintAsksForThePrinterFirst) {
  uint32_t form = MakeForm(window_, 1);
  ASSERT_NE(0u, form);
  grusk_test::PdfWatch watch;
  {
    BoxAnswers cancel({IDCANCEL});
    EXPECT_EQ(0u, Dorvin()("DORVIN_Print", {form, Word("dorvin_cancelled")}));
    ASSERT_EQ(1u, cancel.Seen().size());
  }
  {
    BoxAnswers confirm({IDOK});
    EXPECT_EQ(1u, Dorvin()("DORVIN_Print", {form, Word("dorvin_print")}));
    ASSERT_EQ(1u, confirm.Seen().size());
    EXPECT_EQ(0u, confirm.Seen()[0].find("Настройка принтера: ")) << confirm.Seen()[0];
  }
  Dorvin()("DORVIN_Close", {form});
  std::string pdf = watch.Find("dorvin_print", kPrintWait);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled dorvin_print";
  EXPECT_TRUE(Has(grusk_test::PdfText(pdf), "Итого: 1234.50"));
  EXPECT_TRUE(watch.Find("dorvin_cancelled", 2).empty());
}

TEST_F(ReportPrinter, TheEventSlotOfAFormPerRecordIsTheScriptsToDraw) {
  std::string script =
      "DEF PRAXEL\r\nDEF DORVIN\r\nDEF GRUSK\r\n"
      "EVENT 2005, HEADER\r\n"
      "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\r\n"
      "SET R = PRAXEL.New(B, \"DORVIN_PEOPLE\", 10)\r\n"
      "O = R.Open(\"SELECT NAME, CITY FROM DORVIN_PEOPLE WHERE ID <= 18 ORDER BY ID\", \"STATIC\")\r\n"
      "F = DORVIN!DORVIN_Form(HWND, \"" + FormFile() + "\", 2)\r\n"
      "K = DORVIN!DORVIN_RsAdd(F, R)\r\n"
      "WRITE DORVIN!DORVIN_Type(F, \"dorvin_event\", \"TABLE|EVENT=2005|DEFAULT\")\r\n"
      "WRITE DORVIN!DORVIN_Type(F, \"dorvin_bogus\", \"TABLE|BOGUS\")\r\n"
      "DORVIN!DORVIN_Close(F)\r\n"
      "WRITE TO FILE \"%OUT%\"\r\n"
      "END\r\n"
      "HEADER:\r\n"
      "GRUSK!PRNBOX(PARAM, 0, 0, 100, 10, \"L\", \"KVX HEADER\")\r\n"
      "END\r\n";
  Dorvin();  // the margins are in the INI file
  grusk_test::PdfWatch watch;
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("dorvin_event.bas", script));
  EXPECT_EQ("1\r\n0\r\n", korvex.Result(120000));
  std::string pdf = watch.Find("dorvin_event", kPrintWait);
  ASSERT_FALSE(pdf.empty()) << "no PDF titled dorvin_event";
  std::vector<std::string> pages = Pages(pdf);
  ASSERT_EQ(3u, pages.size());
  EXPECT_TRUE(Has(pages[0], "KVX HEADER")) << pages[0];
  const int first[3] = {1, 9, 18}, last[3] = {8, 17, 18};
  for (int page = 0; page < 3; ++page)
    for (int i = 1; i <= 18; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "Абонент %02d - %s", i, i % 2 ? "Омск" : "Тула");
      EXPECT_EQ(i >= first[page] && i <= last[page], Has(pages[page], name)) << page << " " << name;
    }
  EXPECT_TRUE(watch.Find("dorvin_bogus", 3).empty());
}

}  // namespace
