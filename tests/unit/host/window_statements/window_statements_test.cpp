// The window statements and built-ins in this process: scripts started in a
// frame of the host's own classes, texts run in their windows with
// RunTextInWindow, and the menus, accelerators and labels they leave.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "builders.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_modules.h"
#include "script_run.h"
#include "window_interpreter.h"
#include "window_test_support.h"

using host_test::WriteScript;
using window_test::WindowScripts;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Number(const void* handle) {
  return std::to_string(static_cast<long>(reinterpret_cast<intptr_t>(handle)));
}

using WindowStatements = WindowScripts;

TEST_F(WindowStatements, MenuGoesOnTheFrameWithItsWindowListAndTheFrameMenuComesBack) {
  std::string main = "MENU " + Quoted(window_test::WindowSamples()) + ", \"MAIN\"\n";
  HWND a = Open("menua.bas", main +
                "D1 = MENU(HMENU, \"DISABLE\", 40100)\nD2 = MENU(HMENU, \"disable\", 40100)\n"
                "E = MENU(HMENU, \"ENABLE\", 40100)\nM = MENU(HMENU, \"DISABLE\", 999)\n"
                "R = MENU(HMENU, \"REMOVE\", 999)\n");
  HMENU menu = reinterpret_cast<HMENU>(static_cast<intptr_t>(Long(a, "HMENU")));
  ASSERT_TRUE(IsMenu(menu));
  EXPECT_EQ(GetMenu(FrameWindow), menu);
  EXPECT_EQ(0, Long(a, "D1"));
  EXPECT_EQ(1, Long(a, "D2"));
  EXPECT_EQ(1, Long(a, "E"));
  EXPECT_EQ(-1, Long(a, "M"));
  EXPECT_EQ(0, Long(a, "R"));
  // The popup marked CHECKED takes the window list and keeps its mark.
  HMENU windowList = GetSubMenu(menu, 1);
  EXPECT_EQ(InterpreterOf(a)->WindowListMenu, windowList);
  EXPECT_NE(GetMenuState(windowList, GetDlgCtrlID(a), MF_BYCOMMAND), UINT(-1));
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);

  // A second menu replaces the first, which goes once the frame let go of it.
  EXPECT_EQ(0u, Run(a, "MENU " + Quoted(window_test::WindowSamples()) + ", \"PLAIN\""));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(GetMenu(FrameWindow), InterpreterOf(a)->ScriptMenu);
  EXPECT_EQ(nullptr, InterpreterOf(a)->WindowListMenu);

  // A ends while B lives: the frame shows its own menu again, the window
  // list in its "Справка" popup.
  EXPECT_EQ(0u, Run(a, main));
  HWND b = Start("menub.bas", "DELAY 1500\n");
  ASSERT_TRUE(b);
  RequestClose(a);
  EXPECT_EQ(GetMenu(FrameWindow), FrameMenu);
  EXPECT_NE(GetMenuState(GetSubMenu(FrameMenu, 4), GetDlgCtrlID(b), MF_BYCOMMAND), UINT(-1));
}

TEST_F(WindowStatements, AcceleratorsReplaceOneAnotherAndLeaveTheLoopWithTheirWindow) {
  std::string keys = "KEY " + Quoted(window_test::WindowSamples()) + ", \"KEYS\"\n";
  HWND a = Open("keys.bas", keys);
  HACCEL first = InterpreterOf(a)->ScriptAccelerators;
  ASSERT_TRUE(first);
  EXPECT_EQ(CurrentAccelerators, first);
  EXPECT_EQ(1, CopyAcceleratorTableA(first, nullptr, 0));
  EXPECT_EQ(0u, Run(a, keys));
  HACCEL second = InterpreterOf(a)->ScriptAccelerators;
  EXPECT_EQ(CurrentAccelerators, second);
  EXPECT_EQ(0, CopyAcceleratorTableA(first, nullptr, 0)) << "the old table is destroyed";
  RequestClose(a);
  EXPECT_EQ(nullptr, CurrentAccelerators) << "no destroyed table stays in the loop";
}

TEST_F(WindowStatements, SixteenBitResourcesWhenResourceIsSixteen) {
  Bytes menu = {0, 0, 0, 0}, keys, file;
  MenuPopup(menu, MF_END, "&Окно");
  MenuItem(menu, MF_END, 40100, "&Мозаика");
  keys = {FVIRTKEY | FCONTROL, 'A', 0, 0xA4, 0x9C};  // Ctrl+A 40100
  AddRes16(file, 4, "MAIN", menu);
  AddRes16(file, 9, "KEYS", keys);
  std::string path = WriteScript("layout16.res", std::string(file.begin(), file.end()));
  HWND w = Open("res16.bas");
  EXPECT_EQ(142u, Run(w, "MENU " + Quoted(path) + ", \"MAIN\""));
  EXPECT_EQ(0u, Run(w, "RESOURCE = 16\nMENU " + Quoted(path) + ", \"main\"\nKEY " +
                           Quoted(path) + ", \"keys\""));
  EXPECT_EQ(GetMenu(FrameWindow), InterpreterOf(w)->ScriptMenu);
  ACCEL accel = {};
  ASSERT_EQ(1, CopyAcceleratorTableA(CurrentAccelerators, &accel, 1));
  EXPECT_EQ(40100, accel.cmd);
}

TEST_F(WindowStatements, BadInputGivesItsNumberAndNothingElse) {
  HWND w = Open("errors.bas");
  std::string res = Quoted(window_test::WindowSamples());
  std::string missing = Quoted(host_test::ScratchDirectory() + "absent.res");
  std::string text = Quoted(WriteScript("notbmp.bmp", "plain text, no bitmap"));
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"MENU 5, \"MAIN\"", 113}, {"MENU " + res, 112}, {"MENU " + res + ", \"NOPE\"", 142},
      {"MENU " + res + ", \"main\"", 142}, {"MENU " + missing + ", \"MAIN\"", 142},
      {"KEY " + res + ", \"NOPE\"", 142}, {"PLAY 5, ANS", 113}, {"PLAY \"close all\"", 112},
      {"DRAW 1, 2, 3, 4", 113}, {"DRAW 1, 2, 3", 112}, {"LOAD 5", 146}, {"LOAD(5)", 146},
      {"LOAD " + missing, 2}, {"UNLOAD \"NEVER.BAS\"", 147}, {"HELP 5", 146},
      {"HELP \"x.hlp\", 2.5", 146}, {"X = SIGNAL()", 122}, {"X = WAIT(\"a\")", 146},
      {"X = ATTACH(1, 2)", 122}, {"X = MENU(0, 1.5, 0)", 146}, {"X = MENU(0, 0, \"a\")", 146},
      {"X = ERROR(\"x\")", 146}, {"X = OBJECT(1, 2)", 146}, {"X = FREE(\"x\")", 146},
      {"X = EVENT(\"NOLABEL\")", 124}, {"X = EVENT(5)", 146}, {"X = BITMAP(" + res + ", 1.5)", 146},
      {"X = BITMAP(" + text + ", 0)", 11}, {"X = RUN(\"x\")", 122}, {"X = PROFILE(\"a\")", 122},
      {"X = VARGET(0, 5)", 146}, {"X = CALC(5)", 146}, {"X = INPUT(1, 2)", 122},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Run(w, c.first)) << c.first;
  EXPECT_EQ(nullptr, InterpreterOf(w)->ScriptMenu);
  EXPECT_EQ(nullptr, InterpreterOf(w)->ScriptAccelerators);
}

TEST_F(WindowStatements, ModulesAreUnloadedOnlyByTheWindowsThatLoadedThem) {
  std::string lib = WriteScript("shared.bas", "LIBA:\nN = N + 1\nRETURN\nLIBB:\nRETURN\n");
  std::string load = "LOAD " + Quoted(lib) + "\n";
  HWND a = Open("loada.bas", load);
  HWND b = Open("loadb.bas", load);
  ASSERT_TRUE(FindScriptModule(lib.c_str()));
  EXPECT_EQ(2, FindScriptModule(lib.c_str())->count);
  EXPECT_EQ(0u, Run(b, "UNLOAD " + Quoted(lib)));
  EXPECT_EQ(147u, Run(b, "UNLOAD " + Quoted(lib))) << "B loaded it once";
  EXPECT_EQ(1, FindScriptModule(lib.c_str())->count);
  EXPECT_EQ(nullptr, InterpreterOf(b)->Labels().FindLabel("LIBA"));
  EXPECT_EQ(0u, Run(a, "N = 0\nGOSUB LIBA")) << "A's text is still there";
  EXPECT_EQ(1, Long(a, "N"));

  // A window with a label of the module's loads nothing of it.
  HWND c = Start("clash.bas", "REM WINDOW\nREADY = 1\nEND 1\nLIBB:\nRETURN\n");
  ASSERT_TRUE(WaitForVariable(c, "READY"));
  const char* own = InterpreterOf(c)->Labels().FindLabel("LIBB");
  EXPECT_EQ(127u, Run(c, load));
  EXPECT_EQ(own, InterpreterOf(c)->Labels().FindLabel("LIBB"));
  EXPECT_EQ(nullptr, InterpreterOf(c)->Labels().FindLabel("LIBA"));
  EXPECT_EQ(1, FindScriptModule(lib.c_str())->count);
  EXPECT_EQ(147u, Run(c, "UNLOAD " + Quoted(lib)));

  // The statement word glued to its argument, as the loader leaves it; the
  // ':' and '.' of a quoted path stay the argument's.
  EXPECT_EQ(0u, Run(a, "UNLOAD(" + Quoted(lib) + ")"));
  EXPECT_EQ(nullptr, FindScriptModule(lib.c_str()));
  EXPECT_EQ(0u, Run(a, "F = " + Quoted(lib) + "\nLOAD(F)\nUNLOAD(F)"));
  EXPECT_EQ(nullptr, FindScriptModule(lib.c_str()));
  EXPECT_EQ(nullptr, InterpreterOf(a)->Labels().FindLabel("LIBA"));
}

TEST_F(WindowStatements, EventCallsALabelAheadOfTheScriptsOwnBindingAndCountsWindows) {
  HWND w = Open("callme.bas", "N = 0\nCOMMAND 1014, \"N = N + 100\"\nGOTO READY\n"
                              "LBL:\nN = N + 1\nEND 5\nREADY:\n");
  EXPECT_EQ(0u, Run(w, "R = EVENT(\"LBL\")"));
  EXPECT_EQ(5, Long(w, "R"));
  EXPECT_EQ(1, Long(w, "N"));
  SendMessageA(w, WM_COMMAND, 1014, 0);
  EXPECT_EQ(101, Long(w, "N")) << "the script's own binding stays";

  HWND other = Open("other.bas", "COMMAND 40100, \"K = K + 1\"\n");
  EXPECT_EQ(0u, Run(w, "COMMAND 40100, \"K = K + 1\"\nC = EVENT(0, 40100)\nP = POST(0, 40100)\n"
                       "S = EVENT(" + Number(other) + ", 40100)"));
  // Every script window of the process: these two and the suite's own.
  EXPECT_EQ(3, Long(w, "C"));
  EXPECT_EQ(3, Long(w, "P"));
  EXPECT_EQ(1, Long(w, "S"));
  EXPECT_EQ(1, Long(w, "K"));
  Pump(200);
  EXPECT_EQ(2, Long(w, "K"));
  EXPECT_EQ(3, Long(other, "K"));
}

LRESULT CALLBACK BogusAnswers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) return 0x1234;  // no variable lives there
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowStatements, VariablesAreAskedOnlyOfThisProcesssScriptWindows) {
  WNDCLASSA bogus = {};
  bogus.lpfnWndProc = BogusAnswers;
  bogus.hInstance = hInst;
  bogus.lpszClassName = "BOGUSANSWERS";
  RegisterClassA(&bogus);
  HWND fake = CreateWindowExA(0, "BOGUSANSWERS", "", 0, 0, 0, 1, 1, nullptr, nullptr, hInst, nullptr);
  HWND w = Open("vars.bas", "X = 5\n");
  EXPECT_EQ(0u, Run(w, "A = TYPE(VARGET(" + Number(fake) + ", \"X\"))\nB = VARGET(HWND, \"X\")\n"
                       "C = TYPE(VARGET(" + Number(GetDesktopWindow()) + ", \"X\"))\n"
                       "D = VARWND(\"5\", \"X\")\nE = VARWND(5, \"X\") = HWND\nF = VARWND(5, \"\")"));
  EXPECT_EQ("NULL", Text(w, "A"));
  EXPECT_EQ(5, Long(w, "B"));
  EXPECT_EQ("NULL", Text(w, "C"));
  EXPECT_EQ(0, Long(w, "D")) << "another type is not equal, and no error";
  EXPECT_EQ(1, Long(w, "E"));
  EXPECT_EQ(0, Long(w, "F"));
  DestroyWindow(fake);
}

TEST_F(WindowStatements, AttachPlacesTheWindowBelowTheTopMargin) {
  HWND w = Open("attach.bas");
  MoveWindow(w, 0, 0, 300, 200, TRUE);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, w, nullptr,
                               hInst, nullptr);
  EXPECT_EQ(0u, Run(w, "P = ATTACH(" + Number(child) + ", 10, 5)\nQ = ATTACH(" + Number(child) +
                           ", 3, 0)"));
  EXPECT_EQ(0, Long(w, "P"));
  EXPECT_EQ(static_cast<int32_t>(reinterpret_cast<intptr_t>(child)), Long(w, "Q"));
  RECT client, placed = gui::ClientRectInParent(child);
  GetClientRect(w, &client);
  EXPECT_EQ(13, placed.top);
  EXPECT_EQ(0, placed.left);
  EXPECT_EQ(client.right, placed.right);
  EXPECT_EQ(client.bottom, placed.bottom);
}

TEST_F(WindowStatements, BitmapsAndFreeLeaveNoBlockBehind) {
  BmpSpec spec;
  spec.width = 3;
  Bytes bmp = MakeBmp(spec);
  std::string file = Quoted(WriteScript("three.bmp", std::string(bmp.begin(), bmp.end())));
  std::string res = Quoted(window_test::HostSamples());
  HWND w = Open("bitmaps.bas");
  EXPECT_EQ(0u, Run(w, "B = BITMAP(" + res + ", \"LOGO\")\nL1 = LEN(B)\n"
                       "T = FREE(B)\nL2 = LEN(B)\nTB = TYPE(B)\nFREE B\n"
                       "N = BITMAP(" + res + ", \"NOPE\")\nL3 = LEN(N)\nTN = TYPE(N)\n"
                       "F = BITMAP(" + file + ", 0)\nL4 = LEN(F)\n"
                       "DIM IMAGE A(2)\nA(1) = BITMAP(" + res + ", \"LOGO\")\nU = FREE(A(1))\nL5 = LEN(A(1))"));
  EXPECT_EQ(56, Long(w, "L1"));
  EXPECT_EQ(1, Long(w, "T"));
  EXPECT_EQ(0, Long(w, "L2"));
  EXPECT_EQ("IMAGE", Text(w, "TB"));
  EXPECT_EQ(0, Long(w, "L3"));
  EXPECT_EQ("IMAGE", Text(w, "TN"));
  EXPECT_EQ(40 + 12 * 2, Long(w, "L4"));
  EXPECT_EQ(0, Long(w, "L5"));
}

TEST_F(WindowStatements, CalcEvaluatesConditionsAndItsBoxDecidesOnFailures) {
  HWND w = Open("calc.bas", "X = 3\n");
  std::vector<std::string> seen;
  EXPECT_EQ(0u, Run(w, "A = CALC(\"X*2+1 > 5 AND X < 9\")\nB = CALC(\"(X + 1) * 2\")\n"
                       "C = TYPE(CALC(\"(1\"))\nD = TYPE(CALC(\"1+\"))\nE = TYPE(CALC(\"2 3\"))\n"
                       "F = TYPE(CALC(\"  \"))",
                IDOK, &seen));
  EXPECT_EQ(1, Long(w, "A"));
  EXPECT_EQ(8, Long(w, "B"));
  for (const char* name : {"C", "D", "E", "F"}) EXPECT_EQ("NULL", Text(w, name)) << name;
  EXPECT_EQ(std::vector<std::string>(3, "ОШИБКА: синтаксическая ошибка"), seen);
  EXPECT_EQ(31u, Run(w, "G = CALC(\"1/0\")", IDCANCEL, &seen));
  // The box, then the error dialog of the text that failed with 31.
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ("ОШИБКА: деление на нуль", seen[0]);
  EXPECT_NE(std::string::npos, seen[1].find("общая ошибка")) << seen[1];
  EXPECT_EQ("<missing>", Text(w, "G"));
}

TEST_F(WindowStatements, TextsOfTheSystemAndTheIniFile) {
  std::string nothing = Quoted(WriteScript("nothing.qqq", "x"));
  HWND w = Open("texts.bas");
  EXPECT_EQ(0u, Run(w, "A = EXEFIND(" + nothing + ")\nB = ERROR(45)\nC = ERROR(122)\n"
                       "D = PROFILE(\"KVTEST\", \"Empty\", $NULL)\nE = PROFILE(\"KVTEST\", \"N\", 2.5)\n"
                       "S = SIGNAL(0)\nK1 = CHECK(S)\nK2 = SEND(S)\nK3 = WAIT(S, S)\nK4 = CHECK(S)"));
  EXPECT_EQ("", Text(w, "A")) << "no registered program: nothing";
  EXPECT_EQ("", Text(w, "B"));
  EXPECT_EQ("не верное количество параметров", Text(w, "C"));
  EXPECT_EQ("", Text(w, "D"));
  char kept[16] = "";
  GetPrivateProfileStringA("KVTEST", "Empty", "missing", kept, sizeof kept, kIniFileName);
  EXPECT_STREQ("", kept) << "a NULL leaves the key with an empty text";
  EXPECT_EQ("2.500000", Text(w, "E"));
  EXPECT_EQ(0, Long(w, "K1"));
  EXPECT_EQ(1, Long(w, "K2"));
  EXPECT_EQ(1, Long(w, "K3"));
  EXPECT_EQ(0, Long(w, "K4"));
}

}  // namespace

namespace {

TEST_F(WindowStatements, ObjectBindsAHandleToTheModuleOfAnother) {
  HWND w = Open("object.bas");
  EXPECT_EQ(0u, Run(w, "DEF PROBE\nSET H = PROBE.New(4)\nO = OBJECT(H, 70)\nG = O.Get(5)\n"
                       "T = TYPE(O)\nK = H.Get(0)"));
  EXPECT_EQ(75, Long(w, "G"));
  EXPECT_EQ("OBJECT", Text(w, "T"));
  EXPECT_EQ(4, Long(w, "K")) << "the first object keeps its handle";
}

TEST_F(WindowStatements, QuitAsksEveryScriptWindowToClose) {
  HWND a = Open("quita.bas", "COMMAND 1005, \"Q = 1\"\n");
  HWND b = Open("quitb.bas", "COMMAND 1005, \"Q = 2\"\n");
  EXPECT_EQ(0u, Run(a, "QUIT"));
  EXPECT_EQ(1, Long(a, "Q"));
  EXPECT_EQ(2, Long(b, "Q"));
  EXPECT_TRUE(IsWindow(FrameWindow)) << "scripts that stay keep the frame";
}

}  // namespace
