// Script dialogs in this process: texts run in a script window open modal
// dialogs on this thread, while a driver thread reads and fills their
// controls through the window's statements and presses their buttons.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "builders.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_dialogs.h"
#include "script_run.h"
#include "window_interpreter.h"
#include "window_test_support.h"

using host_test::WriteScript;
using window_test::DialogDriver;
using window_test::WindowScripts;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Samples() { return Quoted(window_test::WindowSamples()); }

using ScriptDialogs = WindowScripts;

// Runs a text inside a driven dialog; a text that fails shows the error
// dialog (titled as the script window), which is answered here while the
// driven one stays.
uint32_t RunAnsweringError(HWND w, const std::string& text, bool fails) {
  char title[MAX_PATH] = "";
  GetWindowTextA(w, title, sizeof title);
  std::thread answer([&] {
    HWND box = nullptr;
    if (!fails) return;
    gui::WaitFor([&] { return (box = FindWindowA("#32770", title)) && IsWindowVisible(box); },
                 5000);
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  uint32_t error = RunTextInWindow(w, text.c_str());
  answer.join();
  return error;
}

TEST_F(ScriptDialogs, BadInputAndTheDialogsOfSixteenBitFiles) {
  HWND w = Open("dlgerrors.bas");
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"INPUT 5, \"DLG\", 7", 113}, {"INPUT " + Samples() + ", \"DLG\", X", 112},
      {"INPUT " + Samples() + ", \"DLG\"", 112}, {"INPUT " + Samples() + ", \"NOPE\", 7", 142},
      {"INPUT " + Samples() + ", \"dlg\", 7", 142}, {"DIALOG " + Samples() + ", \"NOPE\", 7", 142},
      {"X = GET(1)", 146}, {"HDLG = 0\nX = GET(1)", 154}, {"X = GET(\"a\")", 146},
      {"HDLG = 0\nTUNE 1, TEXT, 5\nPUT 1, 5", 0}, {"HDLG = \"x\"\nTUNE 1, TEXT, 5", 0},
      {"X = PARAM(\"BOGUS\")", 112}, {"X = PARAM(1.5)", 146}, {"X = PARAM(1, \"a\")", 146},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Run(w, c.first)) << c.first;

  EXPECT_EQ(0u, Run(w, "PARAM = 3 + 1001 * 65536\nA = PARAM(\"CHANGE\", 1001, 1002)\n"
                       "B = PARAM(3)\nC = PARAM(\"change\", 1003)\nD = PARAM(\"UPDATE\")"));
  EXPECT_EQ(1, Long(w, "A"));
  EXPECT_EQ(1, Long(w, "B"));
  EXPECT_EQ(0, Long(w, "C"));
  EXPECT_EQ(0, Long(w, "D"));

  // A 16-bit template, found without regard to case; one cut short is 142.
  Bytes form;
  PutDword(form, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE);
  PutByte(form, 1);
  for (unsigned v : {10u, 10u, 120u, 50u}) PutWord(form, v);
  PutText(form, "");
  PutText(form, "");
  PutText(form, "Шестнадцать");
  DialogItem(form, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {0x80}, "OK", {});
  Bytes file, cut;
  AddRes16(file, 5, "DLG", form);
  AddRes16(cut, 5, "DLG", Bytes(form.begin(), form.end() - 6));
  std::string whole = Quoted(WriteScript("dialog16.res", std::string(file.begin(), file.end())));
  std::string shorter = Quoted(WriteScript("cut16.res", std::string(cut.begin(), cut.end())));
  EXPECT_EQ(142u, Run(w, "RESOURCE = 16\nINPUT " + shorter + ", \"dlg\", 0"));
  std::vector<std::string> seen;
  EXPECT_EQ(0u, Run(w, "RESOURCE = 16\nINPUT " + whole + ", \"dlg\", 0\nRESOURCE = 32", IDOK, &seen));
  EXPECT_EQ(std::vector<std::string>{"Шестнадцать: "}, seen);
  EXPECT_EQ(1, Long(w, "RESULT"));
  // Without a code there is no record: OK closes at once and HDLG keeps the
  // ended dialog, which names no control any more.
  EXPECT_NE(0, Long(w, "HDLG"));
  EXPECT_EQ(154u, Run(w, "X = GET(1)"));
}

TEST_F(ScriptDialogs, ModalDialogStaysWhileSaveSaysSoAndItsIdThreeIsAnEdit) {
  HWND w = Open("save.bas", "S = 0\nEVENT 9, NOTE\nGOTO READY\n"
                            "NOTE:\nIF LOWORD(PARAM) = 2 THEN S = S + 1\nEND S - 1\nREADY:\n");
  bool stayed[3] = {};
  DialogDriver driver("Списки", [&](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 3);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(3, EN_SETFOCUS), reinterpret_cast<LPARAM>(edit));
    stayed[0] = IsWindowVisible(dialog);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    stayed[1] = IsWindowVisible(dialog);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    stayed[2] = IsWindow(dialog) && IsWindowVisible(dialog);
  });
  EXPECT_EQ(0u, RunTextInWindow(w, ("INPUT " + Samples() + ", \"LISTS\", 9").c_str()));
  EXPECT_TRUE(driver.Acted());
  EXPECT_TRUE(stayed[0]) << "a notice of edit 3 ends nothing";
  EXPECT_TRUE(stayed[1]) << "the first SAVE answered 0";
  EXPECT_FALSE(stayed[2]);
  EXPECT_EQ(1, Long(w, "RESULT"));
  EXPECT_EQ(0, Long(w, "HDLG"));
  EXPECT_EQ(2, Long(w, "S"));
}

TEST_F(ScriptDialogs, ListsTextsAndNumbersGoInAndComeOut) {
  HWND w = Open("lists.bas", "DIM STRING A(4, 1)\nA(0) = \"Анна\"\nA(1) = \"Борис\"\n"
                             "A(2) = \"Вера\"\nA(3) = \"Глеб\"\n"
                             "I = BITMAP(" + Quoted(window_test::HostSamples()) + ", \"LOGO\")\n");
  std::vector<std::pair<std::string, uint32_t>> errors;
  HWND picture = nullptr;
  DialogDriver driver("Списки", [&](HWND dialog) {
    const std::vector<std::string> texts = {
        "TN = TYPE(GET(1006))\nDEF PROBE\nSET U = PROBE.New(16)\nPUT 3, U, \"настройки\"\nGO = GET(3)\n"
        "PUT 1006, 2, 3, 50\nPUT 1006, 2, 3, 50\nPUT 1008, \"Вера\", 3, A\nTUNE 1008, SELECT, 0\n"
        "PUT 1009, I\nPUT 3, \" 1 2 3 \"\nTUNE 3, ENABLE, FALSE\nTUNE 3, SHOW, 0\n"
        "G1 = GET(1006)\nG2 = GET(1006, \"L\")\nG3 = GET(1008, 2)\nG4 = GET(1008, 0)\n"
        "G5 = GET(1008, 1)\nG6 = GET(1009) <> 0\nG7 = GET(1007)\nG8 = GET(3, \"L\")\n"
        "G9 = GET(3, \"R\")\nPUT 3, \"12.5\"\nGM = GET(3, \"M\")\nGS = GET(3)",
        "PUT 3, \"1.2.3\"\nX = GET(3, \"M\")", "TUNE 1008, SELECT, \"x\"", "TUNE 3, SELECT, 1",
        "TUNE 3, BOGUS, 1", "TUNE 3, TEXT", "PUT 9999, 1", "PUT 1006, 1, \"x\", 2", "PUT 1009, 5",
        "PUT 3, U"};
    for (const std::string& text : texts)
      errors.emplace_back(text, RunAnsweringError(w, text, &text != &texts.front()));
    // A missing array leaves the list empty; an OBJECT tail whose handle is
    // 0 or no readable text is no directory pattern.
    EXPECT_EQ(0u, RunTextInWindow(w, "PUT 1008, \"x\", 3, NOARRAY\nDEF PROBE\nSET Z = PROBE.New(0)\n"
                                     "SET U = PROBE.New(16)\nPUT 1006, 1, 3, Z\nPUT 1006, 1, 3, U"));
    EXPECT_EQ(0, SendMessageA(GetDlgItem(dialog, 1008), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(GetDlgItem(dialog, 1006), CB_GETCOUNT, 0, 0));
    picture = GetDlgItem(dialog, 1009);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 3)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 3)));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(0u, RunTextInWindow(w, ("INPUT " + Samples() + ", \"LISTS\", 0").c_str()));
  ASSERT_TRUE(driver.Acted());
  ASSERT_EQ(10u, errors.size());
  const uint32_t expected[] = {0, 112, 113, 116, 112, 112, 154, 113, 113, 112};
  for (size_t i = 0; i < errors.size(); ++i) EXPECT_EQ(expected[i], errors[i].second) << errors[i].first;
  EXPECT_EQ("NULL", Text(w, "TN")) << "no selection and no text in its face";
  EXPECT_EQ("настройки", Text(w, "GO")) << "an OBJECT and its settings arrive as WM_SETTEXT";
  EXPECT_EQ(2, Long(w, "G1"));
  EXPECT_EQ(2, Long(w, "G2"));
  EXPECT_EQ(1, Long(w, "G3")) << "Вера";
  EXPECT_EQ(1, Long(w, "G4")) << "the data 0 of Анна, selected by TUNE";
  EXPECT_EQ(0, Long(w, "G5"));
  EXPECT_EQ(1, Long(w, "G6"));
  EXPECT_EQ("LOGO", Text(w, "G7"));
  EXPECT_EQ(123, Long(w, "G8"));
  EXPECT_EQ("123.000000", Text(w, "G9"));
  EXPECT_EQ("12.50", Text(w, "GM"));
  EXPECT_EQ("12.5", Text(w, "GS"));
  EXPECT_TRUE(picture);
}

TEST_F(ScriptDialogs, EmbeddedDialogsAreMadeOnTheGuiThreadAndLeaveNoHandleBehind) {
  HWND w = Open("embed.bas", "DIALOG " + Samples() + ", \"FORM\", 0\n");
  WindowInterpreter* owner = InterpreterOf(w);
  HWND dialog = owner->EmbeddedDialog;
  ASSERT_TRUE(dialog);
  EXPECT_EQ(CurrentModelessDialog, dialog);
  // Radio buttons 1010 to 1012: none checked, a selection outside the
  // group, one inside.
  EXPECT_EQ(0u, Run(w, "R1 = GET(1010)\nPUT 1010, 5\nR2 = GET(1010)\nPUT 1010, 1\nR3 = GET(1010)"));
  EXPECT_EQ(-1, Long(w, "R1"));
  EXPECT_EQ(-1, Long(w, "R2"));
  EXPECT_EQ(1, Long(w, "R3"));
  RECT box, window;
  GetWindowRect(dialog, &box);
  GetWindowRect(w, &window);
  EXPECT_EQ(box.bottom - box.top + 1, owner->TopMargin);
  EXPECT_GE(window.right - window.left, box.right - box.left + 2 * GetSystemMetrics(SM_CXFRAME) + 1);
  DestroyWindow(dialog);
  EXPECT_EQ(nullptr, owner->EmbeddedDialog);
  EXPECT_EQ(nullptr, CurrentModelessDialog);

  // A script thread has the GUI thread make its dialog, and waits for it.
  HWND t = Start("embedthread.bas", "DIALOG " + Samples() + ", \"FORM\", 0\nD = HDLG\nDELAY 1000\n");
  ASSERT_TRUE(WaitForVariable(t, "D"));
  HWND made = InterpreterOf(t)->EmbeddedDialog;
  ASSERT_TRUE(made);
  EXPECT_EQ(Long(t, "D"), static_cast<int32_t>(reinterpret_cast<intptr_t>(made)));
  EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(made, nullptr));
}

TEST_F(ScriptDialogs, BitmapButtonIsStretchedAndInsetWhilePressed) {
  HWND w = Open("button.bas");
  HWND button = CreateWindowExA(0, "BUTTON", "LOGO", WS_CHILD | BS_OWNERDRAW, 0, 0, 20, 20, w,
                                nullptr, hInst, nullptr);
  SetPropA(w, kDialogRecordProperty, new DialogEventRecord{7, 32, window_test::WindowSamples()});
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, canvas);
  const COLORREF green = RGB(0, 255, 0), blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
  RECT all = {0, 0, 20, 20};
  HBRUSH brush = CreateSolidBrush(green);
  FillRect(dc, &all, brush);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = button;
  item.hDC = dc;
  item.rcItem = all;
  item.itemState = ODS_SELECTED;
  // What each draw makes it gives back: an object made after every draw
  // takes the same free slot of the handle table (the low word), where a
  // leak would push it on each time.
  std::vector<WORD> slots;
  for (int i = 0; i < 50; ++i) {
    DrawBitmapButton(w, &item);
    HBRUSH probe = CreateSolidBrush(RGB(i, i, i));
    slots.push_back(LOWORD(reinterpret_cast<uintptr_t>(probe)));
    DeleteObject(probe);
  }
  EXPECT_EQ(std::vector<WORD>(50, slots[0]), slots);
  EXPECT_EQ(green, GetPixel(dc, 2, 2)) << "a 3-pixel rim while pressed";
  EXPECT_EQ(green, GetPixel(dc, 17, 17));
  EXPECT_EQ(blue, GetPixel(dc, 3, 3));
  EXPECT_EQ(red, GetPixel(dc, 16, 3));
  item.itemState = 0;
  DrawBitmapButton(w, &item);
  EXPECT_EQ(blue, GetPixel(dc, 0, 0));
  EXPECT_EQ(blue, GetPixel(dc, 19, 19));

  // A name that is not there draws nothing.
  FillRect(dc, &all, brush);
  SetWindowTextA(button, "NOPE");
  DrawBitmapButton(w, &item);
  EXPECT_EQ(green, GetPixel(dc, 5, 5));
  delete static_cast<DialogEventRecord*>(RemovePropA(w, kDialogRecordProperty));
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteObject(brush);
  DeleteDC(dc);
  DestroyWindow(button);
}

}  // namespace
