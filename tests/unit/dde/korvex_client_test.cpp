// The DDE built-ins of scripts in korvex.exe: a second korvex as the
// server, and Wine's Program Manager (service and topic "Progman").
#include <gtest/gtest.h>

#include <string>

#include "ddeml_client.h"
#include "gui_driver.h"
#include "host_test_support.h"
#include "korvex_session.h"

using host_test::KorvexSession;

namespace {

TEST(KorvexClient, ConversationsOfAScriptThreadWithAnotherKorvex) {
  KorvexSession server;
  ASSERT_TRUE(server.Start("a7.bas", "REM WINDOW\r\nX = 5\r\nEND\r\n"));
  ASSERT_TRUE(server.Script());

  std::string result = host_test::ScratchDirectory() + "w7.bas.result";
  std::string b7 = host_test::WriteScript(
      "b7.bas",
      "C1 = DDEOPEN(\"KORVEX\", \"A7\")\r\n"
      "C2 = DDEOPEN(\"KORVEX\", \"A7\")\r\n"
      "S = DDERECEIVE(C1, \"X\")\r\n"
      "D = DDESEND(C2, \"[X=6]\")\r\n"
      "E = DDESEND(C2, \"[X=(]\")\r\n"
      "R = DDERECEIVE(C2, \"X\")\r\n"
      "Z = DDEOPEN(\"KORVEX\", \"NOSUCH\")\r\n"
      "T1 = DDECLOSE(C1)\r\n"
      "T2 = DDECLOSE(C2)\r\n"
      "T3 = DDECLOSE(Z)\r\n"
      "WRITE S, D, E, R, Z, T1, T2, T3\r\n"
      "WRITE TO FILE \"" + result + "\"\r\n");
  KorvexSession client;
  ASSERT_TRUE(client.Start("w7.bas", "REM WINDOW\r\nC0 = DDEOPEN(\"KORVEX\", \"A7\")\r\n"
                                     "RUN \"" + b7 + "\"\r\nEND\r\n"));
  EXPECT_EQ(client.Result(), "5\tTRUE\tFALSE\t6\t0\tFALSE\tFALSE\tTRUE\r\n");
}

// Progman answers a CreateGroup only after opening the group's folder, the
// first time through code that Wine has not yet run in that process: under
// emulation on a busy machine longer than a script's one-second transaction.
// One round here, with time enough, before the script's own.
void WarmUpProgramManager() {
  dde_test::DdemlClient client;
  HCONV progman = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] { return (progman = client.Connect("Progman", "Progman")) != nullptr; },
                           30000));
  EXPECT_TRUE(client.Execute(progman, "[CreateGroup(KVD6W)]", 60000));
  EXPECT_TRUE(client.Execute(progman, "[DeleteGroup(KVD6W)]", 60000));
  client.Disconnect(progman);
}

TEST(KorvexClient, ProgramManagerGroups) {
  ASSERT_NO_FATAL_FAILURE(WarmUpProgramManager());
  KorvexSession korvex;
  ASSERT_TRUE(korvex.Start(
      "d6.bas",
      "C = DDEOPEN(\"Progman\", \"Progman\")\r\n"
      "A = DDESEND(C, \"[CreateGroup(KVD6)]\")\r\n"
      "T1 = DDECLOSE(C)\r\n"
      "C = DDEOPEN(\"Progman\", \"Progman\")\r\n"
      "G = DDERECEIVE(C, \"Groups\")\r\n"
      "B = DDESEND(C, \"[DeleteGroup(KVD6)]\")\r\n"
      "T2 = DDECLOSE(C)\r\n"
      "WRITE A, T1, INSTR(G, \"KVD6\" & CHR(13)) > 0, B, T2\r\n"
      "WRITE TO FILE \"%OUT%\"\r\n"));
  EXPECT_EQ(korvex.Result(), "TRUE\tTRUE\tTRUE\tTRUE\tTRUE\r\n");
}

}  // namespace
