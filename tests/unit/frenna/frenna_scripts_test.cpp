// Scripts in script windows of this process (a frame of the host's own
// classes) that bind Frenna and Praxel: the tree control in an embedded
// script dialog over a record set, its captions asked from a handler of the
// script; and popups built under the script's menu on the frame.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "tree_test_support.h"
#include "window_interpreter.h"
#include "window_test_support.h"

using window_test::WindowScripts;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Samples() { return Quoted(KORVEX_FRENNA_SAMPLES); }

using FrennaScripts = WindowScripts;

// The texts of a menu's items by position.
std::vector<std::string> Bar(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}

TEST_F(FrennaScripts, TreeInADialogTakesItsCaptionsFromTheScript) {
  frenna_test::MakeTreeTables();
  std::string out = window_test::ScratchFile("frenna_tree.txt");
  DeleteFileA(out.c_str());
  HWND w = Open("frenna_tree.bas",
                "DEF PRAXEL\nDEF FRENNA\nN = 0\nEVENT 3100, CAPTION\n"
                "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\n"
                "SET R = PRAXEL.New(B, \"TREE\", 10)\n"
                "R.Open(" + Quoted(frenna_test::kTreeQuery) + ", \"STATIC\")\n"
                "R.RecGet(2)\n"
                "DIALOG " + Samples() + ", \"TREEDLG\", 3000\n"
                "PUT 102, R, STR(HWND) + \",3100,0\"\n"
                "WRITE GET(102, \"L\"), R.FldGet(\"NAME\"), N\n"
                "WRITE TO FILE " + Quoted(out) + "\n"
                "GOTO READY\n"
                "CAPTION:\nX = MCOPY(PARAM, R.FldGet(\"NAME\"))\nN = N + 1\nEND 0\n"
                "READY:\n");
  ASSERT_TRUE(w);
  EXPECT_EQ("2\tАрхангельск\t8\r\n", window_test::ReadWhenThere(out));

  HWND dialog = reinterpret_cast<HWND>(static_cast<intptr_t>(Long(w, "HDLG")));
  HWND control = GetDlgItem(dialog, 102);
  ASSERT_EQ("TREERS", gui::ClassOf(control));
  HWND tree = GetWindow(control, GW_CHILD);
  EXPECT_EQ(frenna_test::kRegions, frenna_test::Outline(tree));
  EXPECT_EQ("Архангельск", frenna_test::Selected(tree));
  EXPECT_TRUE(IsWindowVisible(control));

  // A click on "Юг" selects record 3, which the script reads.
  RECT south = {};
  ASSERT_TRUE(TreeView_GetItemRect(tree, TreeView_GetNextSibling(tree, TreeView_GetRoot(tree)),
                                   &south, TRUE));
  // Posted: the tree view follows the button down in a loop of its own.
  LPARAM at = MAKELPARAM((south.left + south.right) / 2, (south.top + south.bottom) / 2);
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tree, WM_LBUTTONUP, 0, at);
  host_test::PumpUntil([&] { return frenna_test::Selected(tree) == "Юг"; }, 3000);
  EXPECT_EQ("Юг", frenna_test::Selected(tree));
  EXPECT_EQ(0u, Run(w, "G = GET(102, \"L\")"));
  EXPECT_EQ(3, Long(w, "G"));

  // On the screen: the frame shown for the picture, then hidden again.
  ShowWindow(FrameWindow, SW_SHOWNORMAL);
  MoveWindow(FrameWindow, 0, 0, 640, 480, TRUE);
  ShowWindow(w, SW_MAXIMIZE);
  TreeView_Expand(tree, TreeView_GetNextSibling(tree, TreeView_GetRoot(tree)), TVE_EXPAND);
  RedrawWindow(FrameWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(300);
  window_test::Screenshot("frenna_tree");
  ShowWindow(w, SW_RESTORE);
  ShowWindow(FrameWindow, SW_HIDE);
}

TEST_F(FrennaScripts, PopupsGoIntoTheScriptsMenuAndTheirCommandsToTheScript) {
  std::string out = window_test::ScratchFile("frenna_menu.txt");
  DeleteFileA(out.c_str());
  HWND w = Open("frenna_menu.bas",
                "DEF FRENNA\nQ = -1\nEVENT 40005, CSV\n"
                "MENU " + Samples() + ", \"MAIN\"\n"
                "P = FRENNA!FRENNA_Menu(HMENU)\n"
                "A1 = FRENNA!FRENNA_Add(P, 1, 0, 1, \"Файл\")\n"
                "A2 = FRENNA!FRENNA_Add(P, 2, 1, 0, \"Экспорт\")\n"
                "A3 = FRENNA!FRENNA_Add(P, 0, 2, 5, \"CSV\")\n"
                "WRITE A1, A2, A3\nWRITE TO FILE " + Quoted(out) + "\n"
                "FRENNA!FRENNA_Close(P)\n"
                // A builder bound as an object: ERASE calls nothing of it.
                "SET M = FRENNA.Menu(0)\nB1 = M.Add(1, 0, 1, \"x\")\nB2 = M.Add(2, 1, 0, \"y\")\n"
                "ERASE M\n"
                "GOTO READY\n"
                "CSV:\nQ = PARAM\nEND 0\n"
                "READY:\n");
  ASSERT_TRUE(w);
  EXPECT_EQ("TRUE\tTRUE\tTRUE\r\n", window_test::ReadWhenThere(out));
  EXPECT_EQ("FALSE", Text(w, "B1"));
  EXPECT_EQ("TRUE", Text(w, "B2"));

  HMENU bar = GetMenu(FrameWindow);
  EXPECT_EQ(InterpreterOf(w)->ScriptMenu, bar);
  EXPECT_EQ((std::vector<std::string>{"Окно", "Файл", "Справка"}), Bar(bar));
  HMENU exportMenu = GetSubMenu(GetSubMenu(bar, 1), 0);
  EXPECT_EQ((std::vector<std::string>{"CSV"}), Bar(exportMenu));
  EXPECT_EQ(40005u, GetMenuItemID(exportMenu, 0));

  SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w), 0);
  EXPECT_EQ(-1, Long(w, "Q"));
  SendMessageA(FrameWindow, WM_COMMAND, 40005, 0);
  EXPECT_EQ(0, Long(w, "Q"));
}

}  // namespace
