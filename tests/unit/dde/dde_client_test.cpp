// The scripts' DDE client against the server of this process: the client
// runs on worker threads (as script threads do) while this thread pumps
// the server's messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>

#include <future>
#include <string>
#include <thread>

#include "dde_client.h"
#include "dde_conversations.h"
#include "dialog_probe.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "in_process_server.h"
#include "script_run.h"
#include "window_interpreter.h"

using host_test::WhilePumping;

namespace {

class DdeClient : public dde_test::InProcessServer {
 protected:
  void SetUp() override { StartServer("ddein2.bas", "REM WINDOW,HIDE\r\nX = 5\r\nEND\r\n", "X"); }

  VARIABLE* X() { return Variable("X"); }
};

TEST_F(DdeClient, SendReceiveAndTheCountOfAThread) {
  std::string received, refused = "untouched";
  bool sent = false, badSent = true, lastClosed = false, closedTwice = true, zeroClosed = false,
       extraZero = true, notLast = true;
  ASSERT_TRUE(WhilePumping([&] {
    uint32_t c1 = DdeOpen("KORVEX", "DDEIN2");
    uint32_t c2 = DdeOpen("korvex", "ddein2");  // the same pair again
    uint32_t none = DdeOpen("KORVEX", "NOSUCH");
    EXPECT_NE(c1, 0u);
    EXPECT_NE(c2, 0u);
    EXPECT_EQ(none, 0u);
    DdeReceive(c1, "X", received);
    sent = DdeSend(c2, "[X=6]");
    badSent = DdeSend(c2, "[X=(]");  // refused by the server: no success
    DdeReceive(c2, "NOPE", refused);
    notLast = DdeClose(c1);
    closedTwice = DdeClose(c1);  // no count changes
    zeroClosed = !DdeClose(c2) && DdeClose(0);  // 0 pairs with the failed open
    extraZero = DdeClose(0);
    lastClosed = zeroClosed;
  }));
  EXPECT_EQ(received, "5");
  EXPECT_TRUE(sent);
  EXPECT_FALSE(badSent);
  EXPECT_EQ(refused, "untouched");
  EXPECT_FALSE(notLast);
  EXPECT_FALSE(closedTwice);
  EXPECT_TRUE(lastClosed);
  EXPECT_FALSE(extraZero);
  EXPECT_EQ(X()->lng, 6);
}

TEST_F(DdeClient, HandlesOfAnotherThreadAreRefused) {
  uint32_t mine = 0;
  bool otherSent = true, otherReceived = true, otherClosed = true, stillMine = false, closed = false;
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE tried = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(WhilePumping([&] {
    std::thread owner([&] {
      mine = DdeOpen("KORVEX", "DDEIN2");
      SetEvent(opened);
      WaitForSingleObject(tried, INFINITE);
      std::string text;
      stillMine = DdeReceive(mine, "X", text) && text == "5";
      closed = DdeClose(mine);
    });
    WaitForSingleObject(opened, INFINITE);
    std::string text;
    otherSent = DdeSend(mine, "[X=7]");
    otherReceived = DdeReceive(mine, "X", text);
    otherClosed = DdeClose(mine);
    SetEvent(tried);
    owner.join();
  }));
  CloseHandle(opened);
  CloseHandle(tried);
  EXPECT_NE(mine, 0u);
  EXPECT_FALSE(otherSent);
  EXPECT_FALSE(otherReceived);
  EXPECT_FALSE(otherClosed);
  EXPECT_TRUE(stillMine);
  EXPECT_TRUE(closed);
  EXPECT_EQ(X()->lng, 5);
}

TEST_F(DdeClient, AThreadEndingWithOpenConversationsEndsThem) {
  HWND clientWindow = nullptr;
  ASSERT_TRUE(WhilePumping([&] {
    uint32_t c = DdeOpen("KORVEX", "DDEIN2");
    CONVINFO info;
    memset(&info, 0, sizeof info);
    info.cb = sizeof info;
    if (DdeQueryConvInfo(reinterpret_cast<HCONV>(static_cast<uintptr_t>(c)), QID_SYNC, &info))
      clientWindow = info.hwnd;
    DdeClientThreadEnd();
  }));
  ASSERT_TRUE(clientWindow);
  EXPECT_TRUE(host_test::PumpUntil([&] { return !HasConversation(clientWindow, window); }, 2000));
}

}  // namespace

namespace {

TEST_F(DdeClient, AConversationItsServerEndedStillCloses) {
  bool closed = false;
  ASSERT_TRUE(WhilePumping([&] {
    uint32_t c = DdeOpen("KORVEX", "DDEIN2");
    PostMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    gui::WaitFor([&] { return !IsWindow(window); }, 2000);
    closed = c && DdeClose(c);
  }));
  EXPECT_TRUE(closed);
}

}  // namespace

namespace {

// What a failing text stores: its error number, the error dialog answered.
uint32_t Failing(HWND window, const char* text) {
  auto answer = std::async(std::launch::async, [] { return host_test::AnswerDialog(nullptr, IDOK); });
  uint32_t error = RunTextInWindow(window, text);
  answer.get();
  return error;
}

TEST_F(DdeClient, BuiltinsCheckTheirArgumentsAndAnswerZeroConversations) {
  ASSERT_EQ(RunTextInWindow(window,
                            "A = DDESEND(0, \"[X=1]\")\nB = DDERECEIVE(0, \"X\")\n"
                            "V = ADVISE(0)\nZ = DDECLOSE(0)\n"),
            0u);
  WindowInterpreter* interpreter = InterpreterOf(window);
  for (const char* name : {"A", "V", "Z"}) {
    VARIABLE* v = interpreter->Variables().Find(name);
    ASSERT_TRUE(v) << name;
    EXPECT_EQ(v->type, VAL_BOOL) << name;
    EXPECT_EQ(v->lng, 0) << name;
  }
  EXPECT_EQ(interpreter->Variables().Find("B")->type, VAL_NULL);
  EXPECT_EQ(X()->lng, 5);

  EXPECT_EQ(Failing(window, "C = DDEOPEN(1, \"X\")\n"), 146u);
  EXPECT_EQ(Failing(window, "C = DDESEND(\"1\", \"X\")\n"), 146u);
  EXPECT_EQ(Failing(window, "C = DDECLOSE(1, 2)\n"), 122u);
  EXPECT_EQ(Failing(window, "C = DDERECEIVE(1)\n"), 122u);
}

}  // namespace
