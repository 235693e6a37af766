// Form descriptions compiled to byte code: the records, the parts, and
// every refusal with its message number and line.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dorvin_test_support.h"

namespace {

using dorvin_test::Bytes;
using dorvin_test::Compile;
using dorvin_test::CompileScriptForm;
using dorvin_test::Compiled;
using dorvin_test::Dump;

#define EXPECT_CODE(expected, actual)                    \
  do {                                                   \
    const Compiled& c_ = (actual);                       \
    EXPECT_TRUE(c_.result.compiled) << c_.result.error;  \
    EXPECT_EQ(Dump(expected), Dump(c_.code));            \
  } while (0)

TEST(FormCompiler, FontBoxAndCentredTextOfAScriptForm) {
  Compiled c = CompileScriptForm(
      "FONT Mono,10\r\nBOX 10, 20, 100, 40,LTRB\r\nTEXT C{Итого: [SUM]}\r\nEND");
  EXPECT_CODE(Bytes({0x46, 0x0A, 0x00}) + "Mono" +
                  Bytes({0x00, 0x42, 0x0A, 0x00, 0x14, 0x00, 0x64, 0x00, 0x28, 0x00, 0x55, 0x54, 0x43}) +
                  "Итого: [SUM]" + Bytes({0x00, 0x00}),
              c);
  EXPECT_EQ(1, c.parts.count);
  EXPECT_EQ(40, c.parts.heights[0]);
}

TEST(FormCompiler, TitlesAndTheirTableReadAlikeWithEitherLineEnd) {
  const std::string expected = Bytes({0x49}) + "NAME" + Bytes({0x00, 0x1E, 0x00, 0x00, 0x00, 0x03, 0x00, 0x49}) +
                               "2" + Bytes({0x00, 0x14, 0x00, 0x04, 0x00, 0x05, 0x01, 0x44}) + "Имя" +
                               Bytes({0x00}) + "Сумма" + Bytes({0x00, 0x00});
  Compiled crlf = CompileScriptForm("TITLE NAME,30{Имя}\r\nTITLE 2,20{Сумма},1\r\nTABLE\r\nEND");
  EXPECT_CODE(expected, crlf);
  EXPECT_EQ(2, crlf.parts.count);
  Compiled lf = CompileScriptForm("TITLE NAME,30{Имя}\nTITLE 2,20{Сумма},1\nTABLE\nEND");
  EXPECT_CODE(expected, lf);
  EXPECT_EQ(2, lf.parts.count);
  // Headings keep their line ends and resolve their escapes.
  EXPECT_CODE(Bytes({0x49}) + "A" + Bytes({0, 5, 0, 0, 0, 5, 12, 0x44}) + "x\r\ny\t" + Bytes({0, 0}),
              CompileScriptForm("TITLE A,5{x\r\ny\\t},12\nTABLE\nEND"));
}

TEST(FormCompiler, SideLettersAndFontFaces) {
  const std::string box = Bytes({0x42, 0, 0, 0, 0, 100, 0, 50, 0});
  // The blank goes first, so L is the separator after the fourth number.
  EXPECT_CODE(box + Bytes({0x04, 0}), Compile("BOX 0,0,100,50 LR\r\nEND"));
  EXPECT_CODE(box + Bytes({0x44, 0}), Compile("BOX 0,0,100,50,LR\r\nEND"));
  EXPECT_CODE(box + Bytes({0x00, 0}), Compile("box 0,0,100,50,lr\r\nEND"));
  EXPECT_CODE(box + Bytes({0x00, 0}), Compile("BOX 0,0,100,50\r\nEND"));
  // Without a separator after the fourth number the sides are none, not
  // letters left in the line buffer by a longer line before it.
  EXPECT_CODE(Bytes({0x50}) + "xxxxxxLTRB" + Bytes({0}) + box + Bytes({0x00, 0}),
              Compile("PICTURE xxxxxxLTRB\nBOX 0,0,100,50\nEND"));
  EXPECT_CODE(Bytes({0x46, 0x0C, 0x42}) + "OldStyleMono" + Bytes({0, 0}),
              Compile("FONT Old Style Mono,12,Bold\r\nEND"));
  EXPECT_CODE(Bytes({0x46, 0, 0}) + "Arial" + Bytes({0, 0}), Compile("FONT Arial\r\nEND"));
  EXPECT_CODE(Bytes({0x50}) + "C:\\logo.bmp" + Bytes({0, 0}), Compile("PICTURE C:\\ logo.bmp\r\nEND"));
}

TEST(FormCompiler, TextsRunAcrossLinesAndResolveTheirEscapes) {
  // A TEXT line without "{": the text starts on the next line, whose "{"
  // opens it.
  EXPECT_CODE(Bytes({0x54, 'C'}) + "Total" + Bytes({0, 0}), Compile("TEXT C\r\n{Total}\r\nEND"));
  EXPECT_CODE(Bytes({0x54, 'R'}) + "Total" + Bytes({0, 0}), Compile("TEXT R\r\nTotal}\r\nEND"));
  // Line ends inside the braces are dropped, escapes are not.
  EXPECT_CODE(Bytes({0x54, 0}) + "ab\ncd\r\t[X]" + Bytes({0, 0}),
              Compile("TEXT{a\r\nb\\ncd\\r\\t[X]}\r\nEND"));
  // Only 63 characters of a line count; a text between braces has no limit.
  std::string longText(500, 'x');
  EXPECT_CODE(Bytes({0x54, 'C'}) + longText + Bytes({0, 0}), Compile("TEXT C{" + longText + "}\nEND"));
  EXPECT_CODE(Bytes({0x42, 1, 0, 2, 0, 3, 0, 4, 0, 0x40, 0}),
              Compile("BOX 1,2,3,4,L" + std::string(50, ' ') + "TRB\nEND"));
}

TEST(FormCompiler, PartsKeepTheirTallestBoxes) {
  Compiled c = Compile("BOX 0,0,10,40\nBOX 0,0,10,30\nTITLE 1,10{A}\nTABLE\nBOX 0,0,10,15\nEND");
  ASSERT_TRUE(c.result.compiled);
  EXPECT_EQ(2, c.parts.count);
  EXPECT_EQ(40, c.parts.heights[0]);
  EXPECT_EQ(15, c.parts.heights[1]);
  // The second box keeps its own bottom.
  EXPECT_EQ(Dump(Bytes({0x42, 0, 0, 0, 0, 10, 0, 30, 0, 0})), Dump(c.code.substr(10, 10)));
  // Seven TABLE lines make eight parts.
  std::string seven;
  for (int i = 0; i < 7; ++i) seven += "BOX 0,0,1," + std::to_string(i + 1) + "\nTABLE\n";
  Compiled full = Compile(seven + "BOX 0,0,1,99\nEND");
  ASSERT_TRUE(full.result.compiled);
  EXPECT_EQ(8, full.parts.count);
  EXPECT_EQ(7, full.parts.heights[6]);
  EXPECT_EQ(99, full.parts.heights[7]);
}

TEST(FormCompiler, LinesThatCompileLongerThanTheirTextStayIntact) {
  // Four one-letter numbers: 8 bytes of text, a 10-byte record.
  Compiled c = Compile("BOX a b c d\nBOX a b c d\nBOX a b c d\nTEXT{ok}\nEND");
  const std::string box = Bytes({0x42, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_CODE(box + box + box + Bytes({0x54, 0}) + "ok" + Bytes({0, 0}), c);
}

struct Refusal {
  std::string text;
  uint32_t error;
  uint32_t line;
  const char* lineText;  // what the failing line begins with
};

TEST(FormCompiler, RefusalsGiveTheirNumberAndLine) {
  std::string titles32, titles33;
  for (int i = 0; i < 33; ++i) (i < 32 ? titles32 : titles33) += "TITLE A,1{h}\n";
  std::string tables8;
  for (int i = 0; i < 8; ++i) tables8 += "TABLE\n";
  const std::string h255(255, 'h');
  const std::vector<Refusal> refusals = {
      {"FONT A,10\r\nBOX 1,2,3,4\r\n\r\nXYZ 1\r\nEND", 123, 4, "XYZ 1"},
      {"BOX 1,2,3\nEND", 99, 1, "BOX 1,2,3"},
      {"BOX\nEND", 99, 1, "BOX"},
      {"TEXT\n{a\nb\\q}\nEND", 99, 3, "b\\q"},
      {"TEXT{abc", 118, 1, "TEXT{abc"},
      {"TEXT{abc\\", 118, 1, "TEXT{abc"},
      {"BOX 1,2,3,4\nTEXT", 118, 2, "TEXT"},
      {"TITLE NAME,30\n{x}\nEND", 99, 1, "TITLE NAME,30"},
      {"TITLE NAME{x}\nEND", 99, 1, "TITLE NAME{"},
      {"TITLE N,1{a\\zb}\nEND", 99, 1, "TITLE N,1{a"},
      {"TITLE N,1{" + std::string(256, 'h') + "}\nEND", 126, 1, "TITLE N,1{"},
      {"TITLE A,1{" + h255 + "}\nTITLE B,1{" + h255 + "}\nTITLE C,1{" + h255 + "}\nTITLE D,1{" +
           h255 + "}\nTITLE E,1{x}\nEND",
       126, 5, "TITLE E"},
      {titles32 + titles33 + "TABLE\nEND", 99, 33, "TITLE A"},
      {tables8 + "END", 99, 8, "TABLE"},
      {"FONT A,10\nBOX 1,2,3,4\n", 0, 3, ""},
      // After a TITLE's "}" reading goes on at the next line, never past the end.
      {"TITLE A,1{h},2", 0, 1, ""},
  };
  for (const Refusal& r : refusals) {
    Compiled c = Compile(r.text, 1);
    EXPECT_FALSE(c.result.compiled) << r.text;
    EXPECT_EQ(std::make_pair(r.error, r.line), std::make_pair(c.result.error, c.result.line))
        << r.text;
    std::string from = r.text.substr(c.result.offset);
    EXPECT_EQ(0u, from.find(r.lineText)) << r.text << "\nstopped at: " << from;
  }
  // The same without the failing line compiles: those were the limits.
  EXPECT_TRUE(Compile(titles32 + "TABLE\nEND").result.compiled);
  EXPECT_TRUE(Compile("TITLE A,1{" + h255 + "}\nTITLE B,1{" + h255 + "}\nTITLE C,1{" + h255 +
                      "}\nTITLE D,1{" + h255 + "}\nTABLE\nEND")
                  .result.compiled);
  // Lines count from the section's line in its file.
  Compiled c = Compile("BOX 1,2,3,4\nXYZ\nEND", 10);
  EXPECT_EQ(std::make_pair(123u, 11u), std::make_pair(c.result.error, c.result.line));
}

TEST(FormCompiler, AScriptFormEndsAtItsFirstEnd) {
  // "THE END" inside the braces cuts the text there.
  Compiled c = CompileScriptForm("TEXT{THE END}\r\nEND");
  EXPECT_EQ(std::make_pair(118u, 1u), std::make_pair(c.result.error, c.result.line));
  EXPECT_FALSE(c.result.compiled);
}

}  // namespace
