// RdStr over thousands of files of random bytes, against a splitter that
// reads a byte at a time by the line rules: the same lines and end marks,
// and after each line the file position just past the bytes used.
#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "hestel_support.h"
#include "mutator.h"
#include "variable.h"

namespace {

struct Line {
  std::string text;
  size_t next;     // position after the line
  bool endMarked;  // 0x1A or the end of the data
};

Line Split(const std::string& data, size_t at) {
  Line line{"", at, false};
  while (line.next < data.size()) {
    char c = data[line.next++];
    if (c == '\n') return line;
    if (c == 0x1A) break;
    if (c == '\r') continue;
    line.text += c;
    if (line.text.size() == 511) return line;
  }
  line.endMarked = true;
  return line;
}

// Random bytes, some rich in what ends lines, in lengths around the limit.
std::string RandomText(Mutator& random) {
  static const char kBytes[] = {'\n', '\r', 0x1A, 'x', 0, '\xE2'};
  std::string data(random.Next() % 8 ? random.Next() % 200 : 500 + random.Next() % 900, 'a');
  bool dense = random.Next() % 6 == 0;
  for (char& c : data) c = dense ? kBytes[random.Next() % sizeof kBytes] : random.Next() % 40 ? 'a' : '\n';
  return data;
}

TEST(HestelLines, RandomFilesSplitAsByteByByte) {
  std::string path = FreshDirectory("hestel_mutation") + "random.bin";
  Mutator random(0x5EED1234);
  const std::string good = "first line\r\nsecond\n\nlast " + std::string(600, 'z') + "\r\n";
  for (int round = 0; round < 2000; ++round) {
    Bytes damaged = random.Mutate(Bytes(good.begin(), good.end()));
    std::string data = round % 3 ? RandomText(random) : std::string(damaged.begin(), damaged.end());
    WriteFileBytes(path, data);
    HANDLE file = CallHandle("Open", path, "OREAD");
    bool marked = false;
    // Up to and including the read that meets the end of the data.
    for (size_t at = 0, lines = 0, pastEnd = 0; !pastEnd; ++lines) {
      pastEnd = at == data.size();
      Line expected = Split(data, at);
      marked = marked || expected.endMarked;
      uint32_t word = Hestel()("RdStr", {Arg(file)});
      const char* text = reinterpret_cast<const VARIABLE*>(word)->text;
      // The text may hold zero bytes: its block is compared.
      bool same = expected.text.empty() ? !text
                  : text && _msize(const_cast<char*>(text)) == expected.text.size() + 1 &&
                        !std::memcmp(text, expected.text.data(), expected.text.size());
      Hestel()("RELEASE", {word});
      ASSERT_TRUE(same) << "round " << round << " line " << lines;
      ASSERT_EQ(expected.next, static_cast<size_t>(Call("GetPos", file))) << "round " << round;
      ASSERT_EQ(marked, Call("EOF", file) != 0) << "round " << round;
      at = expected.next;
    }
    Call("Close", file);
  }
}

}  // namespace
