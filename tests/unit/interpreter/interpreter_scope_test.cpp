#include <gtest/gtest.h>

#include <windows.h>

#include "eval_helpers.h"
#include "shared_variables.h"

namespace {

TEST(Scopes, UnknownNamesAreCreatedAndKeysCountEightCharacters) {
  Interpreter in;
  EXPECT_EQ(Eval(in, "Q"), "NULL:0");
  EXPECT_NE(in.Variables().Find("Q"), nullptr);
  EXPECT_EQ(Let(in, "ABCDEFGH1", "1"), 0u);
  EXPECT_EQ(Eval(in, "ABCDEFGH2"), "LONG:1");
  EXPECT_EQ(Let(in, "abc", "\"low\""), 0u);
  EXPECT_EQ(Eval(in, "ABC"), "NULL:0");
  EXPECT_EQ(Eval(in, "abc"), "STRING:low");
  EXPECT_EQ(Let(in, "BEEP;X", "2"), 0u);  // ';' belongs to the name here
  EXPECT_EQ(Eval(in, "X"), "NULL:0");
}

TEST(Scopes, DollarNamesAreSharedByEveryInterpreter) {
  Interpreter one, two;
  EXPECT_EQ(Let(one, "$SHARED1", "\"seen\""), 0u);
  EXPECT_EQ(Eval(two, "$SHARED1"), "STRING:seen");
  EXPECT_EQ(one.Variables().Find("$SHARED1"), nullptr);
  uint32_t error = 0;
  {
    SharedVariablesGuard guard;
    ASSERT_EQ(SharedVariables().DeclareArray("$ARR", 3, 1, VAL_LONG, error), 1);
  }
  EXPECT_EQ(Let(one, "$ARR(2)", "9"), 0u);
  EXPECT_EQ(Eval(two, "$ARR(2)"), "LONG:9");
  EXPECT_EQ(Eval(two, "ARR(2)"), "error 131");
}

TEST(Scopes, AtNamesAreFrameLocalsOnlyInsideASubroutine) {
  Interpreter in;
  EXPECT_EQ(Let(in, "@X", "1"), 0u);
  EXPECT_NE(in.Variables().Find("@X"), nullptr);  // main level: an ordinary name
  ProcedureFrame frame;
  in.SetFrame(&frame);
  EXPECT_EQ(Eval(in, "@X"), "NULL:0");
  EXPECT_EQ(Let(in, "@X", "2"), 0u);
  EXPECT_EQ(Eval(in, "@X"), "LONG:2");
  EXPECT_EQ(Eval(in, "Y"), "NULL:0");
  EXPECT_EQ(frame.locals.Find("Y"), nullptr);  // plain names stay the interpreter's
  in.SetFrame(nullptr);
  EXPECT_EQ(Eval(in, "@X"), "LONG:1");
}

TEST(Scopes, HandlerWorksOnTheWindowsTablesUntilDetached) {
  static const char kText[] = "CLICK:X=1";
  Interpreter window;
  window.SetStart(kText);
  window.Labels().AddLabel("CLICK", kText + 6);
  {
    Interpreter handler;
    handler.ShareContext(&window);
    EXPECT_EQ(handler.Start(), kText);
    EXPECT_EQ(handler.FindLabel("BEGIN"), kText);
    EXPECT_EQ(Let(handler, "MADE", "5"), 0u);  // the window's table was empty
    uint32_t error = 0;
    ASSERT_EQ(handler.Variables().DeclareArray("ARR", 2, 1, VAL_LONG, error), 1);
    const char* text = " 1015,CLICK";
    EXPECT_EQ(handler.ExecEvent(text, false), 0);
    EXPECT_NE(window.RunFlags() & kRunMouseMove, 0);
    EXPECT_EQ(handler.FindLabel("CLICK"), window.FindLabel("CLICK"));
    handler.ShareContext(nullptr);
    EXPECT_EQ(handler.Variables().Find("MADE"), nullptr);
    EXPECT_EQ(handler.RunFlags(), 0);
    EXPECT_EQ(handler.Start(), nullptr);
    EXPECT_EQ(handler.FindLabel("CLICK"), nullptr);
  }
  EXPECT_EQ(Eval(window, "MADE"), "LONG:5");
  EXPECT_EQ(Eval(window, "ARR(1)"), "LONG:0");
  EXPECT_NE(window.Labels().FindBinding(1015), nullptr);
}

TEST(Assignment, Targets) {
  Interpreter in;
  uint32_t error = 0;
  ASSERT_EQ(in.Variables().DeclareArray("A", 3, 2, VAL_LONG, error), 1);
  EXPECT_EQ(Let(in, "A(2,1)", "7"), 0u);
  EXPECT_EQ(Eval(in, "A(2,1)"), "LONG:7");
  EXPECT_EQ(Let(in, "A(1)", "\"x\""), 0u);  // the value's own type wins
  EXPECT_EQ(Eval(in, "A(1,0)"), "STRING:x");
  EXPECT_EQ(Let(in, "A(0)", "1"), 0u);
  // an index outside the matrix stores nothing, element (0, 0) included
  EXPECT_EQ(Let(in, "A(3)", "99"), 117u);
  EXPECT_EQ(Let(in, "A(0,2)", "99"), 117u);
  EXPECT_EQ(Let(in, "A(-1)", "99"), 117u);
  EXPECT_EQ(Eval(in, "A(0)"), "LONG:1");
  EXPECT_EQ(Eval(in, "A(3)"), "error 117");
  EXPECT_EQ(Let(in, "A(1.5)", "1"), 133u);
  EXPECT_EQ(Let(in, "NOARRAY(1)", "1"), 131u);
  EXPECT_EQ(Let(in, "5", "1"), 135u);
  EXPECT_EQ(Let(in, "\"S\"", "1"), 135u);
  EXPECT_EQ(Let(in, "OBJ.NAME", "1"), 131u);
  EXPECT_EQ(Let(in, "A", "1"), 0u);
  EXPECT_EQ(Let(in, "A.NAME", "1"), 112u);  // not an automation object
  EXPECT_EQ(Let(in, "X", ""), 118u);        // nothing to assign
  EXPECT_EQ(Let(in, "X", "1+"), 118u);
  EXPECT_EQ(Let(in, "S", "\"a\""), 0u);
  EXPECT_EQ(Let(in, "S", "1"), 0u);
  EXPECT_EQ(Eval(in, "S"), "LONG:1");
  EXPECT_EQ(in.Depth(), 0);
}

TEST(Assignment, StackIsBackAtItsDepthAfterEveryStatement) {
  Interpreter in;
  const char* statements[][2] = {{"X", "1+2"}, {"X", "(1"},    {"X", "\"a"}, {"5", "1"},
                                 {"X", "A(1"}, {"X", "1/0"},   {"X", ""},    {"Y(1)", "2"},
                                 {"X", "M!F(1)"}, {"X", "VARPTR(3)"}};
  for (auto& s : statements) {
    Let(in, s[0], s[1]);
    EXPECT_EQ(in.Depth(), 0) << s[0] << "=" << s[1];
  }
  in.PushLong(1);  // a statement that starts with a value below it
  Let(in, "X", "(1+");
  EXPECT_EQ(in.Depth(), 1);
}

TEST(Operands, ReferencesMembersAndCalls) {
  Interpreter in;
  EXPECT_EQ(Let(in, "X", "4"), 0u);
  const char* p = "VARPTR(X)";
  ASSERT_EQ(in.Evaluate(p), 0);
  VARIABLE* v = in.PopValue();
  ASSERT_EQ(v->type, VAL_POINTER);
  EXPECT_EQ(v->target, in.Variables().Find("X"));
  uint32_t error = 0;
  in.Variables().DeclareArray("A", 2, 1, VAL_LONG, error);
  p = "varptr(A(1))";
  ASSERT_EQ(in.Evaluate(p), 0);
  EXPECT_EQ(in.PopValue()->target, in.Variables().FindElement("A", 1, 0));
  EXPECT_EQ(Eval(in, "VARPTR(5)"), "error 134");
  EXPECT_EQ(Eval(in, "VARPTR(\"x\")"), "error 134");
  EXPECT_EQ(Eval(in, "VARPTR(NOARR(1))"), "error 131");
  EXPECT_EQ(Eval(in, "VARPTR(X+1)"), "error 133");
  EXPECT_EQ(Eval(in, "A(1,2)"), "error 117");
  EXPECT_EQ(Eval(in, "B(1,2)"), "error 131");
  EXPECT_EQ(Eval(in, "A(1.5)"), "error 133");
  EXPECT_EQ(Eval(in, "A(1"), "error 112");
  EXPECT_EQ(Eval(in, "A()"), "error 112");
  EXPECT_EQ(Eval(in, "NOBODY.NAME"), "error 131");
  EXPECT_EQ(Eval(in, "X.NAME"), "error 153");
  EXPECT_EQ(Eval(in, "VIMBRA!VIMBRA_Count(1)"), "error 120");
  EXPECT_EQ(Eval(in, "A(0)+X*2"), "LONG:8");
}

TEST(Events, BindingsByEventAndCommand) {
  Interpreter in;
  in.Labels().AddLabel("BEGIN", "text");
  in.Labels().AddLabel("ONMOVE", "move");
  struct {
    const char* text;
    bool command;
    uint32_t error;
  } cases[] = {{"5,NOWHERE", false, 138}, {"\"5\",ONMOVE", false, 116},
               {"5;X", false, 0},         {"5 ONMOVE", false, 112},
               {"7,5", true, 116},        {"", false, 118}};
  for (auto& c : cases) {
    in.SetError(0);
    const char* p = c.text;
    int failed = in.ExecEvent(p, c.command);
    EXPECT_EQ(failed ? in.GetError() : 0u, c.error) << c.text;
  }
  const char* p = "1015,ONMOVE";
  ASSERT_EQ(in.ExecEvent(p, false), 0);
  EXPECT_EQ(in.RunFlags() & kRunMouseMove, kRunMouseMove);
  EXPECT_STREQ(in.Labels().FindBinding(1015), "move");
  p = "1015";
  ASSERT_EQ(in.ExecEvent(p, false), 0);
  EXPECT_EQ(in.RunFlags() & kRunMouseMove, 0);
  EXPECT_EQ(in.Labels().FindBinding(1015), nullptr);
  p = "2001,\"X=\"&1";
  ASSERT_EQ(in.ExecEvent(p, true), 0);
  EXPECT_STREQ(in.Labels().FindBinding(2001), "X=1");
  EXPECT_EQ(in.Depth(), 0);
}

DWORD WINAPI DivideByZero(LPVOID stop) {
  Interpreter in;
  while (!*static_cast<volatile LONG*>(stop)) {
    Eval(in, "1/0");
    Let(in, "$OTHER", "\"a\"-1");
  }
  return 0;
}

TEST(Threads, AFailingScriptNeverFailsAnother) {
  volatile LONG stop = 0;
  HANDLE thread = CreateThread(nullptr, 0, DivideByZero, const_cast<LONG*>(&stop), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  Interpreter in;
  int failures = 0;
  for (int i = 0; i < 20000; ++i) {
    if (Eval(in, "1+X") != "LONG:1") ++failures;
    if (Let(in, "$COUNTER", "$COUNTER+1")) ++failures;
  }
  InterlockedExchange(const_cast<LONG*>(&stop), 1);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Eval(in, "$COUNTER"), "LONG:20000");
}

}  // namespace
