// Damaged form files by the thousand: each one is found and compiled from a
// copy whose last byte is followed by a page that cannot be read, so an
// overread faults at once; every one compiles or is refused with one of the
// loader's and compiler's numbers. Some go through real files and the form
// block as DORVIN_Form loads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "form_base.h"
#include "form_section.h"
#include "host_test_support.h"
#include "mutator.h"

namespace {

const char kGoodFile[] =
    "Forms of the test\r\n"
    "FORM 2\r\n"
    "FONT Arial,10,B\r\n"
    "TEXT R{second}\r\n"
    "END\r\n"
    "FORM 1 main\r\n"
    "FONT Courier New,12\r\n"
    "BOX 10, 20, 100, 40,LTRB\r\n"
    "TEXT C{Итого: [SUM]\\n[A!NAME]}\r\n"
    "TEXT\r\n"
    "{next \\t line}\r\n"
    "TITLE NAME,30{Имя\\nполное}\r\n"
    "TITLE 2,20{Сумма},1\r\n"
    "TABLE\r\n"
    "BOX 0,0,100,10,LR\r\n"
    "PICTURE c:\\logo.bmp\r\n"
    "END\r\n"
    "FORM 3\n"
    "TITLE X,1{a}\nTABLE\nTABLE\nEND\n";

const std::set<uint32_t> kNumbers = {0, 8, 99, 107, 118, 123, 126};

// Text-minded damage: the characters the reader turns on, put anywhere.
Bytes Damage(const Bytes& good, Mutator& random) {
  static const char kSpecial[] = "{}\\\n\r,END FORM 0123456789LTRB";
  Bytes b = good;
  switch (random.Next() % 3) {
    case 0:
      return random.Mutate(good);
    case 1:
      for (int i = 1 + random.Next() % 6; i > 0; --i)
        b.insert(b.begin() + random.Next() % (b.size() + 1),
                 static_cast<unsigned char>(kSpecial[random.Next() % (sizeof kSpecial - 1)]));
      return b;
    default:
      for (int i = 1 + random.Next() % 3; i > 0 && !b.empty(); --i)
        b[random.Next() % b.size()] =
            static_cast<unsigned char>(kSpecial[random.Next() % (sizeof kSpecial - 1)]);
      return b;
  }
}

// The loaded text compiled without a dialog, as the form object runs it.
class QuietForm : public FormBase {
 public:
  int EvaluateOperand(const char*&) override { return 0; }
  int ShowError(uint32_t, const char*) override { return 1; }
};

TEST(FormMutation, DamagedFormFilesCompileOrAreRefusedWithTheirNumbers) {
  Bytes good(kGoodFile, kGoodFile + sizeof kGoodFile - 1);
  Mutator random(20240611);
  Guarded guarded;
  int compiled = 0, refused = 0;
  for (int i = 0; i < 10000; ++i) {
    Bytes damaged = Damage(good, random);
    damaged.push_back(0);  // the loader's NUL after the file
    // The loader writes its NULs into the text it reads.
    char* text = reinterpret_cast<char*>(const_cast<unsigned char*>(guarded.Put(damaged)));
    ASSERT_TRUE(text);
    unsigned long number = 1 + i % 3;
    FormSection section = FindFormSection(text, number);
    uint32_t error = section.error;
    if (!error) {
      ASSERT_LE(section.start + section.length, damaged.size() - 1);
      FormParts parts;
      FormCompiler compiler(text + section.start, section.firstLine, parts);
      FormCompileResult result = compiler.Run();
      if (result.compiled) {
        ASSERT_FALSE(compiler.Code().empty());
        EXPECT_EQ(0, compiler.Code().back());
        ASSERT_GE(parts.count, 1);
        ASSERT_LE(parts.count, 8);
        ++compiled;
        continue;
      }
      error = result.error;
      ASSERT_GE(result.line, section.firstLine);
      ASSERT_LE(result.offset, section.length);
    }
    ASSERT_TRUE(kNumbers.count(error)) << error << " at damage " << i;
    ++refused;
  }
  // The damage is mild enough that both outcomes are common.
  EXPECT_GT(compiled, 1000);
  EXPECT_GT(refused, 1000);
}

TEST(FormMutation, DamagedFilesLoadIntoTheFormBlock) {
  Bytes good(kGoodFile, kGoodFile + sizeof kGoodFile - 1);
  Mutator random(7);
  const std::string path = host_test::ScratchDirectory() + "damaged.frm";
  for (int i = 0; i < 200; ++i) {
    Bytes damaged = Damage(good, random);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    if (!damaged.empty()) std::fwrite(damaged.data(), 1, damaged.size(), f);
    std::fclose(f);
    QuietForm form;
    uint32_t error = form.ReadFormText(path.c_str(), 1 + i % 3);
    if (!error) {
      FormCompileResult result = form.CompileForm(nullptr);
      if (result.compiled) continue;
      error = result.error;
    }
    ASSERT_TRUE(kNumbers.count(error)) << error << " at damage " << i;
  }
  DeleteFileA(path.c_str());
}

}  // namespace
