// The extension-library binder against the libraries in tests/samples:
// SAMPLE and FAULTY (the frame's), PROBE and PROBEX (the binder's own).
// The module list is process-wide, so the tests DEF what they use and the
// release of every library runs last.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "../eval_helpers.h"
#include "library_binder.h"

namespace {

int Counted(const char* name) {
  char text[16] = "0";
  if (!GetEnvironmentVariableA(name, text, sizeof text)) return 0;
  return std::atoi(text);
}

// DEF behind its keyword: the error number; the stack is left as found.
unsigned Def(Interpreter& in, const char* text) {
  in.SetError(0);
  in.SetPosition(text);
  uint16_t depth = in.Depth();
  int failed = in.ExecDef();
  EXPECT_EQ(failed != 0, in.GetError() != 0) << text;
  EXPECT_EQ(in.Depth(), depth) << text;
  return in.GetError();
}

// Runs normal-form statements: the error number; the stack must be empty.
unsigned RunText(Interpreter& in, const char* text) {
  in.SetError(0);
  in.Run(text);
  EXPECT_EQ(in.Depth(), 0) << text;
  return in.GetError();
}

// A script variable; a missing one fails the test (and reads as NULL).
VARIABLE* Var(Interpreter& in, const char* name) {
  if (VARIABLE* v = in.Variables().Find(name)) return v;
  ADD_FAILURE() << name << " missing";
  static VARIABLE missing;
  return &missing.TYPE(VAL_NULL);
}

TEST(Binder, DefLoadsEachSpellingOnceAndRefusesWhatItCannotBind) {
  Interpreter in;
  int starts = Counted("SAMPLE_STARTS");
  EXPECT_EQ(Def(in, "SAMPLE"), 0u);
  ExtensionModule* sample = FindExtensionModule("SAMPLE");
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(Def(in, "SAMPLE "), 0u);
  EXPECT_EQ(FindExtensionModule("SAMPLE"), sample);
  EXPECT_EQ(Counted("SAMPLE_STARTS"), starts + 1);
  EXPECT_EQ(Eval(in, "SAMPLE!SAMPLE_Add(2,3)"), "LONG:5");

  // Another spelling is another module, whose handle export is missing.
  EXPECT_EQ(Def(in, "sample"), 141u);
  EXPECT_EQ(FindExtensionModule("sample"), nullptr);
  EXPECT_EQ(Def(in, "NOSUCHLIB"), 141u);
  EXPECT_EQ(Def(in, ""), 112u);
  // A name the module record cannot hold is refused, not cut.
  EXPECT_EQ(Def(in, "SAMPLEXXXXXXX"), 141u);
  EXPECT_EQ(Def(in, "SAMPLEXXXXXX!SAMPLE_Add(LONG)"), 141u);
  // A library with a bad declaration is dropped with that declaration's error.
  EXPECT_EQ(Def(in, "FAULTY"), 121u);
  EXPECT_EQ(FindExtensionModule("FAULTY"), nullptr);
}

TEST(Binder, DeclarationsAreCheckedAtDefTime) {
  Interpreter in;
  ASSERT_EQ(Def(in, "PROBE"), 0u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare LONG"), 112u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare)LONG("), 112u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Absent(LONG)LONG"), 121u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(XLONG)LONG"), 132u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(LONG,)LONG"), 132u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(LONG)QUAD"), 132u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(LONG)REAL"), 132u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(L,L,L,L,L,L,L,L,L,L,L,L,L,L,L)LONG"), 132u);
  EXPECT_EQ(Def(in, "NOSUCHLIB!F(LONG)"), 141u);
  std::string longTail = "PROBE!PROBE_Spare(LONG<" + std::string(120, 'x') + ">)LONG";
  EXPECT_EQ(Def(in, longTail.c_str()), 112u);
  const char* noBang = "FAULTY_NoBang( NULL )";
  uint32_t error = 0;
  EXPECT_EQ(ParseDeclaration(noBang, error), 0);
  EXPECT_EQ(error, 112u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Spare(1)"), "error 121");  // nothing was bound

  // 14 parameters bind; a later declaration of the same export is ignored.
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare( LONG<a>,L,L,L,L,L,L,L,L,L,L,L,L,L ) LONG"), 0u);
  EXPECT_EQ(Def(in, "PROBE!PROBE_Spare(LONG)LONG"), 0u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Spare(1,2,3,4,5,6,7,8,9,10,11,12,13,14)"), "LONG:2");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Spare(1)"), "error 122");
}

TEST(Binder, ArgumentsConvertByDeclaredType) {
  Interpreter in;
  ASSERT_EQ(Def(in, "PROBE"), 0u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Order(1,2,3)"), "LONG:123");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Order(1.9,2,NOTHING)"), "LONG:120");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Order(1,2)"), "error 122");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Order(1,2,\"3\")"), "error 116");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Order(1,2,1E12)"), "error 116");
  EXPECT_EQ(Eval(in, "NOPE!PROBE_Order(1,2,3)"), "error 120");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Undeclared(1)"), "error 121");

  // Texts: a null pointer for 0 and NULL, "" for a value without a text.
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Text(\"ab\")"), "STRING:[ab]");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Text(0)"), "STRING:(null)");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Text(5)"), "error 116");
  EXPECT_EQ(Let(in, "S", "\"xy\""), 0u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Text(VARPTR(S))"), "STRING:[xy]");
  Var(in, "S")->TYPE(VAL_NULL).TYPE(VAL_STRING);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Text(S)"), "STRING:[]");

  EXPECT_EQ(Eval(in, "PROBE!PROBE_Real(1.5)"), "LONG:15");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Real(2)"), "LONG:20");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Flag(TRUE)"), "BOOL:FALSE");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Flag(0)"), "BOOL:TRUE");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Flag(\"x\")"), "error 116");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Obj(77)"), "LONG:77");

  // POINTER hands over the script's own variable.
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Poke(VARPTR(P))"), "LONG:1");
  EXPECT_EQ(Describe(*Var(in, "P")), "LONG:42");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Poke(5)"), "error 116");
}

TEST(Binder, NullParameterPassesOnlyTheLaterWordsAndEveryValueIsPopped) {
  Interpreter in;
  ASSERT_EQ(Def(in, "PROBE"), 0u);
  // More calls than the stack has room for: nothing may be left behind.
  for (int i = 0; i < 100; ++i) ASSERT_EQ(Eval(in, "PROBE!PROBE_Tail(1,\"two\",3)+0"), "LONG:3");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Released(7)"), "LONG:0");
  EXPECT_EQ(in.Depth(), 0);
}

TEST(Binder, ResultsCopyTheLibrarysRecordsAndReleaseVariables) {
  Interpreter in;
  ASSERT_EQ(Def(in, "PROBE"), 0u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Record(7)"), "LONG:1007");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Released(0)"), "LONG:1");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Record(\"s\")"), "LONG:3000");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Record(NOTHING)"), "error 116");
  // A POINTER result is copied and stays the library's.
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Shared(0)"), "LONG:7");
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Nothing(0)"), "STRING:");

  const char* p = "PROBE!PROBE_Image(16)";
  ASSERT_EQ(in.Evaluate(p), 0);
  VARIABLE image(*in.PopValue());
  EXPECT_EQ(image.type, VAL_IMAGE);
  EXPECT_EQ(image.image.size, 16u);
  image.Clear();
  p = "PROBE!PROBE_Image(0)";
  ASSERT_EQ(in.Evaluate(p), 0);
  VARIABLE* empty = in.PopValue();
  EXPECT_EQ(empty->type, VAL_IMAGE);
  EXPECT_EQ(empty->image.handle, nullptr);
}

TEST(Binder, ObjectsAreMadeCalledAndErased) {
  Interpreter in;
  ASSERT_EQ(RunText(in, "DEF PROBE\nSET H=PROBE.New(4)\nA=H.Get(3)\nH.Get(1)\n"
                    "SET C=H.Child()\nSET D=PROBE!New(6)\nB=PROBE!PROBE_Obj(H)\n"),
            0u);
  EXPECT_EQ(Describe(*Var(in, "A")), "LONG:7");
  EXPECT_EQ(Describe(*Var(in, "B")), "LONG:4");
  // SET obj = other.member() passes other's handle like any member call.
  EXPECT_EQ(Var(in, "C")->type, VAL_OBJECT);
  EXPECT_EQ(Var(in, "C")->object.handle, 40u);
  EXPECT_STREQ(Var(in, "C")->object.module, "PROBE");
  EXPECT_EQ(Var(in, "D")->object.handle, 6u);

  EXPECT_EQ(RunText(in, "ERASE H\nR=PROBE!PROBE_Removed(0)\nERASE C.Free\n"
                    "Q=PROBE!PROBE_Removed(0)\n"),
            0u);
  EXPECT_EQ(Describe(*Var(in, "R")), "LONG:4");
  EXPECT_EQ(Describe(*Var(in, "Q")), "LONG:1040");
  EXPECT_EQ(Var(in, "H")->type, VAL_NULL);
  EXPECT_EQ(Var(in, "C")->type, VAL_NULL);

  // An export that takes more than the handle is never called by ERASE.
  EXPECT_EQ(RunText(in, "ERASE D.Close"), 122u);
  EXPECT_EQ(Var(in, "D")->type, VAL_OBJECT);
  EXPECT_EQ(RunText(in, "ERASE D.Order"), 122u);
  EXPECT_EQ(Eval(in, "PROBE!PROBE_Removed(0)"), "LONG:1040");
  EXPECT_EQ(RunText(in, "DEF PROBEX\nSET X=PROBEX.New()\n"), 0u);
  EXPECT_EQ(Var(in, "X")->object.handle, 5u);
  EXPECT_EQ(RunText(in, "ERASE X"), 122u);
  EXPECT_EQ(Eval(in, "PROBEX!PROBEX_Removed(0)"), "LONG:0");
  // A library without the export: nothing to call, the object goes.
  EXPECT_EQ(RunText(in, "DEF SAMPLE\nSET S=SAMPLE.Add(1,2)\nERASE S"), 0u);
  EXPECT_EQ(Var(in, "S")->type, VAL_NULL);

  // Handle 0: member calls are 153, ERASE calls nothing.
  EXPECT_EQ(RunText(in, "SET Z=PROBE.New(0)"), 0u);
  EXPECT_EQ(Var(in, "Z")->type, VAL_OBJECT);
  EXPECT_EQ(RunText(in, "Z.Get(1)"), 153u);
  EXPECT_EQ(Eval(in, "Z.Get(1)"), "error 153");
  EXPECT_EQ(RunText(in, "SET Y=Z.Child()"), 153u);
  EXPECT_EQ(RunText(in, "ERASE Z"), 0u);
  EXPECT_EQ(Var(in, "Z")->type, VAL_NULL);

  EXPECT_EQ(RunText(in, "SET W=PROBE.Nope()"), 121u);
  EXPECT_EQ(RunText(in, "SET W=NOSUCHLIB.New()"), 141u);
  EXPECT_EQ(RunText(in, "SET W=D.Get(1,2)"), 122u);
  EXPECT_EQ(RunText(in, "SET W=D.Get(1)\nE=W.Get(0)"), 0u);
  EXPECT_EQ(Describe(*Var(in, "E")), "LONG:7");
}

TEST(Binder, InspectorListsDeclarationsWithoutTheirPrefix) {
  Interpreter in;
  ASSERT_EQ(Def(in, "PROBEX"), 0u);
  HWND list = CreateWindowA("LISTBOX", "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ListModuleDeclarations(list, "PROBEX"), 3);
  char item[128] = "";
  SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "Remove( LONG<Handle>, LONG<Record> ) LONG");
  EXPECT_EQ(ListModuleDeclarations(list, "NOSUCHLIB"), 0);
  DestroyWindow(list);
}

// Script threads bind and call through the one list at once: one record,
// each declaration bound once, every call right.
TEST(Binder, ThreadsShareTheModuleList) {
  FreeExtensionModules();
  std::vector<int> wrong(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      Interpreter in;
      if (Def(in, "PROBE")) ++wrong[t];
      for (int i = 0; i < 50; ++i)
        if (Eval(in, "PROBE!PROBE_Order(1,2,3)") != "LONG:123") ++wrong[t];
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
  ExtensionModule* probe = FindExtensionModule("PROBE");
  ASSERT_NE(probe, nullptr);
  int declared = 0;
  for (ExtensionFunction* f = probe->functions; f; f = f->next) ++declared;
  EXPECT_EQ(declared, 20);
}

// Runs last: the frame window's release of every library at its end.
TEST(Binder, ZzEveryLibraryIsReleased) {
  Interpreter in;
  ASSERT_EQ(Def(in, "SAMPLE"), 0u);
  int stops = Counted("SAMPLE_STOPS");
  FreeExtensionModules();
  EXPECT_EQ(Counted("SAMPLE_STOPS"), stops + 1);
  EXPECT_EQ(FindExtensionModule("SAMPLE"), nullptr);
  EXPECT_EQ(FindExtensionModule("PROBE"), nullptr);
  EXPECT_EQ(Eval(in, "SAMPLE!SAMPLE_Add(1,2)"), "error 120");
  EXPECT_EQ(Def(in, "SAMPLE"), 0u);
  EXPECT_EQ(Eval(in, "SAMPLE!SAMPLE_Add(1,2)"), "LONG:3");
  FreeExtensionModules();
}

}  // namespace
