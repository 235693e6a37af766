// korvex.exe running WINDOW scripts that own record trees on KTEST: the
// captions a handler answers with MCOPY, searches, edits and deletes as a
// script sees them, and a drag made with the real mouse (xdotool) through
// the tree's 1017, 1015 and 1016 events.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "caddel_test_support.h"
#include "gui_driver.h"
#include "korvex_session.h"
#include "window_test_support.h"

using host_test::KorvexSession;

namespace {

// The script's start: the record set over TREE1 and a tree in its window,
// whose 2001 handler counts requests and answers NAME & SUFFIX.
const char kOpening[] =
    "REM WINDOW\r\nDEF PRAXEL\r\nDEF CADDEL\r\nN = 0\r\nSUFFIX = \"\"\r\nEVENT 2001, CAPTION\r\n"
    "SET B = PRAXEL.BaseOpen(0, \"DSN=KTEST;\", 2)\r\nSET R = PRAXEL.New(B, \"TREE\", 10)\r\n"
    "R.Open(\"SELECT ID, OWNER, NAME FROM TREE1 ORDER BY ID\", \"STATIC\")\r\n"
    "T = CADDEL!CADDEL_Load(HWND)\r\n"
    "S = CADDEL!CADDEL_Show(T, R, \"EVENT=2001;ID=ID;OWN=OWNER;SORT;\")\r\n";
const char kCaptionHandler[] =
    "CAPTION:\r\nX = MCOPY(PARAM, R.FldGet(\"NAME\") + SUFFIX)\r\nN = N + 1\r\nEND 0\r\n";

// "V = call" and "WRITE V, CADDEL_Selected".
std::string CallAndSelected(const std::string& call) {
  return "V = CADDEL!" + call + "\r\nL = CADDEL!CADDEL_Selected(T)\r\nWRITE V, L\r\n";
}

TEST(TreeKorvex, AScriptSearchesEditsAndDeletesItsTree) {
  caddel_test::MakeTree1("KTEST");
  std::string script = std::string(kOpening) +
                       "A = CADDEL!CADDEL_FindAll(T, \"*\")\r\nWRITE S, N, A\r\n";
  for (int i = 0; i <= 6; ++i) script += CallAndSelected("CADDEL_FindNext(T, " + std::to_string(i) + ")");
  for (const char* pattern : {"п*б", "ящ", "zz"})
    script += CallAndSelected(std::string("CADDEL_Find(T, \"") + pattern + "\")");
  script += "I1 = CADDEL!CADDEL_Index(T, 20, 0, 0, 0)\r\nI2 = CADDEL!CADDEL_Index(T, 99, 0, 0, 0)\r\n"
            "WRITE I1, I2\r\n"
            "D1 = CADDEL!CADDEL_Delete(T, 1)\r\nA = CADDEL!CADDEL_FindAll(T, \"*\")\r\n"
            "D4 = CADDEL!CADDEL_Delete(T, 4)\r\nE4 = CADDEL!CADDEL_Edit(T, 4)\r\nWRITE D1, A, D4, E4\r\n"
            "SUFFIX = \" 2\"\r\nE3 = CADDEL!CADDEL_Edit(T, 3)\r\nWRITE E3\r\n" +
            CallAndSelected("CADDEL_Find(T, \"архив 2\")") +
            "P1 = CADDEL!CADDEL_Append(T, 1)\r\nP2 = CADDEL!CADDEL_Append(T, 2)\r\nWRITE P1, P2\r\n" +
            CallAndSelected("CADDEL_Find(T, \"пол\")") +
            "A = CADDEL!CADDEL_FindAll(T, \"*\")\r\nC1 = CADDEL!CADDEL_Close(T)\r\n"
            "C2 = CADDEL!CADDEL_Close(T)\r\nL = CADDEL!CADDEL_Selected(T)\r\nWRITE A, C1, C2, L, N\r\n"
            "WRITE TO FILE \"%OUT%\"\r\nEND 1\r\n" + kCaptionHandler;
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("caddel_tree.bas", script));
  EXPECT_EQ("TRUE\t7\t7\r\n"
            "1\t3\r\n2\t6\r\n3\t1\r\n4\t2\r\n5\t4\r\n6\t7\r\n0\t5\r\n"
            "TRUE\t7\r\nTRUE\t4\r\nFALSE\t4\r\n"
            "2\t0\r\n"
            "TRUE\t3\tFALSE\tFALSE\r\n"
            "TRUE\r\nTRUE\t3\r\n"
            "TRUE\tTRUE\r\nTRUE\t2\r\n"
            "5\tTRUE\tFALSE\t0\t10\r\n",
            korvex.Result(60000));
}

// Without REM WINDOW the body runs on a thread of its own, while the tree,
// its caption handler and the window's end run on the GUI thread.
TEST(TreeKorvex, AScriptWithoutWindowOptionFillsSearchesAndClosesItsTree) {
  caddel_test::MakeTree1("KTEST");
  const std::string opening = kOpening + std::strlen("REM WINDOW\r\n");
  std::string script = opening + "H = CADDEL!CADDEL_hWnd(T)\r\nA = CADDEL!CADDEL_FindAll(T, \"*\")\r\n" +
                       CallAndSelected("CADDEL_Find(T, \"ящ\")") +
                       "D = CADDEL!CADDEL_Delete(T, 4)\r\nA2 = CADDEL!CADDEL_FindAll(T, \"*\")\r\n"
                       "C = CADDEL!CADDEL_Close(T)\r\nL = CADDEL!CADDEL_Selected(T)\r\n"
                       "WRITE T <> 0, H <> 0, S, N, A, D, A2, C, L\r\nWRITE TO FILE \"%OUT%\"\r\nEND\r\n" +
                       kCaptionHandler;
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("caddel_thread.bas", script));
  EXPECT_EQ("TRUE\t4\r\nTRUE\tTRUE\tTRUE\t7\t7\tTRUE\t6\tTRUE\t0\r\n", korvex.Result(60000));
}

// The frame and the script window restored, so that the tree is on the
// screen where the mouse can reach it.
void RestoreFrame(KorvexSession& korvex) {
  gui::Send(korvex.Frame(), WM_SYSCOMMAND, SC_RESTORE, 0);
  gui::WaitFor([&] { return !IsIconic(korvex.Frame()); }, 5000);
  HWND client = GetParent(korvex.Script());
  gui::Send(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(korvex.Script()), 0);
  SetWindowPos(korvex.Script(), nullptr, 0, 0, 320, 260, SWP_NOZORDER);
  // Other tests' windows come and go on the same display meanwhile: keep
  // them from lying over the tree while the mouse drags.
  SetWindowPos(korvex.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TEST(TreeKorvex, ARealDragReportsTheDraggedAndTheDropRecords) {
  caddel_test::MakeTree1("KTEST");
  std::string script = std::string(kOpening) +
                       "EVENT 1017, DSTART\r\nEVENT 1015, DMOVE\r\nEVENT 1016, DEND\r\nD = 0\r\nEND 1\r\n"
                       "DSTART:\r\nD = CADDEL!CADDEL_Drag(T, PARAM)\r\nEND 1\r\n"
                       "DMOVE:\r\nM = CADDEL!CADDEL_Drag(T, PARAM)\r\nEND 0\r\n"
                       "DEND:\r\nE = CADDEL!CADDEL_Drag(T, 0)\r\nWRITE D, E\r\nWRITE TO FILE \"%OUT%\"\r\nEND 0\r\n" +
                       kCaptionHandler;
  // The window's size as korvex keeps it: made at that size, the tree
  // fills it (a fresh prefix would make it as small as the frame that
  // starts minimized, and the rows to drag would lie outside it).
  WritePrivateProfileStringA("CADDEL_DRAG", "WindowSize", "0,0,320,260", "KORVEX.INI");
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("caddel_drag.bas", script));
  ASSERT_TRUE(korvex.Script());
  HWND tree = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] {
    tree = FindWindowExA(korvex.Script(), nullptr, WC_TREEVIEWA, nullptr);
    return tree && TreeView_GetCount(tree) == 7;
  }, 30000));
  RestoreFrame(korvex);
  // The tree is resized with nothing: rows are counted from its top.
  int row = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(row, 0);
  POINT from = {30, row / 2}, to = {30, 3 * row + row / 2};
  ClientToScreen(tree, &from);
  ClientToScreen(tree, &to);
  auto at = [](POINT p, int dy) { return std::to_string(p.x) + " " + std::to_string(p.y + dy); };
  window_test::RunUnixCommand(
      "/usr/bin/xdotool windowfocus --sync " + std::to_string(window_test::XWindowOf(korvex.Frame())) +
      " mousemove --sync " + at(from, 0) + " sleep 0.5 mousedown 1 sleep 0.5"
      " mousemove --sync " + at(from, 6) + " sleep 0.3 mousemove --sync " + at(from, 12) +
      " sleep 0.3 mousemove --sync " + at(to, -4) + " sleep 0.3 mousemove --sync " + at(to, 0) +
      " sleep 0.5 mouseup 1");
  EXPECT_EQ("3\t5\r\n", korvex.Result(30000));
}

}  // namespace
