#include "template_writer.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "file_object.h"
#include "form_messages.h"
#include "report_form.h"
#include "text_helpers.h"
#include "variable.h"
#include "wennic.h"

namespace {

const uint16_t kReadTries = 10;
// The longest expression between brackets, and the room for a value's text.
const size_t kExpressionRoom = 255;
const size_t kValueRoom = 256;
const char kDosEndOfFile = 0x1A;

// Collects the OEM output and writes it to the file in large pieces.
class OemOutput {
 public:
  explicit OemOutput(FileObject& file) : file_(file) {}
  ~OemOutput() { Flush(); }

  // ANSI text, converted here.
  void Add(const char* text, size_t length) {
    size_t at = buffer_.size();
    buffer_.append(text, length);
    if (length) CharToOemBuffA(&buffer_[at], &buffer_[at], static_cast<DWORD>(length));
    if (buffer_.size() >= 16384) Flush();
  }
  void Flush() {
    if (!buffer_.empty() && !failed_ &&
        !file_.Write(buffer_.data(), static_cast<uint32_t>(buffer_.size())))
      failed_ = true;
    buffer_.clear();
  }
  bool Failed() const { return failed_; }

 private:
  FileObject& file_;
  std::string buffer_;
  bool failed_ = false;
};

uint32_t ShowFileError(HWND owner, uint32_t error, const char* name) {
  ERRBOX(owner, static_cast<int>(error), kErrBoxStringArgument, name);
  return error;
}

// The text of the template up to its end mark.
size_t TemplateLength(const char* text, size_t size) {
  size_t n = 0;
  while (n < size && text[n] != 0 && text[n] != kDosEndOfFile) ++n;
  return n;
}

// Evaluates one expression and writes its value (wrapped when asked);
// false with the error recorded when it fails, after writing its text.
bool WriteExpression(ReportForm& form, OemOutput& out, const char* expression, size_t length,
                     int wrap) {
  std::string text(expression, length);
  form.SetError(0);
  const char* p = text.c_str();
  int failed = form.Evaluate(p);
  if (failed || form.GetError()) {
    if (!form.GetError()) form.SetError(kEvalErrorSyntax);
    out.Add(text.data(), text.size());
    return false;
  }
  VARIABLE* value = form.Depth() ? form.PopValue() : nullptr;
  if (!value) return true;  // "[]": nothing to write
  char buffer[kValueRoom];
  value->GetText(buffer, sizeof buffer, 0);
  if (wrap > 0) WrapLines(buffer, wrap);  // only turns blanks into line feeds
  out.Add(buffer, std::strlen(buffer));
  return true;
}

}  // namespace

BOOL WriteTemplate(ReportForm& form, HWND owner, const char* dst, const char* src) {
  if (!dst) dst = "";
  if (!src) src = "";
  FileObject source;
  if (!source.Open(src, kFileRead | kFileDenyWrite)) {
    ShowFileError(owner, source.GetError(), src);
    return FALSE;
  }
  uint32_t size = source.Size();
  if (source.GetError()) {
    ShowFileError(owner, source.GetError(), src);
    return FALSE;
  }
  // The whole template is read before the destination is made: the
  // destination may be the template itself.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
  char* text = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (!text) {
    if (block) GlobalFree(block);
    ERRBOX(owner, kFormNoMemory, 0, nullptr);
    return FALSE;
  }
  uint32_t read = source.Read(text, size, kReadTries);
  uint32_t readError = read < size ? source.GetError() : 0;
  source.Close();
  if (read < size) {
    GlobalUnlock(block);
    GlobalFree(block);
    ShowFileError(owner, readError ? readError : kShortWriteError, src);
    return FALSE;
  }

  FileObject target;
  if (!target.Create(dst)) {
    GlobalUnlock(block);
    GlobalFree(block);
    ShowFileError(owner, target.GetError(), dst);
    return FALSE;
  }

  uint32_t error = 0;
  bool writeFailed = false;
  {
    OemOutput out(target);
    const char* p = text;
    const char* end = text + TemplateLength(text, size);
    while (p < end && !error) {
      const char* open = static_cast<const char*>(std::memchr(p, '[', static_cast<size_t>(end - p)));
      if (!open) open = end;
      out.Add(p, static_cast<size_t>(open - p));
      p = open;
      if (p == end) break;
      const char* expression = ++p;
      while (p < end && *p != ']' && static_cast<size_t>(p - expression) < kExpressionRoom) ++p;
      size_t length = static_cast<size_t>(p - expression);
      int wrap = 0;
      if (p < end && *p == ']') {
        ++p;
        if (p < end && *p == '\\') {
          ++p;
          uint32_t n = 0;
          for (; p < end && *p >= '0' && *p <= '9'; ++p) n = n * 10 + static_cast<uint32_t>(*p - '0');
          wrap = static_cast<uint16_t>(n);
        }
      }
      if (!WriteExpression(form, out, expression, length, wrap)) error = form.GetError();
    }
    out.Flush();
    writeFailed = out.Failed();
  }
  uint32_t writeError = target.GetError() ? target.GetError() : kShortWriteError;
  GlobalUnlock(block);
  GlobalFree(block);
  target.Close();
  if (error) {
    ERRBOX(owner, static_cast<int>(error), 0, nullptr);
    return FALSE;
  }
  if (writeFailed) {
    ShowFileError(owner, writeError, dst);
    return FALSE;
  }
  return TRUE;
}
