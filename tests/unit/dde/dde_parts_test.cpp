// The server's text rules and records: item names, command texts, data
// blocks, and the release of a link whose variable may be gone.
#include <gtest/gtest.h>

#include <string>

#include "dde_command.h"
#include "dde_conversations.h"
#include "dde_item.h"
#include "dde_links.h"
#include "dde_message.h"
#include "raw_dde_client.h"
#include "shared_variables.h"
#include "window_interpreter.h"

namespace {

std::string Parsed(const char* item) {
  DdeItemName parsed;
  if (!ParseItemName(item, parsed)) return "refused";
  if (!parsed.element) return parsed.name;
  return std::string(parsed.name) + "(" + std::to_string(parsed.row) + "," +
         std::to_string(parsed.col) + ")";
}

TEST(DdeItems, NamesAndIndices) {
  EXPECT_EQ(Parsed("X"), "X");
  EXPECT_EQ(Parsed("$USER"), "$USER");
  EXPECT_EQ(Parsed("A(2,3)"), "A(2,3)");
  EXPECT_EQ(Parsed("A(2)"), "A(2,0)");
  EXPECT_EQ(Parsed("A( 2 , 3 )"), "A(2,3)");
  EXPECT_EQ(Parsed("AMOUNTS(12,1234)"), "AMOUNTS(12,1234)");
  EXPECT_EQ(Parsed("ABCDEFGHIJKL"), "ABCDEFGHI");  // nine characters kept
  for (const char* bad : {"", "(1)", "A(", "A()", "A(x)", "A(-1)", "A(+1)", "A(1,2,3)", "A(1,)",
                          "A(1)B", "A(1", "A(70000)"})
    EXPECT_EQ(Parsed(bad), "refused") << bad;
}

TEST(DdeItems, LookupsFindButNeverMake) {
  WindowInterpreter interpreter;
  VariableTable& table = interpreter.Variables();
  uint32_t error = 0;
  VARIABLE* x = table.FindOrCreate("X", error);
  ASSERT_TRUE(table.DeclareArray("A", 3, 4, VAL_STRING, error));
  DdeItemName item;
  ASSERT_TRUE(ParseItemName("X", item));
  EXPECT_EQ(FindItemVariable(table, item), x);
  ASSERT_TRUE(ParseItemName("A(2,3)", item));
  EXPECT_EQ(FindItemVariable(table, item), table.FindElement("A", 2, 3));
  for (const char* missing : {"A(3,0)", "A(0,4)", "NOPE", "A"}) {
    ASSERT_TRUE(ParseItemName(missing, item));
    EXPECT_EQ(FindItemVariable(table, item), nullptr) << missing;
  }
  EXPECT_EQ(table.Find("NOPE"), nullptr);
  // '$' names are the process's, not the window's.
  table.FindOrCreate("$DDEONLY", error);
  ASSERT_TRUE(ParseItemName("$DDEONLY", item));
  SharedVariablesGuard guard;
  EXPECT_EQ(FindItemVariable(table, item), nullptr);
}

std::string Cleaned(const std::string& text) {
  std::string cleaned;
  return CleanDdeCommand(text.data(), text.size(), cleaned) ? cleaned : "refused";
}

TEST(DdeCommands, CleanedIntoLines) {
  EXPECT_EQ(Cleaned("[X=5][Y = X+1]"), "X=5\nY=X+1\n");
  EXPECT_EQ(Cleaned("[S=\"a [b] (\"]"), "S=\"a [b] (\"\n");
  EXPECT_EQ(Cleaned("[X=(1+2)*3]"), "X=(1+2)*3\n");
  EXPECT_EQ(Cleaned("X=1"), "X=1");
  for (const char* bad : {"[X=(1]", "[S=\"abc]", "[X=1)(]", "[X=(1", "[X=(]"})
    EXPECT_EQ(Cleaned(bad), "refused") << bad;
  // Read up to the NUL or the block's end, whichever comes first.
  const char block[] = {'[', 'X', '=', '1', ']', '\0', '[', 'Y', '=', '(', ']'};
  std::string cleaned;
  ASSERT_TRUE(CleanDdeCommand(block, sizeof block, cleaned));
  EXPECT_EQ(cleaned, "X=1\n");
  ASSERT_TRUE(CleanDdeCommand("[X=1][Y=2]", 5, cleaned));
  EXPECT_EQ(cleaned, "X=1\n");
}

TEST(DdeData, BlocksAndValueTexts) {
  HGLOBAL block = MakeDataBlock("abc", kDataResponse | kDataRelease);
  ASSERT_TRUE(block);
  EXPECT_EQ(GlobalSize(block), 3u + 6u);
  WORD flags = 0;
  EXPECT_EQ(dde_test::RawDdeClient::DataText(block, &flags), "abc");
  EXPECT_EQ(flags, 0x3000);
  const WORD* words = static_cast<const WORD*>(GlobalLock(block));
  EXPECT_EQ(words[1], CF_TEXT);
  GlobalUnlock(block);
  GlobalFree(block);

  char text[kDdeValueTextSize];
  VARIABLE v;
  v = std::string(100, 'a').c_str();
  DdeValueText(v, text);
  EXPECT_EQ(std::string(text), std::string(64, 'a'));
  v.SetMoney(12345);  // the exact form keeps four decimals
  DdeValueText(v, text);
  EXPECT_EQ(std::string(text), "1.2345");
}

TEST(DdeLinks, ReleaseTouchesOnlyTheRecordTheItemStillNames) {
  WindowInterpreter interpreter;
  uint32_t error = 0;
  ASSERT_TRUE(interpreter.Variables().DeclareArray("A", 3, 1, VAL_LONG, error));
  VARIABLE* element = interpreter.Variables().FindElement("A", 2, 0);
  element->Link(1);
  DdeReleasedLink link{nullptr, element, GlobalAddAtomA("A(2)"), "A(2)"};
  ReleaseLink(&interpreter, link);
  EXPECT_EQ(element->links, 0);

  // The array went (ERASE) and the link's record with it: a record that
  // is not what the item names now is left alone.
  VARIABLE elsewhere;
  elsewhere.Link(1);
  DdeReleasedLink stale{nullptr, &elsewhere, GlobalAddAtomA("A(2)"), "A(2)"};
  ReleaseLink(&interpreter, stale);
  EXPECT_EQ(elsewhere.links, 1);
  ReleaseLink(nullptr, stale);  // the window is gone
  EXPECT_EQ(elsewhere.links, 1);
}

}  // namespace
