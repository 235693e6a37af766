#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "eval_helpers.h"
#include "shared_variables.h"
#include "statement_text.h"

namespace {

using Executor = int (Interpreter::*)();

// Runs one executor on normal-form text behind its keyword: the error
// number (0 on success). The executor must leave the stack as it found it.
unsigned Exec(Interpreter& in, Executor exec, const char* text) {
  in.SetError(0);
  in.SetPosition(text);
  uint16_t depth = in.Depth();
  int failed = (in.*exec)();
  EXPECT_EQ(failed != 0, in.GetError() != 0) << text;
  EXPECT_EQ(in.Depth(), depth) << text;
  return in.GetError();
}

// Counts references, so that a test sees what was released.
class CountingDispatch : public IDispatch {
 public:
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
};

void HoldDispatch(Interpreter& in, const char* name, CountingDispatch& object) {
  uint32_t error = 0;
  VARIABLE* v = in.Variables().FindOrCreate(name, error);
  v->TYPE(VAL_DISPATCH);
  v->dispatch.pointer = &object;
  object.AddRef();
}

void HoldObject(Interpreter& in, const char* name, uint32_t handle) {
  uint32_t error = 0;
  VARIABLE* v = in.Variables().FindOrCreate(name, error);
  v->TYPE(VAL_OBJECT);
  v->object.handle = handle;
  v->object.module = "MOD";
}

// Records what the object hooks were asked to do.
class HookedInterpreter : public Interpreter {
 public:
  std::string log;

 protected:
  int SetFromCreateObject(VARIABLE& target, const char* progId) override {
    log += std::string("create ") + progId + ";";
    target.SetLong(1);
    return 0;
  }
  int SetFromLibrary(VARIABLE& target, const char* module, const VARIABLE* object,
                     const char* member, const char*& p) override {
    int count = ParseArguments(p);
    if (count < 0 || CloseCall(p)) return GetError();
    DropTo(static_cast<uint16_t>(Depth() - count));
    log += std::string("library ") + (module ? module : "-") + " " +
           (object ? std::to_string(object->object.handle) : "-") + " " + member + " " +
           std::to_string(count) + ";";
    target.TYPE(VAL_OBJECT);
    target.object.handle = 9;
    return 0;
  }
  int SetFromMember(VARIABLE&, const char*& p) override {
    log += std::string("member ") + p + ";";
    return 0;
  }
  void EraseObject(const VARIABLE& object, const char* member) override {
    log += "erase " + std::to_string(object.object.handle) + " " + (member ? member : "-") + ";";
  }
};

TEST(Dim, TypeWordNamesAndArrays) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A,B"), 0u);
  EXPECT_EQ(Eval(in, "A"), "LONG:0");
  EXPECT_EQ(Eval(in, "B"), "LONG:0");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "C"), 0u);
  EXPECT_EQ(Eval(in, "C"), "NULL:0");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "real R"), 0u);  // type words in any case
  EXPECT_EQ(Eval(in, "R"), "REAL:0.000000E+000");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "NULL N"), 0u);
  EXPECT_EQ(Eval(in, "N"), "NULL:0");

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "STRING S(3,2)"), 0u);
  EXPECT_EQ(Eval(in, "S(2,1)"), "STRING:");
  EXPECT_EQ(Eval(in, "S(3,0)"), "error 117");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "V(10)"), 0u);
  EXPECT_EQ(Eval(in, "V(9)"), "NULL:0");
  EXPECT_EQ(Eval(in, "V(10)"), "error 117");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG(2)"), 0u);  // '(' makes it a name
  EXPECT_EQ(Eval(in, "LONG(1)"), "NULL:0");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG W,X(2)"), 0u);
  EXPECT_EQ(Eval(in, "X(1)"), "LONG:0");
}

TEST(Dim, Failures) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(5)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(5)"), 130u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "B,"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "(3)"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "C(1.5)"), 133u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "D E"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "F,LONG G"), 112u);  // only the first word is a type
}

TEST(Dim, RedeclaringEmptiesAndReleasesWhatTheVariableHeld) {
  Interpreter in;
  EXPECT_EQ(Let(in, "A", "5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A"), 0u);  // same type: still emptied
  EXPECT_EQ(Eval(in, "A"), "LONG:0");
  EXPECT_EQ(Let(in, "S", "\"text\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "STRING S"), 0u);
  EXPECT_EQ(Eval(in, "S"), "STRING:");

  CountingDispatch object;
  HoldDispatch(in, "D", object);
  EXPECT_EQ(object.refs, 2u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG D"), 0u);
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Eval(in, "D"), "LONG:0");
}

TEST(Dim, ScopesOfNamesAndArrays) {
  Interpreter one, two;
  EXPECT_EQ(Exec(one, &Interpreter::ExecDim, "LONG $DIMS1,$DIMA1(2)"), 0u);
  EXPECT_EQ(Eval(two, "$DIMS1"), "LONG:0");
  EXPECT_EQ(Eval(two, "$DIMA1(1)"), "LONG:0");
  EXPECT_EQ(one.Variables().Find("$DIMS1"), nullptr);

  ProcedureFrame frame;
  one.SetFrame(&frame);
  EXPECT_EQ(Exec(one, &Interpreter::ExecDim, "LONG @L,@M(2)"), 0u);
  one.SetFrame(nullptr);
  EXPECT_NE(frame.locals.Find("@L"), nullptr);
  EXPECT_EQ(one.Variables().Find("@L"), nullptr);
  EXPECT_EQ(Eval(one, "@M(1)"), "LONG:0");  // arrays stay the interpreter's
}

TEST(Redim, KeepsElementsAndChecksShape) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A(2),$REDA(2)"), 0u);
  EXPECT_EQ(Let(in, "A(1)", "5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A(4),$REDA(3)"), 0u);
  EXPECT_EQ(Eval(in, "A(1)"), "LONG:5");
  EXPECT_EQ(Eval(in, "A(3)"), "LONG:0");
  EXPECT_EQ(Eval(in, "$REDA(2)"), "LONG:0");
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "Q(3)"), 131u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A(3) B"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A(\"x\")"), 133u);
}

TEST(Let, ComputedNameAndType) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"R\"=5"), 0u);
  EXPECT_EQ(Eval(in, "X"), "REAL:5.000000");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\"&\"Y\",\"LONG\"=\"12\""), 0u);
  EXPECT_EQ(Eval(in, "XY"), "LONG:12");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"$LETX\",\"S\"=7"), 0u);
  Interpreter other;
  EXPECT_EQ(Eval(other, "$LETX"), "STRING:7");

  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",1=5"), 146u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "1,\"R\"=5"), 146u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"r\"=5"), 146u);  // no type letter
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"L\"=\"a\"&1"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"L\""), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"L\"="), 118u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X,Y\"=5"), 112u);  // comma in quotes: no name form
}

TEST(Let, ComputedNameTextIsBounded) {
  Interpreter in;
  std::string name(73, 'N');
  std::string fits = "\"" + name + "\",\"L\"";  // 79 characters
  ASSERT_EQ(fits.size(), 79u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, (fits + "=3").c_str()), 0u);
  EXPECT_EQ(Eval(in, "NNNNNNNN"), "LONG:3");
  std::string longer = "\"" + std::string(300, 'N') + "\",\"L\"=4";
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, longer.c_str()), 112u);
  EXPECT_EQ(Eval(in, "NNNNNNNN"), "LONG:3");
}

TEST(Let, ElementLists) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(3),B(4)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG L(2)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)=1,2,3"), 0u);
  EXPECT_EQ(Eval(in, "A(0)+A(1)*10+A(2)*100"), "LONG:321");
  EXPECT_EQ(Let(in, "B(2)", "\"keep\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "B(1)=7,,9"), 0u);
  EXPECT_EQ(Eval(in, "B(1)"), "LONG:7");
  EXPECT_EQ(Eval(in, "B(2)"), "STRING:keep");
  EXPECT_EQ(Eval(in, "B(3)"), "LONG:9");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(2)=4,5,6"), 0u);  // used up: the rest is left
  EXPECT_EQ(Eval(in, "A(2)"), "LONG:4");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "L(0)=\"5\", 2.5"), 0u);  // element type wins
  EXPECT_EQ(Eval(in, "L(0)*10+L(1)"), "LONG:52");

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "M(2,2)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "M(0,1)=1,2"), 0u);
  EXPECT_EQ(Eval(in, "M(1,0)"), "LONG:2");  // row-major order
}

TEST(Let, ElementListFailures) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(3)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "Q(0)=1"), 122u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A=1"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)1"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)+1=1"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(3)=1"), 117u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)=1)"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(1.5)=1"), 133u);
}

TEST(Let, DollarArraysTakeDimensionsFromTheirOwnTable) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "$LETA(3)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "$LETA(1)=8,9"), 0u);
  EXPECT_EQ(Eval(in, "$LETA(2)"), "LONG:9");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LETB(1)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "$LETB(0)=1"), 122u);  // the own table's LETB is not it
}

TEST(Set, ShapeAndArgumentChecks) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "=CreateObject(\"A.B\")"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=MakeObject(\"A.B\")"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=CreateObject(1)"), 146u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=CreateObject(\"\")"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=CreateObject(\"A.B\""), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=createobject(\"A.B\")"), 145u);  // no bridge
  EXPECT_EQ(Let(in, "Y", "1"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=Y"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=Y.Member"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=MODULE.Make"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=MODULE."), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "X=MODULE!Make()"), 120u);  // no binder
}

TEST(Set, EmptiesTheTargetAndRoutesEachSourceToItsHook) {
  HookedInterpreter in;
  CountingDispatch object;
  HoldDispatch(in, "V", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "V=CreateObject(\"Word\"&\".App\")"), 0u);
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Eval(in, "V"), "LONG:1");

  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=MOD.Open(1,\"a\")"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=MOD!Open()"), 0u);
  HoldObject(in, "H", 42);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=H.Query(3)"), 0u);
  HoldDispatch(in, "D", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=D.Items(1).Name"), 0u);
  EXPECT_EQ(in.log,
            "create Word.App;library MOD - Open 2;library MOD - Open 0;library - 42 Query 1;"
            "member D.Items(1).Name;");

  in.log.clear();
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "D"), 0u);
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Eval(in, "D"), "NULL:0");
}

TEST(Erase, ObjectsDispatchAndArrays) {
  HookedInterpreter in;
  HoldObject(in, "H", 42);
  HoldObject(in, "K", 43);
  HoldObject(in, "Z", 0);
  EXPECT_EQ(Let(in, "N", "1"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "H,K.Close,Z,N.Close"), 0u);
  EXPECT_EQ(in.log, "erase 42 -;erase 43 Close;");  // handle 0 calls nothing
  EXPECT_EQ(Eval(in, "H"), "NULL:0");
  EXPECT_EQ(Eval(in, "K"), "NULL:0");
  EXPECT_EQ(Eval(in, "Z"), "NULL:0");
  EXPECT_EQ(Eval(in, "N"), "LONG:1");

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(2),B(2),$ERA(2)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "A,B,$ERA"), 0u);
  EXPECT_EQ(Eval(in, "A(0)"), "error 131");
  EXPECT_EQ(Eval(in, "$ERA(0)"), "error 131");
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "N"), 131u);  // scalars stay
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "C(2)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "C D"), 112u);
}

TEST(Free, EmptiesValuesAndKeepsVariables) {
  Interpreter in;
  EXPECT_EQ(Let(in, "S", "\"text\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A(3)"), 0u);
  EXPECT_EQ(Let(in, "A(1)", "4"), 0u);
  EXPECT_EQ(Let(in, "$FREES", "\"t\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "S,A(1),NEW,$FREES"), 0u);
  EXPECT_EQ(Eval(in, "S"), "STRING:");
  EXPECT_EQ(Eval(in, "A(1)"), "LONG:0");
  EXPECT_NE(in.Variables().Find("NEW"), nullptr);
  EXPECT_EQ(Eval(in, "$FREES"), "STRING:");

  CountingDispatch object;
  HoldDispatch(in, "D", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "D"), 0u);
  EXPECT_EQ(object.refs, 1u);

  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "Q(1)"), 131u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "A(5)"), 117u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "S T"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "S,"), 112u);
}

TEST(Delay, SleepTimeByType) {
  auto ms = [](VARIABLE v) {
    DWORD m = 12345;
    uint32_t e = DelayMilliseconds(v, m);
    return e ? -static_cast<long long>(e) : static_cast<long long>(m);
  };
  VARIABLE v;
  EXPECT_EQ(ms(*VARIABLE::SetLong(&v, 5)), 5);
  EXPECT_EQ(ms(*VARIABLE::SetLong(&v, -1)), 0);  // never INFINITE
  EXPECT_EQ(ms(*VARIABLE::SetReal(&v, 1.9)), 1);
  EXPECT_EQ(ms(*VARIABLE::SetReal(&v, -1.9)), 0);
  EXPECT_EQ(ms(*VARIABLE::SetReal(&v, 1e12)), 2147483647);
  EXPECT_EQ(ms(*VARIABLE::SetText(&v, "5")), -116);

  Interpreter in;
  DWORD before = GetTickCount();
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, "-5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, "0.9"), 0u);
  EXPECT_LT(GetTickCount() - before, 2000u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, "\"5\""), 116u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, ""), 118u);
}

}  // namespace
