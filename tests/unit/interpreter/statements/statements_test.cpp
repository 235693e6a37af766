#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "../eval_helpers.h"
#include "statement_text.h"

namespace {

using Executor = int (Interpreter::*)();

// Runs one executor on normal-form text behind its keyword: the error
// number (0 on success). The stack must be left as it was found.
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
struct CountingDispatch : IDispatch {
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
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

VARIABLE* Hold(Interpreter& in, const char* name, unsigned char type) {
  uint32_t error = 0;
  return &in.Variables().FindOrCreate(name, error)->TYPE(type);
}

void HoldDispatch(Interpreter& in, const char* name, CountingDispatch& object) {
  Hold(in, name, VAL_DISPATCH)->dispatch.pointer = &object;
  object.AddRef();
}

// Records what the object hooks were asked to do.
struct HookedInterpreter : Interpreter {
  std::string log;
  int SetFromCreateObject(VARIABLE& target, const char* progId) override {
    log += std::string("create ") + progId + ";";
    target.SetLong(1);
    return 0;
  }
  int SetFromLibrary(VARIABLE&, const char* module, const VARIABLE* object, const char* member,
                     const char*& p) override {
    int count = ParseArguments(p);
    DropTo(static_cast<uint16_t>(Depth() - count));
    log += std::string("library ") + (module ? module : "-") + " " +
           (object ? std::to_string(object->object.handle) : "-") + " " + member + " " +
           std::to_string(count) + p + ";";
    return CloseCall(p) ? GetError() : 0;
  }
  int SetFromMember(VARIABLE&, const char*& p) override {
    log += std::string("member ") + p + ";";
    return 0;
  }
  int EraseObject(const VARIABLE& object, const char* member) override {
    log += "erase " + std::to_string(object.object.handle) + " " + (member ? member : "-") + ";";
    return 0;
  }
};

TEST(Dim, DeclaresTypedNamesAndArraysInTheirScopes) {
  Interpreter in, other;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A,B"), 0u);
  EXPECT_EQ(Eval(in, "B"), "LONG:0");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "string S(3,2)"), 0u);
  EXPECT_EQ(Eval(in, "S(2,1)"), "STRING:");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "V(10)"), 0u);
  EXPECT_EQ(Eval(in, "V(9)"), "NULL:0");
  EXPECT_EQ(Eval(in, "V(10)"), "error 117");
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG(2)"), 0u);  // '(' makes it a name
  EXPECT_EQ(Eval(in, "LONG(1)"), "NULL:0");

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG $DIMS,$DIMA(2)"), 0u);
  EXPECT_EQ(Eval(other, "$DIMA(1)"), "LONG:0");
  ProcedureFrame frame;
  in.SetFrame(&frame);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG @L,@M(2)"), 0u);
  in.SetFrame(nullptr);
  EXPECT_NE(frame.locals.Find("@L"), nullptr);
  EXPECT_EQ(Eval(in, "@M(1)"), "LONG:0");  // arrays stay the interpreter's

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "V(5)"), 130u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "B,"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "(3)"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "F,LONG G"), 112u);  // only the first word is a type
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "E(1.5)"), 133u);
}

TEST(Dim, RedeclaringEmptiesAndReleasesWhatTheVariableHeld) {
  Interpreter in;
  EXPECT_EQ(Let(in, "A", "5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A"), 0u);  // same type: still emptied
  EXPECT_EQ(Eval(in, "A"), "LONG:0");
  CountingDispatch object;
  HoldDispatch(in, "D", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "STRING D"), 0u);
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Eval(in, "D"), "STRING:");
}

TEST(Redim, KeepsElementsAndChecksShape) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A(2)"), 0u);
  EXPECT_EQ(Let(in, "A(1)", "5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A(4)"), 0u);
  EXPECT_EQ(Eval(in, "A(1)+A(3)"), "LONG:5");
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "Q(3)"), 131u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecRedim, "A"), 112u);
}

TEST(Let, ComputedNameAndType) {
  Interpreter in, other;
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"R\"=5"), 0u);
  EXPECT_EQ(Eval(in, "X"), "REAL:5.000000");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"$LET\"&\"X\",\"STRING\"=7"), 0u);
  EXPECT_EQ(Eval(other, "$LETX"), "STRING:7");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",1=5"), 146u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"r\"=5"), 146u);  // no type letter
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"L\""), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "\"X\",\"L\"="), 118u);

  // The text before '=' is evaluated from a bounded copy.
  std::string fits = "\"" + std::string(73, 'N') + "\",\"L\"";
  ASSERT_EQ(fits.size(), 79u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, (fits + "=3").c_str()), 0u);
  EXPECT_EQ(Eval(in, "NNNNNNNN"), "LONG:3");
  std::string longer = "\"" + std::string(300, 'N') + "\",\"L\"=4";
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, longer.c_str()), 112u);
  EXPECT_EQ(Eval(in, "NNNNNNNN"), "LONG:3");
}

TEST(Let, ElementLists) {
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(3),B(4),M(2,2),$LETA(3)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)=1,2,3"), 0u);
  EXPECT_EQ(Eval(in, "A(0)+A(1)*10+A(2)*100"), "LONG:321");
  EXPECT_EQ(Let(in, "B(2)", "\"keep\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "B(1)=7,,9"), 0u);
  EXPECT_EQ(Eval(in, "B(1)"), "LONG:7");
  EXPECT_EQ(Eval(in, "B(2)"), "STRING:keep");
  EXPECT_EQ(Eval(in, "B(3)"), "LONG:9");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(2)=\"4\",5,6"), 0u);  // used up; element type wins
  EXPECT_EQ(Eval(in, "A(2)"), "LONG:4");
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "M(0,1)=1,2"), 0u);
  EXPECT_EQ(Eval(in, "M(1,0)"), "LONG:2");  // row-major order
  // '$' arrays: dimensions and elements from the '$' table.
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "$LETA(1)=8,9"), 0u);
  EXPECT_EQ(Eval(in, "$LETA(2)"), "LONG:9");

  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "Q(0)=1"), 122u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "$A(0)=1"), 122u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A=1"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(0)=1)"), 112u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecLet, "A(3)=1"), 117u);  // a start outside stores nothing
}

TEST(Set, ChecksTheStatementAndRoutesEachSourceToItsHook) {
  Interpreter plain;
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X"), 112u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=MakeObject(\"A.B\")"), 112u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=CreateObject(1)"), 146u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=CreateObject(\"\")"), 112u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=createobject(\"A.B\")"), 145u);
  EXPECT_EQ(Let(plain, "Y", "1"), 0u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=Y.Member"), 112u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=MODULE.Make"), 112u);
  EXPECT_EQ(Exec(plain, &Interpreter::ExecSet, "X=MODULE!Make()"), 141u);  // no such library

  HookedInterpreter in;
  CountingDispatch object;
  HoldDispatch(in, "V", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "V=CreateObject(\"Word\"&\".App\")"), 0u);
  EXPECT_EQ(object.refs, 1u);  // the target was emptied first
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=MOD.Open(1,\"a\")"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=MOD!Open()"), 0u);
  Hold(in, "H", VAL_OBJECT)->object.handle = 42;
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=H.Query(3)"), 0u);
  HoldDispatch(in, "D", object);
  EXPECT_EQ(Exec(in, &Interpreter::ExecSet, "W=D.Items(1).Name"), 0u);
  EXPECT_EQ(in.log,
            "create Word.App;library MOD - Open 2);library MOD - Open 0);"
            "library - 42 Query 1);member D.Items(1).Name;");
}

TEST(Erase, ObjectsDispatchAndArrays) {
  HookedInterpreter in;
  Hold(in, "H", VAL_OBJECT)->object.handle = 42;
  Hold(in, "K", VAL_OBJECT)->object.handle = 43;
  Hold(in, "Z", VAL_OBJECT);
  CountingDispatch object;
  HoldDispatch(in, "D", object);
  EXPECT_EQ(Let(in, "N", "1"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "H,K.Close,Z,N.Close,D"), 0u);
  EXPECT_EQ(in.log, "erase 42 -;erase 43 Close;");  // handle 0 calls nothing
  EXPECT_EQ(Eval(in, "K"), "NULL:0");
  EXPECT_EQ(Eval(in, "Z"), "NULL:0");
  EXPECT_EQ(Eval(in, "D"), "NULL:0");
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Eval(in, "N"), "LONG:1");

  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "A(2),C(2),$ERA(2)"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "A,$ERA"), 0u);
  EXPECT_EQ(Eval(in, "$ERA(0)"), "error 131");
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "N"), 131u);  // scalars stay
  EXPECT_EQ(Exec(in, &Interpreter::ExecErase, "C D"), 112u);
}

TEST(Free, EmptiesValuesAndKeepsVariables) {
  Interpreter in;
  EXPECT_EQ(Let(in, "S", "\"text\""), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDim, "LONG A(3)"), 0u);
  EXPECT_EQ(Let(in, "A(1)", "4"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "S,A(1),NEW"), 0u);
  EXPECT_EQ(Eval(in, "S"), "STRING:");
  EXPECT_EQ(Eval(in, "A(1)"), "LONG:0");
  EXPECT_NE(in.Variables().Find("NEW"), nullptr);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "Q(1)"), 131u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecFree, "S,"), 112u);
}

TEST(Delay, SleepTimeByType) {
  auto ms = [](VARIABLE* v) {
    DWORD m = 12345;
    uint32_t e = DelayMilliseconds(*v, m);
    return e ? -static_cast<long long>(e) : static_cast<long long>(m);
  };
  VARIABLE v;
  EXPECT_EQ(ms(VARIABLE::SetLong(&v, -1)), 0);  // never INFINITE
  EXPECT_EQ(ms(VARIABLE::SetReal(&v, 1.9)), 1);
  EXPECT_EQ(ms(VARIABLE::SetReal(&v, -1.9)), 0);
  EXPECT_EQ(ms(VARIABLE::SetReal(&v, 1e12)), 2147483647);
  EXPECT_EQ(ms(VARIABLE::SetText(&v, "5")), -116);
  Interpreter in;
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, "-5"), 0u);
  EXPECT_EQ(Exec(in, &Interpreter::ExecDelay, ""), 118u);
}

}  // namespace
