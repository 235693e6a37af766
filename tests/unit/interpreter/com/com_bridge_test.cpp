// Conversions, failures, reference counts and threads, with a server of
// our own that records what it receives.
#include <gtest/gtest.h>

#include <functional>

#include "com_bridge.h"
#include "com_test_support.h"

namespace {

class Bridge : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(1, AddDispatchUser()); }
  void TearDown() override {
    VARIABLE user;
    user.TYPE(VAL_DISPATCH);
    ReleaseDispatch(user);
  }
};

DWORD WINAPI RunBody(void* body) {
  (*static_cast<std::function<void()>*>(body))();
  return 0;
}

// Runs body on a thread of its own and waits for it.
void OnThread(std::function<void()> body) {
  HANDLE thread = CreateThread(nullptr, 0, RunBody, &body, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

// Whether COM is initialised on this thread (the probe is balanced).
bool ComInitialised() {
  HRESULT result = CoInitialize(nullptr);
  CoUninitialize();
  return result == S_FALSE;
}

TEST_F(Bridge, ArgumentsAsVariants) {
  TestServer server;
  VARIABLE object = Hold(&server);
  VARIABLE money, flag, none, text, noText, guid;
  money.SetMoney(-123456);
  flag.SetBool(7);
  text = "Привет";
  noText.TYPE(VAL_STRING);
  guid.TYPE(VAL_GUID);
  VARIABLE args[] = {Long(-5), VARIABLE(money), VARIABLE(flag), VARIABLE(none), VARIABLE(text),
                     VARIABLE(noText), VARIABLE(object), VARIABLE(guid)};
  VARIABLE result;
  ASSERT_EQ(0u, InvokeMember(object, "Record", kDispatchMethod, args, 8, result, nullptr));
  EXPECT_EQ(8, result.lng);
  ASSERT_EQ(8u, server.seen.size());
  // Invoke's order: the last argument first.
  const std::vector<VARIANT>& seen = server.seen;
  EXPECT_EQ(VT_EMPTY, seen[0].vt);  // GUID: no conversion
  EXPECT_EQ(VT_DISPATCH, seen[1].vt);
  EXPECT_EQ(&server, seen[1].pdispVal);
  EXPECT_EQ(VT_BSTR, seen[2].vt);
  EXPECT_EQ(nullptr, seen[2].bstrVal);
  EXPECT_STREQ(L"Привет", seen[3].bstrVal);
  EXPECT_EQ(VT_ERROR, seen[4].vt);
  EXPECT_EQ(DISP_E_PARAMNOTFOUND, seen[4].scode);
  EXPECT_EQ(VT_BOOL, seen[5].vt);
  EXPECT_EQ(VARIANT_TRUE, seen[5].boolVal);
  EXPECT_EQ(VT_CY, seen[6].vt);
  EXPECT_EQ(-123456, seen[6].cyVal.int64);
  EXPECT_EQ(VT_I4, seen[7].vt);
  EXPECT_EQ(-5, seen[7].lVal);
  EXPECT_EQ(kDispatchMethod, server.seenFlags);
  EXPECT_EQ(0u, server.seenNamed);

  // A put names its last argument, the value.
  server.seen.clear();
  ASSERT_EQ(0u, InvokeMember(object, "Record", kDispatchPut, args, 2, result, nullptr));
  EXPECT_EQ(kDispatchPut, server.seenFlags);
  EXPECT_EQ(1u, server.seenNamed);
  EXPECT_EQ(DISPID_PROPERTYPUT, server.seenNamedId);
}

TEST_F(Bridge, ArgumentsByReference) {
  TestServer server;
  VARIABLE object = Hold(&server);
  VARIABLE number = Long(21);
  VARIABLE pointer = number.MakePointer();
  VARIABLE outer = pointer.MakePointer();  // chains are followed
  VARIABLE result;
  ASSERT_EQ(0u, InvokeMember(object, "Double", kDispatchMethod, &outer, 1, result, nullptr));
  EXPECT_EQ(42, number.lng);

  // A text by reference: the server reads it and replaces it within the
  // call; the script's variable keeps its text.
  VARIABLE text = Text("старое");
  VARIABLE textPointer = text.MakePointer();
  ASSERT_EQ(0u, InvokeMember(object, "Append", kDispatchMethod, &textPointer, 1, result, nullptr));
  EXPECT_EQ(L"старое", server.seenText);
  EXPECT_EQ("старое", TextOf(text));

  // A loop of pointers, a null target or a target of another type: the
  // argument stays empty and the server refuses it.
  VARIABLE loop;
  loop.TYPE(VAL_POINTER);
  loop.target = &loop;
  VARIABLE empty;
  empty.TYPE(VAL_POINTER);
  VARIABLE flag;
  flag.SetBool(1);
  VARIABLE flagPointer = flag.MakePointer();
  VARIANT out;
  BSTR slot = nullptr;
  for (VARIABLE* bad : {&loop, &empty, &flagPointer}) {
    EXPECT_EQ(0, ToVariant(*bad, out, &slot));
    EXPECT_EQ(VT_EMPTY, out.vt);
    EXPECT_EQ(kComErrorVarType, InvokeMember(object, "Double", kDispatchMethod, bad, 1, result, nullptr));
  }
}

TEST_F(Bridge, FailuresAndExceptionText) {
  TestServer server;
  VARIABLE object = Hold(&server);
  VARIABLE errorText = Text("old");
  VARIABLE result = Long(9);
  EXPECT_EQ(kComErrorUnknown, InvokeMember(object, "Raise", kDispatchMethod, nullptr, 0, result, &errorText));
  EXPECT_EQ(kRaisedText, TextOf(errorText));
  EXPECT_EQ(VAL_NULL, result.type);
  // A 151 that is no server exception leaves no stale text behind.
  EXPECT_EQ(kComErrorUnknown, InvokeMember(object, "Fail", kDispatchMethod, nullptr, 0, result, &errorText));
  EXPECT_EQ(VAL_NULL, errorText.type);

  EXPECT_EQ(kComErrorNoName, InvokeMember(object, "Missing", kDispatchMethod, nullptr, 0, result, nullptr));
  VARIABLE noInterface;
  noInterface.TYPE(VAL_DISPATCH);
  EXPECT_EQ(kComErrorNoObject, InvokeMember(noInterface, "Self", kDispatchGet, nullptr, 0, result, nullptr));
  EXPECT_EQ(kComErrorNoObject, InvokeMember(object, "", kDispatchGet, nullptr, 0, result, nullptr));
  EXPECT_EQ(kComErrorNoObject, InvokeMember(Long(1), "Self", kDispatchGet, nullptr, 0, result, nullptr));
  std::string longName(65, 'x');
  EXPECT_EQ(kComErrorNoName, InvokeMember(object, longName.c_str(), kDispatchGet, nullptr, 0, result, nullptr));

  EXPECT_EQ(kComErrorArgCount, DispatchErrorNumber(DISP_E_PARAMNOTOPTIONAL));
  EXPECT_EQ(kComErrorMemberKind, DispatchErrorNumber(DISP_E_MEMBERNOTFOUND));
  EXPECT_EQ(kComErrorBadType, DispatchErrorNumber(DISP_E_OVERFLOW));
  EXPECT_EQ(kComErrorNoParam, DispatchErrorNumber(DISP_E_PARAMNOTFOUND));
  EXPECT_EQ(kComErrorLocale, DispatchErrorNumber(DISP_E_UNKNOWNLCID));
  EXPECT_EQ(kComErrorUnknown, DispatchErrorNumber(E_OUTOFMEMORY));
}

TEST_F(Bridge, StackCallsPopTheirArguments) {
  TestServer server;
  VARIABLE object = Hold(&server);
  ValueStack stack(64);
  stack.PushLong(100);  // not an argument
  stack.PushLong(1);
  stack.PushString("two");
  EXPECT_EQ(0u, CallDispatch(stack, object, "Record", 2, kDispatchMethod, nullptr));
  ASSERT_EQ(2, stack.Top());
  EXPECT_EQ(2, stack.Pop()->lng);  // Record's result: its argument count
  EXPECT_EQ(L"two", std::wstring(server.seen[0].bstrVal));

  stack.PushLong(1);
  EXPECT_EQ(kComErrorNoName, CallDispatch(stack, object, "Missing", 1, kDispatchMethod, nullptr));
  EXPECT_EQ(1, stack.Top());  // argument popped, nothing pushed
  EXPECT_EQ(kComErrorUnknown, CallDispatch(stack, object, "Fail", 0, kDispatchMethod, nullptr));
  ASSERT_EQ(2, stack.Top());
  EXPECT_EQ(VAL_NULL, stack.Pop()->type);  // NULL for a failed Invoke
  EXPECT_EQ(kComErrorArgCount, CallDispatch(stack, object, "Record", 5, kDispatchMethod, nullptr));
  EXPECT_EQ(1, stack.Top());
}

TEST_F(Bridge, ReferenceCounts) {
  TestServer server;
  {
    VARIABLE object = Hold(&server);
    EXPECT_EQ(2, server.refs);
    {
      VARIABLE copy(object);  // copies take their own reference
      EXPECT_EQ(3, server.refs);
      VARIABLE result;
      // The argument VARIANT's reference is its own: clearing it after the
      // call leaves the script value's reference alone.
      ASSERT_EQ(0u, InvokeMember(object, "Record", kDispatchMethod, &copy, 1, result, nullptr));
      EXPECT_EQ(4, server.refs);  // the recorded copy of the argument
      server.ClearSeen();
      EXPECT_EQ(3, server.refs);
      // A DISPATCH result holds exactly one reference.
      ASSERT_EQ(0u, InvokeMember(object, "Self", kDispatchGet, nullptr, 0, result, nullptr));
      EXPECT_EQ(4, server.refs);
      result.TYPE(VAL_LONG);  // retyping releases it
      EXPECT_EQ(3, server.refs);
      ValueStack stack(8);
      ASSERT_EQ(0u, CallDispatch(stack, object, "Self", 0, kDispatchGet, nullptr));
      EXPECT_EQ(4, server.refs);
    }
    EXPECT_EQ(2, server.refs);
    // A real server keeps our object and gives it back.
    VARIABLE d;
    ASSERT_EQ(1, CreateObject("Scripting.Dictionary", d));
    VARIABLE args[] = {Text("k"), VARIABLE(object)};
    VARIABLE result;
    ASSERT_EQ(0u, InvokeMember(d, "Add", kDispatchMethod, args, 2, result, nullptr));
    EXPECT_EQ(4, server.refs);  // object, args[1] and the dictionary
    ASSERT_EQ(0u, InvokeMember(d, "Item", kDispatchGet, args, 1, result, nullptr));
    EXPECT_EQ(VAL_DISPATCH, result.type);
    EXPECT_EQ(5, server.refs);
    ReleaseDispatch(result);
    EXPECT_EQ(4, server.refs);
    // The created object holds one reference, no more.
    EXPECT_EQ(2u, d.dispatch.pointer->AddRef());
    EXPECT_EQ(1u, d.dispatch.pointer->Release());
    ASSERT_EQ(0u, InvokeMember(d, "RemoveAll", kDispatchMethod, nullptr, 0, result, nullptr));
    EXPECT_EQ(3, server.refs);
  }
  EXPECT_EQ(1, server.refs);
}

TEST(ComUsers, CreateObjectOnAnotherThread) {
  long here = ComUserCount();
  OnThread([] {
    EXPECT_FALSE(ComInitialised());
    VARIABLE d, e;
    ASSERT_EQ(1, CreateObject("Scripting.Dictionary", d));
    ASSERT_EQ(1, CreateObject("Scripting.Dictionary", e));
    EXPECT_EQ(2, ComUserCount());
    VARIABLE result;
    VARIABLE args[] = {Text("k"), Long(1)};
    EXPECT_EQ(0u, InvokeMember(d, "Add", kDispatchMethod, args, 2, result, nullptr));
    ReleaseDispatch(d);
    EXPECT_EQ(VAL_NULL, d.type);
    EXPECT_TRUE(ComInitialised());  // e still holds COM here
    ReleaseDispatch(e);
    EXPECT_EQ(0, ComUserCount());
    EXPECT_FALSE(ComInitialised());
  });
  EXPECT_EQ(here, ComUserCount());  // counted on the other thread only
}

TEST(ComUsers, AlreadyInitialisedThreadStaysBalanced) {
  OnThread([] {
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    VARIABLE d;
    ASSERT_EQ(1, CreateObject("Scripting.Dictionary", d));  // CoInitialize gives S_FALSE
    ReleaseDispatch(d);
    EXPECT_TRUE(ComInitialised());  // the thread's own initialisation remains
    CoUninitialize();
    EXPECT_FALSE(ComInitialised());
  });
}

TEST(ComUsers, FailedCreationsCountNothing) {
  OnThread([] {
    VARIABLE value = Long(3);
    EXPECT_EQ(0, CreateObject("Korvex.NoSuchClass", value));
    EXPECT_EQ(0, CreateObject("", value));
    EXPECT_EQ(0, CreateObject(nullptr, value));
    EXPECT_EQ(0, CreateObject(std::string(80, 'A').c_str(), value));
    EXPECT_EQ(3, value.lng);
    EXPECT_EQ(0, ComUserCount());
    EXPECT_FALSE(ComInitialised());
    // Releasing on a thread that counted nothing stays at 0.
    VARIABLE other;
    other.TYPE(VAL_DISPATCH);
    ReleaseDispatch(other);
    EXPECT_EQ(0, ComUserCount());
  });
}

}  // namespace
