// The page view in korvex.exe itself: a script binds SELVY, shows an empty
// view over its window and turns all three events on; the Esc key reaches
// its EVENT 2002 handler with PARAM 0, Tab and F1 reach neither of the
// handlers bound to 2001 and 2003.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"

namespace {

TEST(PageViewKorvex, EscapeReachesTheScriptTabAndF1Nothing) {
  std::string other = host_test::ScratchDirectory() + "selvy_keys.bas.result.other";
  DeleteFileA(other.c_str());
  host_test::KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("selvy_keys.bas",
      "REM WINDOW\r\nDEF SELVY\r\nEVENT 2002, ESC\r\nEVENT 2001, OTHER\r\nEVENT 2003, OTHER\r\n"
      "V = SELVY!SELVY_Load(HWND, 0)\r\nE1 = SELVY!SELVY_Event(V, \"ESCAPE\", 40005)\r\n"
      "E2 = SELVY!SELVY_Event(V, \"TAB\", 40006)\r\nE3 = SELVY!SELVY_Event(V, \"HELP\", 40007)\r\n"
      "S = SELVY!SELVY_Show(V)\r\nEND 1\r\n"
      "ESC:\r\nWRITE \"esc\", PARAM, E1, E2, E3\r\nWRITE TO FILE \"%OUT%\"\r\nEND\r\n"
      "OTHER:\r\nWRITE \"other\"\r\nWRITE TO FILE \"%OUT%.other\"\r\nEND\r\n"));
  ASSERT_TRUE(korvex.Script());
  HWND view = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] {
    std::vector<HWND> views = gui::Children(korvex.Script(), "SELVYCLASS");
    return !views.empty() && IsWindowVisible(view = views[0]);
  }, 15000));
  for (WPARAM key : {VK_TAB, VK_F1, VK_ESCAPE}) PostMessageA(view, WM_KEYDOWN, key, 1);
  EXPECT_EQ("esc\t0\t2002\t2001\t2003\r\n", korvex.Result());
  // Handled in order: Tab and F1 came first and left nothing.
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(other.c_str()));
}

}  // namespace
