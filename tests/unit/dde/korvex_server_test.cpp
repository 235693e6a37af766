// korvex.exe as a DDE server, driven by the DDE management library in this
// process: items, commands, hot and warm links, the atoms it hands over
// and the end of a script with a live link.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ddeml_client.h"
#include "host_test_support.h"
#include "korvex_session.h"
#include "raw_dde_client.h"

using dde_test::DdemlClient;
using host_test::KorvexSession;

namespace {

const char kD1[] =
    "REM WINDOW\r\n"
    "X = 5\r\n"
    "DIM STRING A(3,4)\r\n"
    "A(2,3) = \"z\"\r\n"
    "A(2,0) = \"9\"\r\n"
    "M = STRING(100, \"a\")\r\n"
    "EVENT 40100, ADV\r\n"
    "COMMAND 40101, \"BREAK\"\r\n"
    "END\r\n"
    "ADV:\r\n"
    "WRITE ADVISE(0)\r\n"
    "WRITE TO FILE \"%OUT%\"\r\n"
    "END 1\r\n";

// The script's window can be there before its topic is served: a new
// korvex is asked until it answers.
HCONV ConnectOnceServed(DdemlClient& client, const char* topic) {
  HCONV conversation = nullptr;
  gui::WaitFor([&] { return (conversation = client.Connect("KORVEX", topic)) != nullptr; }, 10000);
  return conversation;
}

class KorvexServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(korvex.Start("d1.bas", kD1));
    ASSERT_TRUE(korvex.Script());
    conversation = ConnectOnceServed(client, "d1");
    ASSERT_TRUE(conversation);
  }

  // What the handler of 40100 writes: ADVISE(0) of the script.
  std::string Advised() {
    DeleteFileA(ResultPath().c_str());
    PostMessageA(korvex.Script(), WM_COMMAND, 40100, 0);
    return korvex.Result(5000);
  }

  std::string ResultPath() {
    return host_test::ScratchDirectory() + "d1.bas.result";
  }

  KorvexSession korvex;
  DdemlClient client;
  HCONV conversation = nullptr;
};

TEST_F(KorvexServer, ItemsAreScalarsElementsAndProcessVariables) {
  EXPECT_EQ(client.Request(conversation, "X"), "5");
  EXPECT_EQ(client.Request(conversation, "A(2,3)"), "z");
  EXPECT_EQ(client.Request(conversation, "A(2)"), "9");  // column 0
  char user[256] = "";
  DWORD size = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &size));
  EXPECT_EQ(client.Request(conversation, "$USER"), user);
  EXPECT_EQ(client.Request(conversation, "M"), std::string(64, 'a'));
  // Asking never makes a variable: the second request fails as the first.
  EXPECT_EQ(client.Request(conversation, "NOPE"), "<failed>");
  EXPECT_EQ(client.Request(conversation, "NOPE"), "<failed>");
  EXPECT_EQ(client.Request(conversation, "A(4,0)"), "<failed>");
  EXPECT_EQ(client.Request(conversation, "A(2,3"), "<failed>");

  DdemlClient other;  // a second instance is a second client
  EXPECT_FALSE(other.Connect("KORVEX", "OTHER"));
  EXPECT_FALSE(other.Connect(nullptr, "d1"));
}

TEST_F(KorvexServer, CommandsRunInTheScriptWindow) {
  EXPECT_TRUE(client.Execute(conversation, "[X=5][Y = X+1]"));
  EXPECT_EQ(client.Request(conversation, "Y"), "6");
  EXPECT_TRUE(client.Execute(conversation, "[S=\"a b\"]"));
  EXPECT_EQ(client.Request(conversation, "S"), "a b");
  // Unbalanced parentheses or quotes run nothing.
  EXPECT_FALSE(client.Execute(conversation, "[X=(1]"));
  EXPECT_FALSE(client.Execute(conversation, "[S=\"abc]"));
  EXPECT_FALSE(client.Execute(conversation, "[X=1)(]"));
  EXPECT_EQ(client.Request(conversation, "X"), "5");
}

TEST_F(KorvexServer, HotAndWarmLinksFollowEveryStore) {
  ASSERT_TRUE(client.AdviseStart(conversation, "X"));
  ASSERT_TRUE(client.Execute(conversation, "[X=7]"));
  ASSERT_TRUE(client.WaitForData(1));
  EXPECT_EQ(client.data[0].item, "X");
  EXPECT_FALSE(client.data[0].null);
  EXPECT_EQ(client.data[0].text, "7");

  ASSERT_TRUE(client.Execute(conversation, "[Y=1]"));
  ASSERT_TRUE(client.AdviseStart(conversation, "Y", XTYPF_NODATA));
  ASSERT_TRUE(client.Execute(conversation, "[Y=8]"));
  ASSERT_TRUE(client.WaitForData(2));
  EXPECT_EQ(client.data[1].item, "Y");
  EXPECT_TRUE(client.data[1].null);
  EXPECT_EQ(Advised(), "TRUE\r\n");

  EXPECT_TRUE(client.AdviseStop(conversation, "X"));
  EXPECT_TRUE(client.AdviseStop(conversation, "Y"));
  ASSERT_TRUE(client.Execute(conversation, "[X=9]"));
  EXPECT_FALSE(client.WaitForData(3, 500));
  EXPECT_EQ(Advised(), "FALSE\r\n");
}

TEST_F(KorvexServer, AtomsOutliveConnectionsAndTheScriptsEndDisconnects) {
  ASSERT_TRUE(client.Disconnect(conversation));
  for (int round = 0; round < 3; ++round) {
    HCONV c = client.Connect("KORVEX", "d1");
    ASSERT_TRUE(c) << round;
    EXPECT_EQ(client.Request(c, "X"), "5");
    EXPECT_TRUE(client.Disconnect(c));
    EXPECT_NE(GlobalFindAtomA("KORVEX"), 0) << round;
    EXPECT_NE(GlobalFindAtomA("D1"), 0) << round;
  }
  conversation = client.Connect("KORVEX", "d1");
  ASSERT_TRUE(conversation);
  ASSERT_TRUE(client.AdviseStart(conversation, "X"));
  PostMessageA(korvex.Script(), WM_COMMAND, 40101, 0);
  EXPECT_TRUE(client.WaitForDisconnect(conversation));
  EXPECT_EQ(korvex.Program().WaitExit(10000), 0u);
}

// QUIT from a client's command closes the frame; the script's close handler
// stops it, and the window and korvex end once the command is done.
TEST(KorvexServerQuit, QuitCommandEndsAScriptWhoseCloseHandlerBreaks) {
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start("d8.bas",
                           "REM WINDOW\r\nEVENT 1005, CLOSING\r\nEND\r\n"
                           "CLOSING:\r\nBREAK\r\n"));
  ASSERT_TRUE(korvex.Script());
  DdemlClient client;
  HCONV conversation = ConnectOnceServed(client, "d8");
  ASSERT_TRUE(conversation);
  EXPECT_TRUE(client.Execute(conversation, "[QUIT]"));
  EXPECT_EQ(korvex.Program().WaitExit(10000), 0u);
}

}  // namespace
