// korvex.exe end to end: scripts write what they saw with WRITE and WRITE
// TO FILE, and the file is compared byte for byte.
#include <gtest/gtest.h>

#include "korvex_session.h"

using host_test::KorvexSession;

namespace {

TEST(KorvexEvents, WriteItemsAndLinesGoToTheFile) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("write_items.bas",
                           "WRITE 1, \"a\", 2.5\r\nWRITE \"b\"\r\nWRITE TO FILE \"%OUT%\"\r\n"));
  EXPECT_EQ("1\ta\t2.500000\r\nb\r\n", korvex.Result());
  EXPECT_EQ(0u, korvex.Program().WaitExit(15000));
}

TEST(KorvexEvents, ClickHandlerSeesPositionAndParamAndCloseLeavesTheWindowOpen) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("click.bas",
                           "REM WINDOW\r\nEVENT 1009, CLICK\r\nEND 1\r\n"
                           "CLICK:\r\nWRITE XPOS, YPOS, PARAM\r\nWRITE TO FILE \"%OUT%\"\r\nEND\r\n"));
  HWND script = korvex.Script();
  // Requests whose pointer is null are refused, not read.
  EXPECT_EQ(0, gui::Send(script, WM_COMMAND, 1012, 0));
  EXPECT_EQ(0, gui::Send(script, WM_COMMAND, 1013, 0));
  EXPECT_EQ(0, gui::Send(script, WM_COMMAND, 1019, 0));
  PostMessageA(script, WM_CLOSE, 0, 0);
  PostMessageA(script, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
  EXPECT_EQ("30\t40\t2621470\r\n", korvex.Result());
  EXPECT_TRUE(IsWindow(script)) << "no 1005 handler: WM_CLOSE leaves it open";
  EXPECT_TRUE(korvex.Program().Running());
}

}  // namespace
