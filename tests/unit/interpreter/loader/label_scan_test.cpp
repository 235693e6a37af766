#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "label_scan.h"
#include "loader_test_support.h"

namespace {

struct Labels {
  const char* text = nullptr;
  std::vector<std::pair<std::string, size_t>> found;  // name and offset behind ':'
};

int Receive(void* context, const char* name, const char* position) {
  Labels* labels = static_cast<Labels*>(context);
  std::string key(name, 8);
  for (const auto& l : labels->found)
    if (l.first == key) return 0;
  labels->found.emplace_back(key, static_cast<size_t>(position - labels->text));
  return 1;
}

Labels ScanText(const std::string& text, unsigned short expectedError = 0, size_t failedOffset = 0) {
  Labels labels;
  labels.text = text.c_str();
  const char* failedAt = nullptr;
  EXPECT_EQ(expectedError, ScanScriptLabels(text.c_str(), Receive, &labels, &failedAt)) << text;
  if (expectedError) {
    EXPECT_EQ(failedOffset, static_cast<size_t>(failedAt - text.c_str())) << text;
  }
  return labels;
}

using Found = std::vector<std::pair<std::string, size_t>>;

TEST(LabelScan, ColonEndingTheFirstWordOfALineDefinesALabel) {
  EXPECT_EQ((Found{{"L1      ", 3}, {"L2      ", 11}}), ScanText("L1:\nX=1\nL2:Y=2").found);
  EXPECT_EQ((Found{{"LONGLABE", 14}}), ScanText("LONGLABELNAME:").found);
  EXPECT_EQ((Found{{"\xCC\xE5\xF2\xEA\xE0   ", 6}}), ScanText("\xCC\xE5\xF2\xEA\xE0:X=1").found);
  // Case matters: two different labels.
  EXPECT_EQ(2u, ScanText("abc:\nABC:").found.size());
}

TEST(LabelScan, OtherColonsDefineNone) {
  EXPECT_TRUE(ScanText("X=\"a:b\"").found.empty());
  EXPECT_TRUE(ScanText("REM Note: x").found.empty());
  EXPECT_TRUE(ScanText("PRINT A:B").found.empty());
  EXPECT_TRUE(ScanText(":X").found.empty());
  EXPECT_TRUE(ScanText("L1:L2:").found.size() == 1);
  // Braces count everywhere, quotes included.
  EXPECT_EQ((Found{{"B       ", 9}}), ScanText("{\nA:\n}\nB:").found);
  EXPECT_TRUE(ScanText("X=\"{\"\nA:").found.empty());
  // Quotes start afresh on each line (verbatim text may leave one open).
  EXPECT_EQ(1u, ScanText("  say \"hi\nA:").found.size());
}

TEST(LabelScan, DuplicateNameStopsWithItsPosition) {
  Labels labels = ScanText("L1:\nX=1\nL1:\nL2:", 127, 11);
  EXPECT_EQ(1u, labels.found.size());
  ScanText("ABCDEFGH1:\nABCDEFGH2:", 127, 21);
}

TEST(LabelScan, WorksOnALoadedScript) {
  loader_test::Loaded r = loader_test::Load("  START :  X = 1\nREM Note: x\n' L9:\nEND:");
  ASSERT_TRUE(r.ok);
  Labels labels = ScanText(r.text);
  EXPECT_EQ((Found{{"START   ", 6}, {"END     ", r.text.size()}}), labels.found);
}

TEST(LabelScan, SubroutineHeaders) {
  EXPECT_EQ(1, IsSubroutineHeader("PROC(A,B)"));
  EXPECT_EQ(1, IsSubroutineHeader("proc()"));
  EXPECT_EQ(2, IsSubroutineHeader("Func(X)"));
  EXPECT_EQ(0, IsSubroutineHeader("PROC (A)"));
  EXPECT_EQ(0, IsSubroutineHeader("PRO"));
  EXPECT_EQ(0, IsSubroutineHeader(""));
  EXPECT_EQ(0, IsSubroutineHeader("X=1"));
}

}  // namespace
