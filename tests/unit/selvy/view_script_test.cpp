// The page view in a script window of this process (a frame of the host's
// own classes): the script binds SELVY, loads a page file and turns the
// ESCAPE event on; the Esc key reaches its handler with PARAM 0, Tab and
// F1 reach nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "view_support.h"
#include "window_test_support.h"

using window_test::WindowScripts;

namespace {

using PageViewScripts = WindowScripts;

TEST_F(PageViewScripts, EscapeReachesTheScriptsHandler) {
  HANDLE file = selvy_test::OpenBytes("selvy_script_p.bin", selvy_test::SampleP());
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  HWND w = Open("selvy_view.bas",
                "DEF SELVY\nEVENT 2002, ESC\nN = 0\nP = -1\n"
                "V = SELVY!SELVY_Load(HWND, " + std::to_string(selvy_test::Handle(file)) + ")\n"
                "E1 = SELVY!SELVY_Event(V, \"escape\", 40005)\n"
                "E2 = SELVY!SELVY_Event(V, \"TAB\", 40006)\n"
                "E3 = SELVY!SELVY_Event(V, \"Help\", 40007)\n"
                "C = SELVY!SELVY_PageCount(V)\nS = SELVY!SELVY_Show(V)\n"
                "GOTO READY\n"
                "ESC:\nN = N + 1\nP = PARAM\nEND 0\n"
                "READY:\n");
  ASSERT_TRUE(w);
  EXPECT_EQ(2002, Long(w, "E1"));
  EXPECT_EQ(2001, Long(w, "E2"));
  EXPECT_EQ(2003, Long(w, "E3"));
  EXPECT_EQ(2, Long(w, "C"));
  HWND view = reinterpret_cast<HWND>(static_cast<intptr_t>(Long(w, "V")));
  ASSERT_TRUE(IsWindow(view));
  EXPECT_EQ(w, GetParent(view));

  for (WPARAM key : {VK_TAB, VK_F1}) SendMessageA(view, WM_KEYDOWN, key, 1);
  Pump(100);
  EXPECT_EQ(0, Long(w, "N"));
  SendMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump(100);
  EXPECT_EQ(1, Long(w, "N"));
  EXPECT_EQ(0, Long(w, "P"));

  // Turned off, Esc sends nothing either.
  EXPECT_EQ(0u, Run(w, "E1 = SELVY!SELVY_Event(V, \"ESCAPE\", 0)"));
  EXPECT_EQ(2002, Long(w, "E1"));
  SendMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump(100);
  EXPECT_EQ(1, Long(w, "N"));
  EXPECT_EQ(0u, Run(w, "SELVY!SELVY_Unload(V)\nC = SELVY!SELVY_PageCount(V)"));
  EXPECT_FALSE(IsWindow(view));
  EXPECT_EQ(0, Long(w, "C"));
}

}  // namespace
