// Form texts loaded from files and scripts into the form block, compiled
// there, their failures shown; and the stack of GDI objects.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dorvin_test_support.h"
#include "form_base.h"
#include "form_section.h"
#include "gui_driver.h"
#include "host_test_support.h"

namespace {

using dorvin_test::Bytes;
using dorvin_test::Dump;

std::string WriteFile(const std::string& name, const std::string& text) {
  return host_test::WriteScript(name, text);
}

std::string BlockText(const FormBase& form, size_t length) {
  const char* text = static_cast<const char*>(GlobalLock(form.FormBlock()));
  std::string s = text ? std::string(text, length) : "<no block>";
  GlobalUnlock(form.FormBlock());
  return s;
}

// The form's own parts without the report's operands.
class PlainForm : public FormBase {
 public:
  int EvaluateOperand(const char*&) override { return 0; }
};

// Records what the form would show instead of showing it.
class RecordingForm : public PlainForm {
 public:
  int ShowError(uint32_t number, const char* position) override {
    shown = number;
    at = position;
    return 1;
  }
  uint32_t shown = 999;
  std::string at;
};

TEST(FormSections, EachSectionIsFoundByItsNumber) {
  const char file[] =
      "header line\r\nFORM 2\r\nTEXT{two}\r\nEND\r\nFORM   1 comment\r\nTEXT{one}\r\nEND\r\n"
      "FORM 3\r\nTEXT{three}\r\n";
  struct {
    unsigned long number;
    uint32_t error;
    const char* text;
    uint32_t line;
  } cases[] = {{2, 0, "TEXT{two}\r\nEND", 3}, {1, 0, "TEXT{one}\r\nEND", 6}, {3, 107, "", 0},
               {4, 107, "", 0}};
  for (const auto& c : cases) {
    std::string text = file;
    FormSection s = FindFormSection(&text[0], c.number);
    EXPECT_EQ(c.error, s.error) << c.number;
    if (s.error) continue;
    EXPECT_EQ(c.text, std::string(text.c_str() + s.start, s.length)) << c.number;
    EXPECT_EQ(0, text[s.start + s.length]);
    EXPECT_EQ(c.line, s.firstLine) << c.number;
  }
  // A "FORM " with 0 or without digits stops the search even before the
  // wanted section; so does a heading on the text's last line.
  for (const char* refused : {"FORM 0\nEND\nFORM 1\nEND\n", "FORM x\nFORM 1\nEND\n", "FORM 1"}) {
    std::string text = refused;
    EXPECT_EQ(107u, FindFormSection(&text[0], 1).error) << refused;
  }
  // The next section's heading ends this one when it has no END of its own.
  std::string text = "FORM 1\nTEXT{a}\nFORM 2\nEND\n";
  EXPECT_EQ(107u, FindFormSection(&text[0], 1).error);
  EXPECT_EQ(12u, FormTextLength("TEXT{THE END}\r\nEND"));
  EXPECT_EQ(0u, FormTextLength("TEXT{the end}"));
}

TEST(FormBlock, AFileSectionIsLoadedAndCompiledInTheBlock) {
  std::string path = WriteFile("forms.frm",
                               "FORM 1\r\nEND\r\nFORM 5\r\nFONT Mono,10\r\nBOX 1,2,3,4,B\r\nEND\r\n");
  RecordingForm form;
  ASSERT_EQ(0u, form.ReadFormText(path.c_str(), 5));
  EXPECT_EQ("FONT Mono,10\r\nBOX 1,2,3,4,B\r\nEND", BlockText(form, 32));
  EXPECT_EQ(33u, GlobalSize(form.FormBlock()));
  FormCompileResult result = form.CompileForm(nullptr);
  ASSERT_TRUE(result.compiled);
  const std::string code = Bytes({0x46, 10, 0}) + "Mono" + Bytes({0, 0x42, 1, 0, 2, 0, 3, 0, 4, 0, 1, 0});
  EXPECT_EQ(Dump(code), Dump(BlockText(form, code.size())));
  EXPECT_EQ(1, form.Parts().count);
  EXPECT_EQ(4, form.Parts().heights[0]);
  EXPECT_EQ(999u, form.shown);

  // A script's own text: up to its first END.
  RecordingForm script;
  ASSERT_EQ(0u, script.ReadFormText("BOX 1,2,3,4\nEND and more", 0));
  EXPECT_EQ(std::string("BOX 1,2,3,4\nEND") + '\0', BlockText(script, 16));
}

TEST(FormBlock, FailuresGiveTheirNumbersAndFileLines) {
  RecordingForm form;
  EXPECT_EQ(2u, form.ReadFormText((host_test::ScratchDirectory() + "missing.frm").c_str(), 1));
  EXPECT_EQ(3u, form.ReadFormText((host_test::ScratchDirectory() + "no\\such\\dir.frm").c_str(), 1));
  EXPECT_EQ(107u, form.ReadFormText("TEXT{no end}", 0));
  EXPECT_EQ(107u, form.ReadFormText(nullptr, 0));
  EXPECT_EQ(nullptr, form.FormBlock());

  std::string path = WriteFile("bad.frm", "FORM 5\r\nFONT A,10\r\nBOX 1,2,3,4\r\nXYZ 1\r\nEND\r\n");
  ASSERT_EQ(0u, form.ReadFormText(path.c_str(), 5));
  FormCompileResult result = form.CompileForm(nullptr);
  EXPECT_FALSE(result.compiled);
  EXPECT_EQ(std::make_pair(123u, 4u), std::make_pair(result.error, result.line));
  EXPECT_EQ(123u, form.shown);
  EXPECT_EQ("XYZ 1\r\nEND", form.at);
}

TEST(FormBlock, WithoutADisplayTheNumberGoesToTheErrorBox) {
  gui::BoxWatcher watcher;
  PlainForm form;
  ASSERT_EQ(0u, form.ReadFormText("FONT LEGEND", 0));  // END only inside a face
  EXPECT_EQ(0u, form.CompileForm(nullptr).error);
  auto boxes = watcher.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("ОШИБКА", boxes[0].caption);
  EXPECT_EQ("неожиданный конец текста", boxes[0].text);
}

TEST(FormGdiStack, PushesRefuseTheNinthAndPopsRestoreInTurn) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(dc);
  PlainForm form;
  form.SetDeviceContext(dc);
  HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
  HPEN pens[9];
  for (int i = 0; i < 9; ++i) pens[i] = CreatePen(PS_SOLID, i + 1, RGB(i, 0, 0));
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(form.PushObject(pens[i])) << i;
  EXPECT_FALSE(form.PushObject(pens[8]));
  EXPECT_EQ(pens[7], GetCurrentObject(dc, OBJ_PEN));
  EXPECT_EQ(8, form.ObjectCount());
  for (int i = 7; i >= 0; --i) {
    EXPECT_EQ(pens[i], form.PopObject()) << i;
    EXPECT_EQ(i ? static_cast<HGDIOBJ>(pens[i - 1]) : original, GetCurrentObject(dc, OBJ_PEN)) << i;
  }
  // An empty stack pops nothing and leaves the device context alone.
  EXPECT_EQ(nullptr, form.PopObject());
  EXPECT_EQ(original, GetCurrentObject(dc, OBJ_PEN));
  for (HPEN pen : pens) DeleteObject(pen);
  DeleteDC(dc);
}

}  // namespace
