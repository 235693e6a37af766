// The form description compiler: reads a form text line by line and writes
// its compiled form (compiled_form.h). The text is only read: the code goes
// into a buffer of its own, since a line can compile to more bytes than it
// has (BOX and four one-letter numbers), and the text stays whole for the
// error display.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiled_form.h"

struct FormCompileResult {
  bool compiled;
  uint32_t error;   // 0 with compiled false: the text ended without END
  uint32_t line;    // the line of the text where it stopped
  size_t offset;    // where that line begins in the text
};

class FormCompiler {
 public:
  // text is zero-terminated; its first line is line firstLine of its file.
  // The parts of the form are counted into parts.
  FormCompiler(const char* text, uint32_t firstLine, FormParts& parts);
  FormCompiler(const FormCompiler&) = delete;
  FormCompiler& operator=(const FormCompiler&) = delete;

  FormCompileResult Run();
  // The compiled form once Run succeeded (ends with its zero byte).
  const std::string& Code() const { return code_; }

 private:
  // The next line into kept_: at most 63 characters without carriage
  // returns, then without blanks; it ended at a line feed, a "{" or the
  // text's end (ender_ '\n', '{' or 0).
  void ReadLine();
  bool CompileLine(int keyword, const char* operands);
  bool CompileBox(const char* operands);
  void CompileFont(const char* operands);
  bool CompileText(const char* operands);
  bool CompileTitle(const char* operands);
  bool CompileTable();
  // The text from the read position to "}" with its escapes resolved;
  // line ends are kept or dropped.
  bool ReadBraced(bool keepLineEnds, std::string& out);
  void SkipToNextLine();
  void PutWord(uint32_t value);
  // Records the error at the line being compiled (false).
  bool Fail(uint32_t error);
  // Records the error at the line the read position is in (false).
  bool FailHere(uint32_t error);

  const char* text_;
  const char* p_;
  uint32_t line_;               // the line of p_
  const char* lineStart_;       // where p_'s line begins
  const char* statement_;       // where the line being compiled begins
  uint32_t statementLine_;
  char kept_[64];
  char ender_ = 0;
  FormParts& parts_;
  std::string code_;
  char headings_[compiled_form::kHeadingRoom];
  size_t headingsUsed_ = 0;
  int titles_ = 0;  // TITLE lines of the part being read
  uint32_t error_ = 0;
  uint32_t errorLine_ = 0;
  const char* errorAt_ = nullptr;
};
