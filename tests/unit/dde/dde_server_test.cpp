// The DDE server in this process: a frame and script windows of the host's
// own classes, a raw client window beside them, messages pumped here. What
// the management library never sends, and what only shows inside the
// server (link counters, freed blocks, the order of posts).
#include <gtest/gtest.h>

#include <dde.h>

#include <future>
#include <string>

#include "dde_conversations.h"
#include "dde_message.h"
#include "dde_server.h"
#include "dialog_probe.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "in_process_server.h"
#include "raw_dde_client.h"
#include "script_run.h"
#include "value_editor.h"
#include "window_interpreter.h"

using dde_test::DdeMessage;
using dde_test::MakeBlock;
using dde_test::MakeTextBlock;
using dde_test::Pump;
using dde_test::RawDdeClient;
using host_test::AnswerDialog;

namespace {

const char kScript[] =
    "REM WINDOW,HIDE\r\n"
    "X = 5\r\n"
    "Y = 1\r\n"
    "S = \"s\"\r\n"
    "DIM LONG A(3,2)\r\n"
    "DIM LONG AMOUNTS(13,1235)\r\n"
    "END\r\n";

class DdeServer : public dde_test::InProcessServer {
 protected:
  void SetUp() override {
    StartServer("ddein1.bas", kScript, "AMOUNTS(0,0)");
    ASSERT_EQ(client.Initiate(FrameWindow, "KORVEX", "DDEIN1"), window);
  }

  // The status of the next ACK, with the atom or block it hands back.
  UINT_PTR Ack(UINT_PTR* value = nullptr) {
    DdeMessage ack{};
    if (!client.Next(WM_DDE_ACK, ack)) return 0xDEAD;
    EXPECT_EQ(ack.from, window);
    if (value) *value = ack.high;
    return ack.low;
  }

  RawDdeClient client;
};

TEST_F(DdeServer, OneConversationAClientAndAtomsOfItsOwn) {
  // The answer's atoms were deleted by the client: the server's own live on.
  char name[64];
  EXPECT_GT(GlobalGetAtomNameA(DdeServiceAtom(), name, sizeof name), 0u);
  EXPECT_GT(GlobalGetAtomNameA(InterpreterOf(window)->TopicAtom, name, sizeof name), 0u);
  EXPECT_STREQ(name, "DDEIN1");
  // No second conversation for the same client.
  EXPECT_EQ(client.Initiate(FrameWindow, "KORVEX", "DDEIN1"), nullptr);
  RawDdeClient other;
  EXPECT_EQ(other.Initiate(FrameWindow, "KORVEX", "NOSUCH"), nullptr);
  EXPECT_EQ(other.Initiate(FrameWindow, nullptr, "DDEIN1"), nullptr);
  EXPECT_EQ(other.Initiate(FrameWindow, "KORVEX", nullptr), nullptr);
  EXPECT_EQ(other.Initiate(FrameWindow, "OTHERSVC", "DDEIN1"), nullptr);
  EXPECT_EQ(other.Initiate(FrameWindow, "korvex", "ddein1"), window);
  // A conversation ended by the client can begin again.
  client.Terminate(window);
  DdeMessage terminate{};
  ASSERT_TRUE(client.Next(WM_DDE_TERMINATE, terminate));
  EXPECT_EQ(terminate.from, window);
  EXPECT_EQ(client.Initiate(FrameWindow, "KORVEX", "DDEIN1"), window);
}

TEST_F(DdeServer, LinksCountOncePerConversationAndStopAt255) {
  client.Advise(window, "X", false, false);
  EXPECT_EQ(Ack(), kAckPositive);
  client.Advise(window, "X", true, false);  // the same link, now warm
  EXPECT_EQ(Ack(), kAckPositive);
  EXPECT_EQ(Variable("X")->links, 1);
  EXPECT_TRUE(IsAdvised(window));

  RawDdeClient other;
  ASSERT_EQ(other.Initiate(FrameWindow, "KORVEX", "DDEIN1"), window);
  VARIABLE* x = Variable("X");
  while (x->links < 255) x->Link(1);
  other.Advise(window, "X", false, false);
  DdeMessage ack{};
  ASSERT_TRUE(other.Next(WM_DDE_ACK, ack));
  EXPECT_EQ(ack.low, kAckNegative) << "a 256th link would wrap the counter to 0";
  EXPECT_EQ(x->links, 255);
  while (x->links > 1) x->Link(0);

  ATOM item = GlobalAddAtomA("X");
  client.Unadvise(window, 0);  // "all items" is not served
  EXPECT_EQ(Ack(), kAckNegative);
  client.Unadvise(window, item);
  UINT_PTR atom = 0;
  EXPECT_EQ(Ack(&atom), kAckPositive);
  EXPECT_EQ(atom, item);
  EXPECT_EQ(x->links, 0);
  EXPECT_FALSE(IsAdvised(window));
  client.Unadvise(window, item);
  EXPECT_EQ(Ack(), kAckNegative);
}

TEST_F(DdeServer, BadAdvisesAreRefusedAndMakeNothing) {
  for (const char* item : {"A(", "A(x)", "A(-1)", "A(1,2,3)", "A(3,0)", "A(0,2)", "NOPE"}) {
    client.Advise(window, item, false, false);
    EXPECT_EQ(Ack(), kAckNegative) << item;
  }
  EXPECT_EQ(Variable("NOPE"), nullptr);
  EXPECT_EQ(InterpreterOf(window)->Variables().Find("A("), nullptr);

  // Blocks that Wine would not post: handed to the window directly.
  const char shortOptions[2] = {0, 0};
  HGLOBAL small = MakeBlock(shortOptions, sizeof shortOptions);
  client.SendAdvise(window, small, GlobalAddAtomA("X"));
  EXPECT_EQ(Ack(), kAckNegative);
  EXPECT_NE(GlobalFlags(small), GMEM_INVALID_HANDLE) << "a refused block stays the client's";
  client.SendAdvise(window, nullptr, GlobalAddAtomA("X"));
  EXPECT_EQ(Ack(), kAckNegative);
  HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, 4);
  GlobalDiscard(discarded);  // a handle that cannot be locked
  client.SendAdvise(window, discarded, GlobalAddAtomA("X"));
  EXPECT_EQ(Ack(), kAckNegative);
  DDEADVISE options = {};
  client.SendAdvise(window, MakeBlock(&options, sizeof options), 0);
  EXPECT_EQ(Ack(), kAckNegative);
  EXPECT_EQ(Variable("X")->links, 0);
  EXPECT_EQ(Variable("X")->links, 0);

  // Item names are read whole, as requests read them.
  client.Advise(window, "AMOUNTS(12,1234)", false, false);
  EXPECT_EQ(Ack(), kAckPositive);
  EXPECT_EQ(Variable("AMOUNTS(12,1234)")->links, 1);
}

TEST_F(DdeServer, DataFollowStoresAndRefusedBlocksAreFreed) {
  client.Advise(window, "X", false, true);
  EXPECT_EQ(Ack(), kAckPositive);
  client.Advise(window, "Y", true, false);
  EXPECT_EQ(Ack(), kAckPositive);

  client.Execute(window, MakeTextBlock("[X=7][Y=8]"));
  // The command's ACK comes before the data of its stores.
  std::vector<DdeMessage> got;
  host_test::PumpUntil([&] { return (got = client.Pending()).size() >= 3; }, 3000);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].message, static_cast<UINT>(WM_DDE_ACK));
  EXPECT_EQ(got[0].low, kAckPositive);
  EXPECT_EQ(got[1].message, static_cast<UINT>(WM_DDE_DATA));
  WORD flags = 0;
  HGLOBAL block = reinterpret_cast<HGLOBAL>(got[1].low);
  EXPECT_EQ(RawDdeClient::DataText(block, &flags), "7");
  EXPECT_EQ(flags, kDataRelease | kDataAckRequested);
  EXPECT_EQ(got[2].message, static_cast<UINT>(WM_DDE_DATA));
  EXPECT_EQ(got[2].low, 0u) << "a warm link gets no data";
  client.Clear();
}

TEST_F(DdeServer, ClientsAckOfDataFreesOnlyARefusedBlock) {
  // What a store posting with fAckReq keeps until the client answers.
  HGLOBAL refused = MakeDataBlock("7", kDataRelease | kDataAckRequested);
  HGLOBAL taken = MakeDataBlock("8", kDataRelease | kDataAckRequested);
  ATOM item = GlobalAddAtomA("ACKITEM");
  AddPendingData(client.Window(), item, refused);
  AddPendingData(client.Window(), item, taken);
  PostMessageA(window, WM_DDE_ACK, reinterpret_cast<WPARAM>(client.Window()),
               PackDDElParam(WM_DDE_ACK, kAckNegative, GlobalAddAtomA("ACKITEM")));
  PostMessageA(window, WM_DDE_ACK, reinterpret_cast<WPARAM>(client.Window()),
               PackDDElParam(WM_DDE_ACK, kAckPositive, GlobalAddAtomA("ACKITEM")));
  Pump(100);
  EXPECT_EQ(GlobalFlags(refused), GMEM_INVALID_HANDLE);
  EXPECT_NE(GlobalFlags(taken), GMEM_INVALID_HANDLE) << "an accepted block is the client's";
  GlobalFree(taken);
  // Each ACK's atom reference was deleted: only this test's own is left.
  EXPECT_EQ(GlobalDeleteAtom(item), 0);
  EXPECT_EQ(GlobalFindAtomA("ACKITEM"), 0);
}

TEST_F(DdeServer, RequestsAndCommandsAnswerEveryBlock) {
  client.Request(window, "A(1)");
  DdeMessage data{};
  ASSERT_TRUE(client.Next(WM_DDE_DATA, data));
  WORD flags = 0;
  EXPECT_EQ(RawDdeClient::DataText(reinterpret_cast<HGLOBAL>(data.low), &flags), "0");
  EXPECT_EQ(flags, kDataResponse | kDataRelease);
  client.Request(window, "A(1,2)");
  EXPECT_EQ(Ack(), kAckNegative);

  client.SendExecute(window, nullptr);
  EXPECT_EQ(Ack(), kAckNegative);
  // A block without its NUL is read to its end; the ACK hands it back.
  HGLOBAL exact = MakeBlock("[X=6]", 5);
  client.Execute(window, exact);
  UINT_PTR handed = 0;
  EXPECT_EQ(Ack(&handed), kAckPositive);
  EXPECT_EQ(handed, reinterpret_cast<UINT_PTR>(exact));
  EXPECT_EQ(Variable("X")->lng, 6);

  // A command failing as it runs shows the error dialog (without the
  // script's lines: the command is no line of it), then is refused.
  auto answer = std::async(std::launch::async, [] { return AnswerDialog(nullptr, IDOK); });
  client.Execute(window, MakeTextBlock("[X=1/0]"));
  EXPECT_EQ(Ack(), kAckNegative);
  host_test::DialogView view = answer.get();
  EXPECT_TRUE(view.window);
  EXPECT_FALSE(view.message.empty());
  EXPECT_TRUE(view.lines.empty());
  EXPECT_EQ(Variable("X")->lng, 6);

  RawDdeClient stranger;  // no conversation: nothing runs
  stranger.Execute(window, MakeTextBlock("[X=2]"));
  DdeMessage ack{};
  ASSERT_TRUE(stranger.Next(WM_DDE_ACK, ack));
  EXPECT_EQ(ack.low, kAckNegative);
  EXPECT_EQ(Variable("X")->lng, 6);
}

TEST_F(DdeServer, EditedLinkedValuesAreSentOnce) {
  client.Advise(window, "S", false, false);
  EXPECT_EQ(Ack(), kAckPositive);
  client.Advise(window, "Y", false, false);
  EXPECT_EQ(Ack(), kAckPositive);
  gui::BoxWatcher watcher({IDOK});
  EXPECT_EQ(EditValue(hInst, window, *Variable("S")), 1);
  EXPECT_EQ(EditValue(hInst, window, *Variable("Y")), 1);
  Pump(200);
  std::vector<DdeMessage> got = client.Pending();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(RawDdeClient::DataText(reinterpret_cast<HGLOBAL>(got[0].low)), "s");
  EXPECT_EQ(RawDdeClient::DataText(reinterpret_cast<HGLOBAL>(got[1].low)), "1");
}

TEST_F(DdeServer, AClosingWindowEndsItsConversations) {
  client.Advise(window, "X", false, false);
  EXPECT_EQ(Ack(), kAckPositive);
  SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  DdeMessage terminate{};
  ASSERT_TRUE(client.Next(WM_DDE_TERMINATE, terminate));
  EXPECT_EQ(terminate.from, window);
  EXPECT_FALSE(IsAdvised(window));
}

// How long the server's end (as the frame's end runs it) takes with the
// one client of the fixture, which answers TERMINATE or not; the client
// got its TERMINATE from the window it talks to.
DWORD ShutdownTime(HWND window, RawDdeClient& client, bool answering) {
  client.answerTerminate = answering;
  client.Advise(window, "X", false, false);
  DdeMessage ack{};
  EXPECT_TRUE(client.Next(WM_DDE_ACK, ack));
  DWORD started = GetTickCount();
  DdeShutdown(FrameWindow);
  DWORD took = GetTickCount() - started;
  EXPECT_EQ(DdeServiceAtom(), 0);
  DdeMessage terminate{};
  EXPECT_TRUE(client.Next(WM_DDE_TERMINATE, terminate));
  EXPECT_EQ(terminate.from, window);
  return took;
}

TEST_F(DdeServer, ShutdownWaitsASecondForASilentClient) {
  EXPECT_GE(ShutdownTime(window, client, false), 900u);
  EXPECT_FALSE(IsAdvised(window));
}

TEST_F(DdeServer, ShutdownEndsItsWaitWhenTheClientAnswers) {
  EXPECT_LT(ShutdownTime(window, client, true), 500u);
}

}  // namespace
