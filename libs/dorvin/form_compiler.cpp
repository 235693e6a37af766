#include "form_compiler.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "form_messages.h"
#include "keyword_list.h"

namespace {

// The line keywords, matched over their own length at the line's start.
const char kKeywords[] = "END\0BOX\0FONT\0TEXT\0TITLE\0TABLE\0PICTURE\0";
enum : int { kWordEnd = 1, kWordBox, kWordFont, kWordText, kWordTitle, kWordTable, kWordPicture };

const int kLineKept = 63;
const size_t kHeadingLength = 255;  // a heading's length is one byte

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as strtol reads it, kept as 16 bits; the position moves past it.
uint16_t ReadNumber(const char*& p) {
  char* end;
  long value = std::strtol(p, &end, 10);
  p = end;
  return static_cast<uint16_t>(value);
}

void RemoveBlanks(char* text) {
  char* out = text;
  for (const char* in = text; *in; ++in)
    if (*in != ' ') *out++ = *in;
  *out = 0;
}

}  // namespace

FormCompiler::FormCompiler(const char* text, uint32_t firstLine, FormParts& parts)
    : text_(text),
      p_(text),
      line_(firstLine),
      lineStart_(text),
      statement_(text),
      statementLine_(firstLine),
      parts_(parts) {
  kept_[0] = 0;
}

FormCompileResult FormCompiler::Run() {
  try {
    for (;;) {
      ReadLine();
      if (kept_[0] == 0) {
        if (ender_ == 0) {
          // The text ended without END.
          Fail(0);
          break;
        }
        continue;
      }
      int keyword = KeywordPrefixIndex(kKeywords, kept_);
      if (keyword == kWordEnd) {
        code_ += static_cast<char>(compiled_form::kEnd);
        ++parts_.count;
        return FormCompileResult{true, 0, statementLine_, static_cast<size_t>(statement_ - text_)};
      }
      const char* operands = keyword ? kept_ + std::strlen(KeywordAt(kKeywords, keyword)) : kept_;
      if (!CompileLine(keyword, operands)) break;
    }
  } catch (const std::bad_alloc&) {
    Fail(kFormNoMemory);
  }
  return FormCompileResult{false, error_, errorLine_, static_cast<size_t>(errorAt_ - text_)};
}

void FormCompiler::ReadLine() {
  statement_ = p_;
  statementLine_ = line_;
  int n = 0;
  for (; *p_ && *p_ != '\n' && *p_ != '{'; ++p_)
    if (*p_ != '\r' && n < kLineKept) kept_[n++] = *p_;
  kept_[n] = 0;
  ender_ = *p_;
  if (ender_) ++p_;
  if (ender_ == '\n') {
    ++line_;
    lineStart_ = p_;
  }
  RemoveBlanks(kept_);
}

bool FormCompiler::CompileLine(int keyword, const char* operands) {
  switch (keyword) {
    case kWordBox:
      return CompileBox(operands);
    case kWordFont:
      CompileFont(operands);
      return true;
    case kWordText:
      return CompileText(operands);
    case kWordTitle:
      return CompileTitle(operands);
    case kWordTable:
      return CompileTable();
    case kWordPicture:
      code_ += static_cast<char>(compiled_form::kPicture);
      code_.append(operands, std::strlen(operands) + 1);
      return true;
    default:
      return Fail(kFormUnknownWord);
  }
}

bool FormCompiler::CompileBox(const char* operands) {
  // Four numbers, each followed by one separator that is not looked at.
  uint16_t corners[4];
  const char* q = operands;
  for (uint16_t& corner : corners) {
    if (*q == 0) return Fail(kFormSyntax);
    corner = ReadNumber(q);
    if (*q) ++q;
  }
  unsigned char sides = 0;
  for (; *q; ++q) {
    switch (*q) {
      case 'L': sides |= compiled_form::kSideLeft; break;
      case 'T': sides |= compiled_form::kSideTop; break;
      case 'R': sides |= compiled_form::kSideRight; break;
      case 'B': sides |= compiled_form::kSideBottom; break;
      default: break;
    }
  }
  uint16_t& height = parts_.heights[parts_.count];
  if (corners[3] > height) height = corners[3];
  code_ += static_cast<char>(compiled_form::kBox);
  for (uint16_t corner : corners) PutWord(corner);
  code_ += static_cast<char>(sides);
  return true;
}

void FormCompiler::CompileFont(const char* operands) {
  const char* comma = std::strchr(operands, ',');
  size_t faceLength = comma ? static_cast<size_t>(comma - operands) : std::strlen(operands);
  char size = 0, style = 0;
  if (comma) {
    size = static_cast<char>(std::strtol(comma + 1, nullptr, 10));
    const char* second = std::strchr(comma + 1, ',');
    if (second) style = second[1];
  }
  code_ += static_cast<char>(compiled_form::kFont);
  code_ += size;
  code_ += style;
  code_.append(operands, faceLength);
  code_ += '\0';
}

bool FormCompiler::CompileText(const char* operands) {
  code_ += static_cast<char>(compiled_form::kText);
  code_ += operands[0];
  // "TEXT C" with "{text}" on the next line: that "{" opens the text.
  if (ender_ == '\n' && *p_ == '{') ++p_;
  if (!ReadBraced(false, code_)) return false;
  code_ += '\0';
  return true;
}

bool FormCompiler::CompileTitle(const char* operands) {
  const char* comma = std::strchr(operands, ',');
  if (ender_ != '{' || !comma || titles_ == compiled_form::kMaxColumns) return Fail(kFormSyntax);
  ++titles_;
  code_ += static_cast<char>(compiled_form::kColumn);
  code_.append(operands, static_cast<size_t>(comma - operands));
  code_ += '\0';
  const char* width = comma + 1;
  PutWord(ReadNumber(width));
  size_t offset = headingsUsed_;
  PutWord(static_cast<uint32_t>(offset));

  std::string heading;
  if (!ReadBraced(true, heading)) return false;
  // The part's headings share the buffer: what finds no room is dropped,
  // but every heading keeps its NUL.
  for (char c : heading)
    if (headingsUsed_ < sizeof headings_ - 1) headings_[headingsUsed_++] = c;
  if (headingsUsed_ >= sizeof headings_) return Fail(kFormTooLong);
  headings_[headingsUsed_++] = 0;
  size_t length = std::strlen(headings_ + offset);
  if (length > kHeadingLength) return Fail(kFormTooLong);
  code_ += static_cast<char>(length);

  unsigned char footer = 0;
  if (*p_ == ',' && IsDigit(p_[1])) {
    ++p_;
    footer = static_cast<unsigned char>(ReadNumber(p_));
  }
  code_ += static_cast<char>(footer);
  SkipToNextLine();
  return true;
}

bool FormCompiler::CompileTable() {
  // Seven TABLE lines make eight parts with the one END closes.
  if (parts_.count >= compiled_form::kMaxParts - 1) return Fail(kFormSyntax);
  code_ += static_cast<char>(compiled_form::kTable);
  code_.append(headings_, headingsUsed_);
  headingsUsed_ = 0;
  titles_ = 0;
  ++parts_.count;
  return true;
}

bool FormCompiler::ReadBraced(bool keepLineEnds, std::string& out) {
  for (;;) {
    char c = *p_;
    if (c == 0) return Fail(kFormUnexpectedEnd);
    if (c == '\\') {
      char escape = p_[1];
      if (escape == 0) return Fail(kFormUnexpectedEnd);
      if (escape == 'n')
        c = '\n';
      else if (escape == 'r')
        c = '\r';
      else if (escape == 't')
        c = '\t';
      else
        return FailHere(kFormSyntax);
      p_ += 2;
      out += c;
      continue;
    }
    ++p_;
    if (c == '}') return true;
    if (c == '\n') {
      ++line_;
      lineStart_ = p_;
    }
    if ((c == '\n' || c == '\r') && !keepLineEnds) continue;
    out += c;
  }
}

void FormCompiler::SkipToNextLine() {
  while (*p_ && *p_ != '\n') ++p_;
  if (*p_) {
    ++p_;
    ++line_;
    lineStart_ = p_;
  }
}

void FormCompiler::PutWord(uint32_t value) {
  code_ += static_cast<char>(value & 0xFF);
  code_ += static_cast<char>((value >> 8) & 0xFF);
}

bool FormCompiler::Fail(uint32_t error) {
  error_ = error;
  errorLine_ = statementLine_;
  errorAt_ = statement_;
  return false;
}

bool FormCompiler::FailHere(uint32_t error) {
  error_ = error;
  errorLine_ = line_;
  errorAt_ = lineStart_;
  return false;
}
