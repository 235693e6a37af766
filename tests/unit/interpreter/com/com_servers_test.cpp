// The bridge against the Automation servers the system ships.
#include <gtest/gtest.h>

#include <string>

#include "com_bridge.h"
#include "com_test_support.h"

namespace {

// Keeps COM initialised on the test thread while the test's values live.
class Servers : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(1, AddDispatchUser()); }
  void TearDown() override {
    VARIABLE user;
    user.TYPE(VAL_DISPATCH);
    ReleaseDispatch(user);
  }

  // One member with the given arguments; the result, or NULL with error_.
  VARIABLE Call(const VARIABLE& object, const char* member, DispatchKind kind, std::vector<VARIABLE> args = {}) {
    VARIABLE result;
    error_ = InvokeMember(object, member, kind, args.data(), static_cast<int>(args.size()), result, &errorText_);
    return result;
  }
  VARIABLE Get(const VARIABLE& object, const char* member) { return Call(object, member, kDispatchGet); }

  unsigned error_ = 0;
  VARIABLE errorText_;
};

TEST_F(Servers, DictionaryMembers) {
  VARIABLE d;
  ASSERT_EQ(1, CreateObject("Scripting.Dictionary", d));
  Call(d, "Add", kDispatchMethod, {Text("a"), Long(1)});
  EXPECT_EQ(0u, error_);
  Call(d, "Add", kDispatchMethod, {Text("b"), Text("два")});
  EXPECT_EQ(0u, error_);
  VARIABLE count = Get(d, "Count");
  EXPECT_EQ(VAL_LONG, count.type);
  EXPECT_EQ(2, count.lng);
  VARIABLE exists = Call(d, "Exists", kDispatchMethod, {Text("b")});
  EXPECT_EQ(VAL_BOOL, exists.type);
  EXPECT_EQ(1, exists.lng);
  EXPECT_EQ(0, Call(d, "Exists", kDispatchMethod, {Text("z")}).lng);
  EXPECT_EQ("два", TextOf(Call(d, "Item", kDispatchGet, {Text("b")})));
  // d.Item["a"] = 5: the key, then the value named for the put.
  Call(d, "Item", kDispatchPut, {Text("a"), Long(5)});
  EXPECT_EQ(0u, error_);
  EXPECT_EQ(5, Call(d, "Item", kDispatchGet, {Text("a")}).lng);
  // Keys gives an array, which no value holds: the result stays NULL.
  VARIABLE keys = Call(d, "Keys", kDispatchMethod);
  EXPECT_EQ(0u, error_);
  EXPECT_EQ(VAL_NULL, keys.type);
}

TEST_F(Servers, DictionaryFailures) {
  VARIABLE d;
  ASSERT_EQ(1, CreateObject("Scripting.Dictionary", d));
  VARIABLE kept = Text("kept");
  EXPECT_EQ(kComErrorNoName, InvokeMember(d, "NoSuchMember", kDispatchGet, nullptr, 0, kept, nullptr));
  EXPECT_EQ("kept", TextOf(kept));  // nothing stored before Invoke
  Call(d, "Add", kDispatchMethod, {Text("only")});
  EXPECT_EQ(kComErrorArgCount, error_);
  Call(d, "Add", kDispatchMethod, {Text("k"), Long(1)});
  ASSERT_EQ(0u, error_);
  errorText_ = "stale";
  VARIABLE again = Call(d, "Add", kDispatchMethod, {Text("k"), Long(2)});
  EXPECT_EQ(kComErrorUnknown, error_);
  EXPECT_EQ(VAL_NULL, again.type);
  // The server's description, or NULL when it gives none: never an old or
  // empty text.
  if (errorText_.type != VAL_NULL) {
    EXPECT_NE("", TextOf(errorText_));
  }
  EXPECT_NE("stale", TextOf(errorText_));
}

TEST_F(Servers, FileSystemObjectWritesAndReadsBack) {
  char dir[MAX_PATH];
  ASSERT_NE(0u, GetTempPathA(sizeof dir, dir));
  std::string path = std::string(dir) + "korvex_com_test.txt";
  VARIABLE fso;
  ASSERT_EQ(1, CreateObject("Scripting.FileSystemObject", fso));
  VARIABLE out = Call(fso, "CreateTextFile", kDispatchMethod, {Text(path.c_str()), Long(1)});
  ASSERT_EQ(VAL_DISPATCH, out.type);
  Call(out, "WriteLine", kDispatchMethod, {Text("Строка один")});
  Call(out, "Write", kDispatchMethod, {Text("вторая")});
  Call(out, "Close", kDispatchMethod);
  EXPECT_EQ(0u, error_);
  EXPECT_EQ(1, Call(fso, "FileExists", kDispatchMethod, {Text(path.c_str())}).lng);
  VARIABLE in = Call(fso, "OpenTextFile", kDispatchMethod, {Text(path.c_str())});
  ASSERT_EQ(VAL_DISPATCH, in.type);
  EXPECT_EQ("Строка один", TextOf(Call(in, "ReadLine", kDispatchMethod)));
  EXPECT_EQ("вторая", TextOf(Call(in, "ReadAll", kDispatchMethod)));
  EXPECT_EQ(1, Get(in, "AtEndOfStream").lng);
  Call(in, "Close", kDispatchMethod);
  Call(fso, "DeleteFile", kDispatchMethod, {Text(path.c_str())});
  EXPECT_EQ(0, Call(fso, "FileExists", kDispatchMethod, {Text(path.c_str())}).lng);
}

TEST_F(Servers, RegExpMatchesThroughAChain) {
  VARIABLE re;
  ASSERT_EQ(1, CreateObject("VBScript.RegExp", re));
  Call(re, "Pattern", kDispatchPut, {Text("(\\d+)-(\\d+)")});
  Call(re, "Global", kDispatchPut, {[] { VARIABLE b; b.SetBool(1); return b; }()});
  ASSERT_EQ(0u, error_);
  EXPECT_EQ("(\\d+)-(\\d+)", TextOf(Get(re, "Pattern")));
  EXPECT_EQ(1, Call(re, "Test", kDispatchMethod, {Text("ab 12-34")}).lng);
  EXPECT_EQ(0, Call(re, "Test", kDispatchMethod, {Text("none")}).lng);

  // m = re.Execute("1-2 x 33-44"): then m.Count and m.Item[1].SubMatches.Item[0]
  // walked as the evaluator does, on the stack.
  ValueStack stack(64);
  stack.PushString("1-2 x 33-44");
  ASSERT_EQ(0u, CallDispatch(stack, re, "Execute", 1, kDispatchMethod, &errorText_));
  ASSERT_EQ(1, stack.Top());
  VARIABLE matches;
  matches.Assign(*stack.Pop());
  ASSERT_EQ(VAL_DISPATCH, matches.type);
  EXPECT_EQ(2, Get(matches, "Count").lng);
  VARIABLE copy;
  copy.Assign(matches);
  stack.PushLong(1);
  ASSERT_EQ(0u, CallDispatch(stack, copy, "Item", 1, kDispatchGet, &errorText_));
  copy.Assign(*stack.Pop());
  ASSERT_EQ(0u, CallDispatch(stack, copy, "SubMatches", 0, kDispatchGet, &errorText_));
  copy.Assign(*stack.Pop());
  stack.PushLong(0);
  ASSERT_EQ(0u, CallDispatch(stack, copy, "Item", 1, kDispatchGet, &errorText_));
  ASSERT_EQ(1, stack.Top());
  EXPECT_EQ("33", TextOf(*stack.Pop()));
}

TEST_F(Servers, DomDocumentPropertyChain) {
  VARIABLE doc;
  ASSERT_EQ(1, CreateObject("MSXML2.DOMDocument", doc));
  VARIABLE ok = Call(doc, "loadXML", kDispatchMethod, {Text("<a><b n=\"7\">текст</b><c/></a>")});
  ASSERT_EQ(VAL_BOOL, ok.type);
  EXPECT_EQ(1, ok.lng);
  VARIABLE root = Get(doc, "documentElement");
  EXPECT_EQ("a", TextOf(Get(root, "nodeName")));
  EXPECT_EQ(2, Get(Get(root, "childNodes"), "length").lng);
  EXPECT_EQ("текст", TextOf(Get(Get(root, "firstChild"), "text")));
  VARIABLE b = Call(doc, "selectSingleNode", kDispatchMethod, {Text("//b")});
  EXPECT_EQ("7", TextOf(Call(b, "getAttribute", kDispatchMethod, {Text("n")})));

  EXPECT_EQ(0, Call(doc, "loadXML", kDispatchMethod, {Text("<a>")}).lng);
  EXPECT_NE(0, Get(Get(doc, "parseError"), "errorCode").lng);
}

}  // namespace
