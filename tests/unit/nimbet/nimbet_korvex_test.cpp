// korvex.exe binding NIMBET: the bracket message of CALC_TRANSLATE comes up
// in front of the user, and the script gets a NULL value.
#include <gtest/gtest.h>

#include "gui_driver.h"
#include "korvex_session.h"

namespace {

TEST(NimbetKorvex, UnpairedBracketsShowTheirBoxAndGiveNull) {
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("nimbet_calc.bas",
                           "DEF NIMBET\r\nR = NIMBET!CALC_TRANSLATE(\"(a+b\", 0)\r\n"
                           "WRITE TYPE(R)\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  HWND box = korvex.Program().WaitForWindow("#32770", "Расчет", 15000);
  ASSERT_TRUE(box);
  ASSERT_TRUE(gui::WaitUntilShown(box, 5000));
  EXPECT_EQ("Не парные скобки", gui::WaitForMessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);
  EXPECT_EQ("NULL\r\n", korvex.Result());
  EXPECT_EQ(0u, korvex.Program().WaitExit(15000));
}

}  // namespace
