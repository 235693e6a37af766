// Dorvin.dll's exports, called as the binder calls them in this process and
// bound by korvex from scripts: forms made and closed, handles that name no
// form, record sets added, and the messages of forms that fail to load or
// compile.
#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "library_call.h"

namespace {

const LibraryCall dorvin("DORVIN");
const LibraryCall praxel("PRAXEL");

uint32_t Form(const char* source, long number) {
  return dorvin("DORVIN_Form", {0, Word(source), static_cast<uint32_t>(number)});
}

TEST(DorvinExports, FormsAreMadeAndClosedAndUnknownHandlesActLikeZero) {
  uint32_t base = praxel("PRAXEL_BaseOpen", {0, Word("DSN=KTEST;"), 2});
  ASSERT_NE(0u, base);
  uint32_t sets[9];
  for (uint32_t& set : sets) {
    set = praxel("PRAXEL_New", {base, Word("T"), 1});
    ASSERT_NE(0u, set);
  }
  uint32_t form = Form("BOX 1,2,3,4\r\nEND", 0);
  ASSERT_NE(0u, form);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(1u, dorvin("DORVIN_RsAdd", {form, sets[i]})) << i;
  EXPECT_EQ(0u, dorvin("DORVIN_RsAdd", {form, sets[8]}));
  EXPECT_EQ(0u, dorvin("DORVIN_RsAdd", {0, sets[0]}));
  EXPECT_EQ(0u, dorvin("DORVIN_RsAdd", {form + 4, sets[0]}));

  uint32_t second = Form("TEXT{x}\r\nEND", 0);
  ASSERT_NE(0u, second);
  EXPECT_EQ(1u, dorvin("DORVIN_RsAdd", {second, sets[8]}));
  dorvin("DORVIN_Close", {form});
  EXPECT_EQ(0u, dorvin("DORVIN_RsAdd", {form, sets[0]}));
  dorvin("DORVIN_Close", {form});  // closed already: nothing happens
  dorvin("DORVIN_Close", {0});
  dorvin("DORVIN_Close", {second});
  // The record sets stay the script's.
  for (uint32_t set : sets) EXPECT_EQ(1u, praxel("PRAXEL_Close", {set}));
  praxel("PRAXEL_BaseClose", {base});
}

TEST(DorvinExports, CompileErrorsShowTheirDialogAndGiveNoForm) {
  gui::BoxWatcher watcher({IDOK, IDCANCEL});
  EXPECT_EQ(0u, Form("FONT A,10\r\nXYZ 1\r\nEND", 0));
  EXPECT_EQ(0u, Form("FONT A,10\r\n", 0));  // no END: not even a form text
  EXPECT_EQ(0u, Form("FONT LEGEND", 0));     // ends without its END line
  auto boxes = watcher.Boxes();
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ("Ошибка", boxes[0].caption);
  EXPECT_EQ("неизвестная лексема\nXYZ 1\r\nEND", boxes[0].text);
  EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), boxes[0].buttons);
  EXPECT_EQ("ОШИБКА", boxes[1].caption);
  EXPECT_EQ("искажен файл форм", boxes[1].text);
  EXPECT_EQ("Ошибка", boxes[2].caption);
  EXPECT_EQ("неожиданный конец текста", boxes[2].text);
  EXPECT_EQ(IDCANCEL, boxes[2].answer);
}

TEST(DorvinKorvex, ScriptsMakeFormsAndSeeTheirErrors) {
  std::string forms = host_test::WriteScript(
      "forms.frm", "FORM 5\r\nFONT Arial,10\r\nBOX 1,2,3,4\r\nXYZ 1\r\nEND\r\nFORM 6\r\nEND\r\n");
  std::string missing = host_test::ScratchDirectory() + "missing.frm";
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start(
      "dorvin_forms.bas",
      "DEF DORVIN\r\n"
      "H = DORVIN!DORVIN_Form(HWND, \"FONT Arial,10\" + CHR(13) + CHR(10) + \"END\", 0)\r\n"
      "WRITE H <> 0, DORVIN!DORVIN_RsAdd(0, 0)\r\n"
      "DORVIN!DORVIN_Close(H)\r\n"
      "WRITE DORVIN!DORVIN_Form(HWND, \"" + forms + "\", 6) <> 0\r\n"
      "WRITE DORVIN!DORVIN_Form(HWND, \"" + forms + "\", 5)\r\n"
      "WRITE DORVIN!DORVIN_Form(HWND, \"" + missing + "\", 1)\r\n"
      "WRITE DORVIN!DORVIN_Form(HWND, \"TEXT{THE END}\" + CHR(13) + CHR(10) + \"END\", 0)\r\n"
      "WRITE TO FILE \"%OUT%\"\r\n"));

  HWND dialog = korvex.Program().WaitForWindow("#32770", "Ошибка", 15000);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(gui::WaitUntilShown(dialog, 5000));
  EXPECT_EQ("неизвестная лексема", gui::WindowText(GetDlgItem(dialog, 1000)));
  EXPECT_EQ("XYZ 1\r\nEND", gui::WindowText(GetDlgItem(dialog, 1001)));
  gui::AnswerMessageBox(dialog, IDOK);

  HWND box = korvex.Program().WaitForWindow("#32770", "ОШИБКА", 15000);
  ASSERT_TRUE(box);
  ASSERT_TRUE(gui::WaitUntilShown(box, 5000));
  EXPECT_EQ("файл " + missing + " не найден", gui::WaitForMessageBoxText(box));
  gui::AnswerMessageBox(box, IDOK);

  ASSERT_TRUE(gui::WaitFor([&] { return !IsWindow(box); }, 5000));
  dialog = korvex.Program().WaitForWindow("#32770", "Ошибка", 15000);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(gui::WaitUntilShown(dialog, 5000));
  EXPECT_EQ("неожиданный конец текста", gui::WindowText(GetDlgItem(dialog, 1000)));
  EXPECT_EQ("TEXT{THE END", gui::WindowText(GetDlgItem(dialog, 1001)));
  gui::AnswerMessageBox(dialog, IDCANCEL);

  EXPECT_EQ("TRUE\tFALSE\r\nTRUE\r\n0\r\n0\r\n0\r\n", korvex.Result());
  EXPECT_EQ(0u, korvex.Program().WaitExit(15000));
}

}  // namespace
