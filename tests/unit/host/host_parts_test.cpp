// The host's text rules: script paths from the command line, the first
// line's options, INI rectangles, and the variables a script starts with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_globals.h"
#include "script_path.h"
#include "script_setup.h"
#include "shared_variables.h"
#include "window_interpreter.h"
#include "window_placement.h"

namespace {

TEST(ScriptPath, CommandLinesBecomeScriptPaths) {
  EXPECT_EQ(CleanScriptPath("\"C:\\dir\\x.bas\""), "C:\\dir\\x.bas");
  EXPECT_EQ(CleanScriptPath("C:\\my dir\\x.bas"), "C:\\mydir\\x.bas");
  EXPECT_EQ(CleanScriptPath("\" C:\\my dir\\x.bas \""), "C:\\mydir\\x.bas");
  EXPECT_EQ(CleanScriptPath("x.txt"), "x.bas");
  EXPECT_EQ(CleanScriptPath("C:\\v1.2\\prog"), "C:\\v1.2\\prog.bas");
  // Without a closing quote the last character stays.
  EXPECT_EQ(CleanScriptPath("\"C:\\dir\\abc"), "C:\\dir\\abc.bas");
  EXPECT_EQ(CleanScriptPath(""), ".bas");
}

TEST(ScriptPath, OnlyTheFirst128CharactersLoseBlanks) {
  // Blanks before 128 go, the rest of a long path is kept whole.
  std::string path = "C:\\" + std::string(120, 'a') + " b" + std::string(20, 'c') + " d\\x.bas";
  std::string expected = "C:\\" + std::string(120, 'a') + "b" + std::string(20, 'c') + " d\\x.bas";
  EXPECT_EQ(CleanScriptPath(path.c_str()), expected);
}

TEST(ScriptOptions, FirstLineRemWords) {
  EXPECT_EQ(ReadScriptOptions("rem window\nA=1", 0), kRunWindow);
  EXPECT_EQ(ReadScriptOptions("REM HIDE,WINDOW\n", 0), kRunHide | kRunWindow);
  EXPECT_EQ(ReadScriptOptions("REM WINDOWS", 0), kRunWindow);
  EXPECT_EQ(ReadScriptOptions("REM HID,XWINDOW", 0), 0);
  EXPECT_EQ(ReadScriptOptions("REM other,hide", 0), kRunHide);
  EXPECT_EQ(ReadScriptOptions("REM x;WINDOW", 0), 0);        // ';' ends the line
  EXPECT_EQ(ReadScriptOptions("A=1\nREM WINDOW", 0), 0);     // first line only
  EXPECT_EQ(ReadScriptOptions("REMWINDOW", 0), 0);
  EXPECT_EQ(ReadScriptOptions("REM ", kRunStop), kRunStop);  // other bits stay
}

std::vector<int> Fields(const Placement& p) { return {p.left, p.top, p.width, p.height}; }

TEST(Placement, FourNumbersWithAnySeparator) {
  EXPECT_EQ(Fields(ParsePlacement("10,20,300,400")), (std::vector<int>{10, 20, 300, 400}));
  EXPECT_EQ(Fields(ParsePlacement("-5;7x8 9")), (std::vector<int>{-5, 7, 8, 9}));
  // A short text stops at its end: the rest is 0.
  EXPECT_EQ(Fields(ParsePlacement("10,20")), (std::vector<int>{10, 20, 0, 0}));
}

TEST(Placement, MissingKeyGivesTheScreenLess20) {
  WritePrivateProfileStringA("NoSuchSect", "WindowSize", nullptr, kIniFileName);
  EXPECT_EQ(Fields(ReadWindowPlacement("NoSuchSect")),
            (std::vector<int>{10, 10, GetSystemMetrics(SM_CXSCREEN) - 20,
                              GetSystemMetrics(SM_CYSCREEN) - 20}));
}

std::string Text(const VARIABLE* v) {
  return v && v->type == VAL_STRING && v->text ? v->text : std::string("<none>");
}

TEST(PredefinedVariables, FromTheWindowTitleAndTheProcess) {
  HWND window = CreateWindowExA(0, "STATIC", "C:\\Work dir\\Mine.v2.bas", 0, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  HWND parent = reinterpret_cast<HWND>(0x1234);
  FrameWindow = reinterpret_cast<HWND>(0x5678);
  WindowInterpreter interpreter;
  interpreter.StartParent = parent;
  SetPredefinedVariables(window, interpreter);

  VariableTable& v = interpreter.Variables();
  EXPECT_EQ(Text(v.Find("PRGDIR")), "C:\\WORK DIR\\");
  EXPECT_EQ(Text(v.Find("PRGNAME")), "MINE.V2");
  ASSERT_TRUE(v.Find("HWND"));
  EXPECT_EQ(v.Find("HWND")->lng, static_cast<int32_t>(reinterpret_cast<intptr_t>(window)));
  ASSERT_TRUE(v.Find("HPARENT"));
  EXPECT_EQ(v.Find("HPARENT")->lng, 0x1234);
  EXPECT_EQ(interpreter.StartParent, nullptr);
  ASSERT_TRUE(v.Find("RESOURCE"));
  EXPECT_EQ(v.Find("RESOURCE")->type, VAL_LONG);
  EXPECT_EQ(v.Find("RESOURCE")->lng, 32);

  char name[32] = "";
  GlobalGetAtomNameA(interpreter.TopicAtom, name, sizeof name);
  EXPECT_STREQ(name, "MINE.V2");

  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string directory(program);
  directory.erase(directory.find_last_of('\\') + 1);
  char temporary[MAX_PATH];
  GetTempPathA(sizeof temporary, temporary);
  SharedVariablesGuard guard;
  VariableTable& shared = SharedVariables();
  ASSERT_TRUE(shared.Find("$NULL"));
  EXPECT_EQ(shared.Find("$NULL")->type, VAL_NULL);
  EXPECT_EQ(Text(shared.Find("$BASDIR")), directory);
  EXPECT_EQ(Text(shared.Find("$TMPDIR")), temporary);
  ASSERT_TRUE(shared.Find("$HWND"));
  EXPECT_EQ(shared.Find("$HWND")->lng, 0x5678);
  EXPECT_NE(Text(shared.Find("$USER")), "<none>");
  FrameWindow = nullptr;
  DestroyWindow(window);
}

}  // namespace
