// WRITE: items into the window text buffer, and the buffer out to the
// clipboard or a file.
#include <cstring>

#include "interpreter.h"
#include "statement_text.h"
#include "window_buffer.h"

using statement_text::SameTextNoCase;
using statement_text::SkipBlanks;

namespace {

const uint32_t kClipboardError = 148;
const uint32_t kFileError = 140;
const char kLineEnd[] = "\r\n";
// Texts of LONG, REAL, BOOL and MONEY items are cut to 20 characters.
const int kItemText = 20;
const int kWord = 16;

enum Target { kNoTarget, kClipboard, kFile, kDosFile };

// The word at p (letters only, up to kWord of them), its end in behind.
bool ReadWordAt(const char* p, char (&word)[kWord + 1], const char*& behind) {
  int n = 0;
  while ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z')) {
    if (n == kWord) return false;
    word[n++] = *p++;
  }
  word[n] = 0;
  behind = p;
  return n > 0;
}

bool ContinuesName(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$' || c == '.';
}

// "TO|ADD CLIPBOARD|FILE|DOSFILE" at p: the target, replace set, p moved
// behind the words. Anything else is an item list (p unchanged).
Target ReadTarget(const char*& p, bool& replace) {
  char word[kWord + 1];
  const char* q;
  if (!ReadWordAt(p, word, q) || *q != ' ') return kNoTarget;
  bool to = SameTextNoCase(word, "TO");
  if (!to && !SameTextNoCase(word, "ADD")) return kNoTarget;
  q = SkipBlanks(q);
  if (!ReadWordAt(q, word, q)) return kNoTarget;
  if (ContinuesName(*q)) return kNoTarget;  // e.g. TO FILES: an item list
  Target target = kNoTarget;
  if (SameTextNoCase(word, "CLIPBOARD"))
    target = kClipboard;
  else if (SameTextNoCase(word, "FILE"))
    target = kFile;
  else if (SameTextNoCase(word, "DOSFILE"))
    target = kDosFile;
  if (target != kNoTarget) {
    p = SkipBlanks(q);
    replace = to;
  }
  return target;
}

}  // namespace

int Interpreter::ExecWrite() {
  const char*& p = position_;
  HWND window = GetWindowHandle();
  uint32_t error = 0;
  if (IsStatementEnd(*p)) {
    AppendWindowBuffer(window, kLineEnd, error);
    return error ? Fail(error) : 0;
  }
  bool replace = false;
  Target target = ReadTarget(p, replace);
  if (target == kClipboard)
    return CopyWindowBufferToClipboard(window) ? 0 : Fail(kClipboardError);
  if (target != kNoTarget) {
    uint16_t base = Depth();
    if (Evaluate(p)) return 1;
    if (Depth() == base) return Fail(kEvalErrorBadType);
    VARIABLE* name = PopValue();
    if (name->type != VAL_STRING) return Fail(kEvalErrorBadType);
    // An empty buffer does nothing; a file that cannot be written is 140,
    // and the text stays in the buffer for another try.
    if (!GetWindowBuffer(window)) return 0;
    const char* text = name->text ? name->text : "";
    int written = target == kFile ? BufferToFile(window, text, replace)
                                  : BufferToDosFile(window, text, replace);
    return written ? 0 : Fail(kFileError);
  }
  for (;;) {
    if (EvaluateRequired(p)) return 1;
    VARIABLE* value = PopValue();
    char number[kItemText + 1];
    const char* text;
    switch (value->type) {
      case VAL_LONG:
      case VAL_REAL:
      case VAL_BOOL:
      case VAL_MONEY:
        text = value->GetText(number, sizeof number, 0);
        break;
      case VAL_STRING:
        text = value->text ? value->text : "";
        break;
      default:
        return Fail(kEvalErrorBadType);
    }
    AppendWindowBuffer(window, text, error);
    if (error) return Fail(error);
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) {
      AppendWindowBuffer(window, kLineEnd, error);
      return error ? Fail(error) : 0;
    }
    if (*p != ',') return Fail(kEvalErrorSyntax);
    p = SkipBlanks(p + 1);
  }
}
