// DISPATCH values in the interpreter, where a script cannot see: the member
// kinds and argument order the server receives, references left behind,
// a server exception's text in "$ERRTXT", and the COM user count.
#include <gtest/gtest.h>

#include "com_bridge.h"
#include "com_test_support.h"
#include "eval_helpers.h"
#include "shared_variables.h"

namespace {

using Executor = int (Interpreter::*)();

// Member targets are given as the run loop gives them, with the '='.

unsigned Exec(Interpreter& in, Executor exec, const char* text) {
  in.SetError(0);
  in.SetPosition(text);
  (in.*exec)();
  EXPECT_EQ(0, in.Depth()) << text;
  return in.GetError();
}

// A variable holding the server without counting a COM user.
void Put(Interpreter& in, const char* name, TestServer& server) {
  uint32_t error = 0;
  in.Variables().FindOrCreate(name, error)->Assign(Hold(&server));
}

std::string ErrorText() {
  SharedVariablesGuard guard;
  VARIABLE* v = SharedVariables().Find("$ERRTXT");
  return v ? (v->type == VAL_STRING ? TextOf(*v) : Describe(*v)) : "missing";
}

int32_t Seen(const TestServer& server, size_t i) { return i < server.seen.size() ? server.seen[i].lVal : -1; }

TEST(DispatchMembers, KindsAndArgumentsReachTheServerInInvokesOrder) {
  TestServer server;
  {
    Interpreter in;
    Put(in, "O", server);
    EXPECT_EQ("LONG:2", Eval(in, "O.Record(1,7)"));
    EXPECT_EQ(DISPATCH_METHOD, server.seenFlags);
    EXPECT_EQ(7, Seen(server, 0));  // the last argument first
    server.ClearSeen();
    EXPECT_EQ("LONG:1", Eval(in, "O.Record[4]"));
    EXPECT_EQ(DISPATCH_PROPERTYGET, server.seenFlags);
    server.ClearSeen();
    // Every member before '.' is read as a property, whatever its brackets.
    EXPECT_EQ("LONG:0", Eval(in, "O.Self(5).Self.Record"));
    EXPECT_EQ(DISPATCH_PROPERTYGET, server.seenFlags);

    // v.A[args] = x: the arguments, then the value named for the put.
    server.ClearSeen();
    EXPECT_EQ(0u, Let(in, "O.Self.Record[1,2]=", "3"));
    EXPECT_EQ(DISPATCH_PROPERTYPUT, server.seenFlags);
    EXPECT_EQ(1u, server.seenNamed);
    EXPECT_EQ(DISPID_PROPERTYPUT, server.seenNamedId);
    ASSERT_EQ(3u, server.seen.size());
    EXPECT_EQ(3, Seen(server, 0));
    EXPECT_EQ(1, Seen(server, 2));
    server.ClearSeen();
    EXPECT_EQ(0u, Let(in, "O.Record=", "9"));
    EXPECT_EQ(DISPATCH_PROPERTYPUT, server.seenFlags);
    EXPECT_EQ(9, Seen(server, 0));
    // v.A(args) = x: a method call with the arguments only.
    server.ClearSeen();
    EXPECT_EQ(0u, Let(in, "O.Record(1,2)=", "3"));
    EXPECT_EQ(DISPATCH_METHOD, server.seenFlags);
    EXPECT_EQ(0u, server.seenNamed);
    EXPECT_EQ(2u, server.seen.size());
    // The member statement calls a method and drops its result.
    server.ClearSeen();
    EXPECT_EQ(1u, in.Run("O.Record(4,5)"));
    EXPECT_EQ(DISPATCH_METHOD, server.seenFlags);
    EXPECT_EQ(0, in.Depth());
    // The walks worked on copies: only the variable's reference is left.
    EXPECT_EQ(2, server.refs);
  }
  EXPECT_EQ(1, server.refs);
}

TEST(DispatchMembers, FailuresLeaveTheStackAndTheTextRight) {
  TestServer server;
  Interpreter in;
  Put(in, "O", server);
  EXPECT_EQ("error 153", Eval(in, "O.Record().Self"));  // a LONG in the chain
  EXPECT_EQ("error 121", Eval(in, "O.Nothing"));
  EXPECT_EQ("error 112", Eval(in, "O.Record(1]"));
  EXPECT_EQ("error 112", Eval(in, "O.Record[1"));
  EXPECT_EQ(112u, Let(in, "O.Record(1)X=", "1"));

  // A server exception's description is left in $ERRTXT; a 151 without
  // one does not show the earlier text.
  EXPECT_EQ("error 151", Eval(in, "O.Self.Raise()"));
  EXPECT_EQ(kRaisedText, ErrorText());
  EXPECT_EQ("error 151", Eval(in, "O.Fail"));
  EXPECT_EQ("NULL:0", ErrorText());
  EXPECT_EQ(151u, Let(in, "O.Raise=", "1"));
  EXPECT_EQ(kRaisedText, ErrorText());
  EXPECT_EQ(0, in.Run("O.Fail(1)"));
  EXPECT_EQ(151u, in.GetError());
  EXPECT_EQ(0, in.Depth());
}

TEST(DispatchUsers, EveryHeldInterfaceIsOneComUser) {
  long base = ComUserCount();
  TestServer server;
  Interpreter in;
  Put(in, "O", server);
  ASSERT_EQ(0u, Exec(in, &Interpreter::ExecSet, "D=CreateObject(\"Scripting.Dictionary\")"));
  EXPECT_EQ(base + 1, ComUserCount());
  // A second SET gives the first object back before it counts the new one.
  ASSERT_EQ(0u, Exec(in, &Interpreter::ExecSet, "D=CreateObject(\"Scripting.Dictionary\")"));
  EXPECT_EQ(base + 1, ComUserCount());

  // A copy counts one more; storing over a copy gives its count back.
  EXPECT_EQ(0u, Let(in, "K", "D"));
  EXPECT_EQ(0u, Let(in, "K", "K"));
  EXPECT_EQ(base + 2, ComUserCount());
  EXPECT_EQ(0u, Let(in, "C", "D"));
  EXPECT_EQ(0u, Let(in, "C", "1"));
  EXPECT_EQ(base + 2, ComUserCount());
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecLet, "\"L\",\"D\"=D"));
  EXPECT_EQ(base + 3, ComUserCount());
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecErase, "L"));
  EXPECT_EQ(base + 2, ComUserCount());

  // A member's DISPATCH result kept with SET counts, and ERASE gives it back.
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecSet, "S=O.Self"));
  EXPECT_EQ(base + 3, ComUserCount());
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecErase, "S"));
  EXPECT_EQ(base + 2, ComUserCount());

  // An empty DISPATCH (DIM DISPATCH) was never counted: erasing it must not
  // uninitialise COM under D and K.
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecDim, "DISPATCH Z"));
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecErase, "Z"));
  EXPECT_EQ(base + 2, ComUserCount());

  // Erasing the original leaves the copy working.
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecErase, "D"));
  EXPECT_EQ(base + 1, ComUserCount());
  EXPECT_EQ(0u, Let(in, "K.Item[\"a\"]=", "5"));
  EXPECT_EQ("LONG:5", Eval(in, "K.Item[\"a\"]"));
  EXPECT_EQ(0u, Exec(in, &Interpreter::ExecDim, "K"));
  EXPECT_EQ(base, ComUserCount());
}

}  // namespace
