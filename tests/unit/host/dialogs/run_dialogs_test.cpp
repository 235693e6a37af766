// The error and STOP dialogs over scripts of this process: started with
// StartScript in a frame of the host's own classes, read and answered from
// a thread of the test while this thread pumps.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <future>
#include <string>

#include "dialog_probe.h"
#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "run_dialogs.h"
#include "script_loader.h"
#include "script_modules.h"
#include "script_run.h"
#include "shared_variables.h"
#include "start_script.h"
#include "variable_list.h"
#include "window_interpreter.h"

using host_test::AnswerDialog;
using host_test::DialogView;
using host_test::PumpUntil;
using host_test::WhilePumping;
using host_test::WriteScript;

namespace {

const char kDivision[] = "деление на нуль";

class RunDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    hInst = GetModuleHandleA(nullptr);
    RegisterHostClasses();
  }
  void SetUp() override {
    ScriptWindowCount = 0;
    LastScriptOptions = kRunHide;
    FrameWindow = CreateFrameWindow();
    ASSERT_TRUE(FrameWindow);
  }
  void TearDown() override { host_test::CloseTestFrame(); }
  bool FrameEnded() { return host_test::WaitForFrameEnd(15000); }
  HWND Start(const std::string& path) {
    HWND window = StartScript(nullptr, path.c_str());
    LastScriptOptions |= kRunHide;
    return window;
  }
  static std::vector<std::string> Column(const DialogView& view, size_t column) {
    std::vector<std::string> cells;
    for (const auto& row : view.rows) cells.push_back(row.at(column));
    return cells;
  }
};

// Runs text in an interpreter of its own (no script window) while a thread
// answers the dialog it shows.
DialogView RunAndAnswer(WindowInterpreter& interpreter, const char* text, const char* title) {
  auto answer = std::async(std::launch::async, [&] { return AnswerDialog(title, IDOK); });
  interpreter.Run(text);
  return answer.get();
}

TEST_F(RunDialogs, ErrorDialogListsEveryVariableOfTheWindow) {
  // The lines and the message are read from korvex itself (korvex_dialogs_test).
  std::string path = WriteScript("e.bas", "DIM A(2,3)\r\nX = 1\r\nY = X / 0\r\n");
  ASSERT_TRUE(Start(path));
  DialogView view;
  ASSERT_TRUE(WhilePumping([&] { view = AnswerDialog(path.c_str(), IDOK); }));
  EXPECT_EQ((std::vector<std::string>{"Name", "Type", "Value"}), view.columns);
  EXPECT_EQ((std::vector<std::string>{"PRGDIR", "PRGNAME", "HWND", "HPARENT", "RESOURCE", "X",
                                      "A(0,0)", "A(0,1)", "A(0,2)", "A(1,0)", "A(1,1)", "A(1,2)"}),
            Column(view, 0));
  ASSERT_EQ(12u, view.rows.size());
  EXPECT_EQ((std::vector<std::string>{"PRGNAME", "STRING", "E"}), view.rows[1]);
  EXPECT_EQ((std::vector<std::string>{"HPARENT", "LONG", "0"}), view.rows[3]);
  EXPECT_EQ((std::vector<std::string>{"X", "LONG", "1"}), view.rows[5]);
  EXPECT_EQ((std::vector<std::string>{"A(1,2)", "NULL", "0"}), view.rows[11]);
  for (LPARAM record : view.rowData) EXPECT_NE(0, record);
  EXPECT_TRUE(FrameEnded()) << "the script ends after the dialog";

  // A long text shows whole and widens its column; the caption keeps the
  // title's first 79 characters; the failing line is scrolled to the top.
  SetUp();
  std::string filler;
  for (int i = 0; i < 40; ++i) filler += "N = " + std::to_string(i) + "\r\n";
  std::string longPath = WriteScript(std::string(90, 'n') + ".bas",
                                     "S = STRING(100, \"a\")\r\nM = 1.5\r\n" + filler +
                                         "Y = 1 / 0\r\n" + filler);
  ASSERT_TRUE(Start(longPath));
  int valueWidth = 0, charWidth = 0;
  ASSERT_TRUE(WhilePumping([&] {
    HWND dialog = host_test::WaitForDialog(longPath.substr(0, 79).c_str(), 15000);
    if (!dialog) return;
    view = host_test::ReadDialog(dialog, 1004);
    HWND list = GetDlgItem(dialog, 1004);
    valueWidth = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0));
    charWidth = ListCharWidth(list);
    host_test::Press(dialog, IDOK);
  }));
  ASSERT_GE(view.rows.size(), 7u);
  EXPECT_EQ("S", view.rows[5][0]);
  EXPECT_EQ(std::string(100, 'a'), view.rows[5][2]);
  EXPECT_GT(valueWidth, 40 * charWidth);
  EXPECT_EQ("REAL", view.rows[6][1]);
  EXPECT_EQ("1.500000", view.rows[6][2]);
  EXPECT_EQ(83u, view.lines.size());
  EXPECT_EQ(42, view.selection);
  EXPECT_EQ(42, view.top);
  EXPECT_TRUE(FrameEnded());
}

TEST_F(RunDialogs, HandlersAndCommandTextsKnowTheirWindowWhateverHwndHolds) {
  std::string path = WriteScript("handler.bas",
                                 "REM WINDOW\r\nHWND = 0\r\nEVENT 1014, FAIL\r\n"
                                 "COMMAND 40100, \"Q = 1 / 0\"\r\nEND 1\r\nFAIL:\r\nZ = 1 / 0\r\nEND\r\n");
  HWND window = Start(path);
  ASSERT_TRUE(window);
  ASSERT_TRUE(PumpUntil([&] { return InterpreterOf(window)->Labels().FindBinding(40100); }, 5000));

  auto answer = std::async(std::launch::async, [&] { return AnswerDialog(path.c_str(), IDOK); });
  SendMessageA(window, WM_COMMAND, 1014, 0);
  DialogView label = answer.get();
  EXPECT_EQ(kDivision, label.message);
  ASSERT_EQ(8u, label.lines.size());
  EXPECT_EQ("Z=1/0", label.lines[label.selection]);
  EXPECT_TRUE(IsWindow(window)) << "an error in a handler leaves the window open";

  // Bound texts and DDE commands are in no loaded text: no lines.
  answer = std::async(std::launch::async, [&] { return AnswerDialog(path.c_str(), IDOK); });
  SendMessageA(window, WM_COMMAND, 40100, 0);
  DialogView command = answer.get();
  EXPECT_EQ(kDivision, command.message);
  EXPECT_TRUE(command.lines.empty());
  answer = std::async(std::launch::async, [&] { return AnswerDialog(path.c_str(), IDOK); });
  EXPECT_EQ(114u, RunTextInWindow(window, "R = 2 / 0"));
  EXPECT_TRUE(answer.get().lines.empty());
}

// Interpreters without a script window: the dialog keeps its caption.
TEST(RunDialogTexts, ModuleTextsListTheirOwnLines) {
  std::string path = WriteScript("module.bas", "C = 3\r\nD = C / 0\r\n");
  unsigned short error = 0;
  DWORD line = 0;
  HGLOBAL text = LoadScript(path.c_str(), &error, &line);
  ASSERT_TRUE(text);
  ScriptModule* module = AddScriptModule(path.c_str(), text);
  ASSERT_TRUE(module);
  WindowInterpreter interpreter;
  interpreter.SetStart("A=1\nB=2\n");
  DialogView view = RunAndAnswer(interpreter, module->start, "KORVEX");
  EXPECT_EQ((std::vector<std::string>{"C=3", "D=C/0"}), view.lines);
  EXPECT_EQ(1, view.selection);
  EXPECT_TRUE(ReleaseScriptModule(path.c_str()));
}

TEST(RunDialogTexts, AutomationErrorsShowTheServersTextAndAMissingDialogStillSpeaks) {
  WindowInterpreter interpreter;
  auto show = [&](const char* title) {
    auto answer = std::async(std::launch::async, [&] { return AnswerDialog(title, IDOK); });
    ShowErrorDialog(GetModuleHandleA(nullptr), interpreter, nullptr, nullptr);
    return answer.get();
  };
  interpreter.SetError(151);
  std::string described(100, 'x');
  {
    SharedVariablesGuard guard;
    uint32_t e = 0;
    VARIABLE::SetText(SharedVariables().FindOrCreate("$ERRTXT", e), described.c_str());
  }
  EXPECT_EQ(described.substr(0, 79), show("KORVEX").message);
  {
    SharedVariablesGuard guard;
    SharedVariables().Find("$ERRTXT")->Clear().TYPE(VAL_NULL);
  }
  std::string fallback = show("KORVEX").message;
  EXPECT_FALSE(fallback.empty());
  EXPECT_NE(described.substr(0, 79), fallback);

  // Without its template the dialog cannot be made: the message box says it.
  interpreter.SetError(114);
  auto box = std::async(std::launch::async, [] {
    HWND window = host_test::WaitForDialog("ОШИБКА", 15000);
    std::string text = window ? gui::WaitForMessageBoxText(window) : "<no box>";
    if (window) host_test::Press(window, IDOK);
    return text;
  });
  ShowErrorDialog(GetModuleHandleA("Wennic.dll"), interpreter, nullptr, nullptr);
  EXPECT_EQ(kDivision, box.get());
}

// The row of name in a dialog's view, or -1.
int RowOf(const DialogView& view, const std::string& name) {
  for (size_t i = 0; i < view.rows.size(); ++i)
    if (view.rows[i][0] == name) return static_cast<int>(i);
  return -1;
}

// Double-clicks the row of name in the STOP dialog and reads the inspector
// that opens (titled title), then closes it with button.
DialogView Inspect(HWND stop, const std::string& name, const char* title, int listId, int button) {
  HWND list = GetDlgItem(stop, 1004);
  host_test::DoubleClickRow(list, RowOf(host_test::ReadDialog(stop, 1004), name));
  HWND inspector = host_test::WaitForDialog(title, 10000, stop);
  if (!inspector) return DialogView();
  DialogView view = host_test::ReadDialog(inspector, listId);
  host_test::Press(inspector, button);
  gui::WaitFor([&] { return !IsWindow(inspector); }, 10000);
  return view;
}

TEST_F(RunDialogs, StopOpensInspectorsAndTheEditorChangesTheVariable) {
  std::string result = host_test::ScratchDirectory() + "inspect.result";
  DeleteFileA(result.c_str());
  std::string path = WriteScript("inspect.bas",
                                 "X = 5\r\nSET D = CreateObject(\"Scripting.Dictionary\")\r\n"
                                 "SET P = CreateObject(\"SAPI.SpVoice\")\r\nDEF VIMBRA\r\n"
                                 "SET V = VIMBRA.Dim(10)\r\nDIM B(2,2)\r\nSTOP\r\n"
                                 "WRITE X\r\nWRITE TO FILE \"" + result + "\"\r\n");
  HWND window = Start(path);
  ASSERT_TRUE(window);
  DialogView stopView, editor, dictionary, voice, vimbra, afterEdit;
  bool goneOpensNothing = false;
  int32_t stored = 0;
  ASSERT_TRUE(WhilePumping([&] {
    HWND stop = host_test::WaitForDialog(path.c_str(), 15000);
    if (!stop) return;
    stopView = host_test::ReadDialog(stop, 1004);
    // The editor: "12" read back into the LONG, its row shows it.
    HWND list = GetDlgItem(stop, 1004);
    host_test::DoubleClickRow(list, RowOf(stopView, "X"));
    HWND edit = host_test::WaitForDialog("Variable", 10000, stop);
    if (edit) {
      editor = host_test::ReadDialog(edit, 0);
      editor.message = gui::WindowText(GetDlgItem(edit, 1007));
      SetWindowTextA(GetDlgItem(edit, 1007), "12");
      host_test::Press(edit, IDOK);
      gui::WaitFor([&] { return !IsWindow(edit); }, 10000);
    }
    afterEdit = host_test::ReadDialog(stop, 1004);
    VARIABLE* x = InterpreterOf(window)->Variables().Find("X");
    stored = x && x->type == VAL_LONG ? x->lng : -1;

    dictionary = Inspect(stop, "D", "Object", 1009, IDCANCEL);
    vimbra = Inspect(stop, "V", "VIMBRA", 1003, IDOK);
    voice = Inspect(stop, "P", "Object", 1009, IDOK);
    // An array erased meanwhile (as a handler may do): its rows open nothing.
    uint32_t error = 0;
    InterpreterOf(window)->Variables().Remove("B", error);
    host_test::DoubleClickRow(list, RowOf(stopView, "B(1,1)"));
    goneOpensNothing = !host_test::WaitForDialog(nullptr, 1000, stop);
    host_test::Press(stop, IDCANCEL);  // "Continue"
  }));
  EXPECT_EQ("0", stopView.loopDepth);
  EXPECT_EQ("0", stopView.ifDepth);
  EXPECT_EQ("5", editor.message);
  EXPECT_EQ(12, stored);
  ASSERT_GE(RowOf(afterEdit, "X"), 0);
  EXPECT_EQ("12", afterEdit.rows[RowOf(afterEdit, "X")][2]);

  ASSERT_EQ(22u, dictionary.rows.size());
  EXPECT_EQ("Object", dictionary.caption) << "CreateObject gives no name";
  EXPECT_EQ((std::vector<std::string>{"Name", "Type"}), dictionary.columns);
  EXPECT_EQ((std::vector<std::string>{"QueryInterface", "Method(2)"}), dictionary.rows[0]);
  EXPECT_EQ((std::vector<std::string>{"Item", "PutRef(2)"}), dictionary.rows[7]);
  EXPECT_EQ((std::vector<std::string>{"Item", "Put(2)"}), dictionary.rows[8]);
  EXPECT_EQ((std::vector<std::string>{"Item", "Get(1)"}), dictionary.rows[9]);
  EXPECT_EQ((std::vector<std::string>{"Add", "Method(2)"}), dictionary.rows[10]);
  EXPECT_EQ((std::vector<std::string>{"Count", "Get(0)"}), dictionary.rows[11]);
  EXPECT_EQ(15u, vimbra.lines.size());
  ASSERT_FALSE(vimbra.lines.empty());
  EXPECT_EQ("Dim( LONG<Size> ) LONG<pClass>", vimbra.lines[0]);
  EXPECT_EQ("Object", voice.caption);
  EXPECT_TRUE(voice.rows.empty()) << "no type information: no members";
  EXPECT_TRUE(goneOpensNothing);

  std::string written;
  PumpUntil([&] { return GetFileAttributesA(result.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
  EXPECT_TRUE(FrameEnded());
  FILE* f = std::fopen(result.c_str(), "rb");
  ASSERT_TRUE(f);
  char bytes[16] = "";
  written.assign(bytes, std::fread(bytes, 1, sizeof bytes, f));
  std::fclose(f);
  EXPECT_EQ("12\r\n", written);
}

}  // namespace
