#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "label_scan.h"
#include "loader_test_support.h"

namespace {

using loader_test::Loaded;

const char* const kScripts[] = {
    "REM WINDOW\r\n"
    "DIM A(10), S\r\n"
    "FOR I = 1 TO 10 STEP 2   ' odd ones\r\n"
    "  A(I) = (I * 2) + F (I, \"x ' y\")\r\n"
    "NEXT\r\n"
    "CHAIN \"mut_inc.bas\"\r\n"
    "IF (A(1) > 2) AND NOT B THEN\r\n"
    "  S = \"long \" & _\r\n"
    "      \"text\"\r\n"
    "ELSE\r\n"
    "L1:  GOSUB L1 ; X = {1:2}\r\n"
    "ENDIF\r\n"
    "END 0\r\n",

    "A = 1 '' verbatim\r\n"
    "  kept  as ( is \"\r\n"
    "CHAIN \"mut_inc.bas\"\r\n"
    "''\r\n"
    "B = (2)\r\n",

    "EVENT 1001, SIZE\n"
    "SIZE: W = VARPTR(X) | ~ Y\n"
    "COMMAND 5, \"PRINT 1\"\n"
    "chain \"mut_self.bas\"\n"
    "ON N GOTO A1, B2\n"
    "\tPRINT \"\xCF\xF0\xE8\xE2\xE5\xF2\"\n",
};

// What every loaded text must look like (verbatim blocks aside: sources
// with '' are only checked for NUL bytes).
void ExpectNormalForm(const std::string& source, const std::string& text) {
  ASSERT_EQ(std::string::npos, text.find('\0'));
  if (source.find("''") != std::string::npos) return;
  size_t lineStart = 0;
  bool quotes = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    char c = i < text.size() ? text[i] : '\n';
    if (c == '\n') {
      if (i < text.size() || i > lineStart) {
        ASSERT_GE(i - lineStart, 2u) << text;
      }
      ASSERT_FALSE(quotes) << text;
      lineStart = i + 1;
      continue;
    }
    ASSERT_GE(static_cast<unsigned char>(c), 32) << text;
    if (c == '"') quotes = !quotes;
  }
}

int AcceptAll(void*, const char*, const char*) { return 1; }

std::string Mutate(const std::string& source, std::mt19937& random) {
  std::string s = source;
  switch (random() % 3) {
    case 0:  // truncated
      s.resize(random() % (s.size() + 1));
      break;
    case 1:  // a few bytes flipped, control and 1251 characters included
      for (unsigned n = 1 + random() % 4; n > 0 && !s.empty(); --n)
        s[random() % s.size()] = static_cast<char>(random() % 256);
      break;
    default: {  // a line duplicated
      std::vector<size_t> starts{0};
      for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '\n') starts.push_back(i + 1);
      size_t k = random() % starts.size();
      size_t end = k + 1 < starts.size() ? starts[k + 1] : s.size();
      s.insert(starts[k], s.substr(starts[k], end - starts[k]));
      break;
    }
  }
  return s;
}

TEST(LoaderMutation, DamagedSourcesLoadOrFailWithANumber) {
  loader_test::WriteScript("mut_inc.bas", "INC = (1)\r\nCHAIN \"mut_leaf.bas\"\r\n");
  loader_test::WriteScript("mut_leaf.bas", "LEAF = 2");
  loader_test::WriteScript("mut_self.bas", "S = 1\nCHAIN \"mut_self.bas\"\n");
  std::mt19937 random(20261208);
  int loaded = 0, failed = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::string source = kScripts[round % 3];
    std::string mutated = Mutate(source, random);
    // Most rounds scan from memory; every tenth goes through a real file.
    Loaded r = round % 10 == 0 ? loader_test::Load(mutated) : loader_test::Scan(mutated);
    if (r.ok) {
      ++loaded;
      ExpectNormalForm(mutated, r.text);
      EXPECT_EQ(0, ScanScriptLabels(r.text.c_str(), AcceptAll, nullptr, nullptr));
    } else {
      ++failed;
      EXPECT_TRUE(r.error == 115 || r.error == 119 || r.error == 125 || r.error == 140) << r.error;
      EXPECT_GE(r.line, 1u);
    }
    if (HasFatalFailure()) {
      ADD_FAILURE() << "round " << round << " source:\n" << mutated;
      return;
    }
  }
  EXPECT_GT(loaded, 100);
  EXPECT_GT(failed, 100);
}

}  // namespace
