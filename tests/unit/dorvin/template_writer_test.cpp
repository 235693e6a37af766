// Text templates written for DOS programs from a form's owner and record
// sets: the OEM output, wrapped values, the end marks, failing expressions,
// and files that cannot be read or made.
#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "host_test_support.h"
#include "report_fixture.h"
#include "report_form.h"
#include "template_writer.h"

namespace {

class TemplateTest : public ReportFixture {
 protected:
  std::string Write(const std::string& text, int expected = TRUE) {
    std::string src = host_test::WriteScript("template.txt", text);
    std::string dst = host_test::ScratchDirectory() + "template.out";
    DeleteFileA(dst.c_str());
    BOOL written = WriteTemplate(*form_, window_, dst.c_str(), src.c_str());
    if (expected >= 0) {
      EXPECT_EQ(expected, written);
    }
    return ReadFile(dst);
  }
  void SetUp() override {
    ReportFixture::SetUp();
    form_.reset(new ReportForm(window_));
  }
  std::unique_ptr<ReportForm> form_;
};

TEST_F(TemplateTest, ValuesAreWrittenInTheOemCodePageUpToTheEndMark) {
  gui::BoxWatcher watcher;
  SetText("NAME", "Иванов Иван Иванович");
  ASSERT_TRUE(form_->AddRecordSet(People(2)));
  std::string text =
      "Клиент: [NAME]\\10\r\nСумма: [S] руб.\r\nГород: [A!CITY]\r\nКод: [MID(CODE,2,3)]|[LEN(NAME)]\r\n";
  EXPECT_EQ(InCodePage(u8"Клиент: Иванов\nИван\nИванович\r\nСумма: 1234.50 руб.\r\n"
                       u8"Город: Тула\r\nКод: 123|20\r\n",
                       866),
            Write(text + "\x1A" + "хвост"));
  // A NUL ends it too; a backslash without digits wraps nothing; "[]" is no value.
  EXPECT_EQ(InCodePage(u8"Иванов Иван Иванович!5", 866),
            Write(std::string("[NAME]\\![]5\0[NAME]", 18)));
  // A "[" without "]" takes 255 characters as its expression; the rest is text.
  std::string sum;
  for (int i = 0; i < 150; ++i) sum += "1+";
  EXPECT_EQ("=128" + sum.substr(255), Write("=[" + sum));
  EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(TemplateTest, AFailingExpressionWritesItsTextAndEndsTheOutput) {
  gui::BoxWatcher watcher({IDOK});
  EXPECT_EQ(InCodePage(u8"Код X12345, MID(CODE,", 866),
            Write("Код [CODE], [MID(CODE,] и дальше [NAME]", FALSE));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("неожиданный конец текста", boxes[0].text);
}

TEST_F(TemplateTest, TheTemplateIsReadBeforeTheDestinationIsMade) {
  gui::BoxWatcher watcher({IDOK});
  std::string path = host_test::WriteScript("same.txt", "Сумма [S]");
  EXPECT_TRUE(WriteTemplate(*form_, window_, path.c_str(), path.c_str()));
  EXPECT_EQ(InCodePage(u8"Сумма 1234.50", 866), ReadFile(path));

  // A template that is missing names itself, and no destination is made.
  std::string missing = host_test::ScratchDirectory() + "no-template.txt";
  std::string dst = host_test::ScratchDirectory() + "never.out";
  DeleteFileA(dst.c_str());
  EXPECT_FALSE(WriteTemplate(*form_, window_, dst.c_str(), missing.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dst.c_str()));
  // A destination that cannot be made.
  std::string bad = host_test::ScratchDirectory() + "no-folder\\x.out";
  EXPECT_FALSE(WriteTemplate(*form_, window_, bad.c_str(), path.c_str()));
  auto boxes = watcher.Boxes();
  ASSERT_EQ(2u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find(missing)) << boxes[0].text;
  EXPECT_EQ("путь не найден", boxes[1].text);
}

}  // namespace

namespace {

// Damaged templates: brackets, backslashes, digits and end marks put in,
// taken out or swapped anywhere. Each one is written or refused with a box;
// the output never holds more than the template's text and one value per
// bracket.
TEST_F(TemplateTest, DamagedTemplatesAreWrittenWithinBounds) {
  gui::BoxWatcher watcher({IDOK});
  SetText("NAME", "Иванов Иван Иванович");
  ASSERT_TRUE(form_->AddRecordSet(People(2)));
  const std::string good =
      "Клиент: [NAME]\\10\r\nСумма: [S] руб.\r\nГород: [A!CITY]\r\nКод: [MID(CODE,2,3)]|[LEN(NAME)]\r\n";
  const char pieces[] = "[]\\0123456789\x1A\"(),!";
  uint32_t seed = 38;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int round = 0; round < 60; ++round) {
    std::string text = good;
    for (int change = 0, changes = 1 + static_cast<int>(next(3)); change < changes; ++change) {
      size_t at = next(static_cast<uint32_t>(text.size()));
      char piece = pieces[next(sizeof pieces - 1)];
      switch (next(3)) {
        case 0: text.insert(at, 1, piece); break;
        case 1: text.erase(at, 1); break;
        default: text[at] = piece; break;
      }
    }
    size_t brackets = 0;
    for (char c : text) brackets += c == '[';
    std::string out = Write(text, -1);
    EXPECT_LE(out.size(), text.size() + 255 * brackets) << round << ": " << text;
  }
}

}  // namespace
