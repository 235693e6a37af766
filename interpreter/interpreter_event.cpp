// EVENT code[, label] and COMMAND code[, text].
#include "interpreter.h"
#include "statement_text.h"

namespace {

bool IsMouseMove(uint32_t code) { return (code & 0xFFFF) == kEventMouseMove; }

}  // namespace

int Interpreter::ExecEvent(const char*& p, bool command) {
  uint16_t base = Depth();
  p = SkipBlanks(p);
  int failed = Evaluate(p);
  if (!failed && Depth() == base) failed = FailMissing(p);
  VARIABLE* v = failed ? nullptr : PopValue();
  if (!v) {
    DropTo(base);
    return 1;
  }
  if (v->type != VAL_LONG) return Fail(kEvalErrorBadType);
  uint32_t code = static_cast<uint32_t>(v->lng);

  p = SkipBlanks(p);
  if (IsStatementEnd(*p)) {
    labels_->UnbindEvent(code);
    if (IsMouseMove(code)) *runFlags_ &= static_cast<uint16_t>(~kRunMouseMove);
    return 0;
  }
  if (*p != ',') return Fail(kEvalErrorSyntax);
  p = SkipBlanks(p + 1);

  if (!command) {
    char label[kNameKeySize + 1];
    int n = 0;
    for (; !IsStatementEnd(*p); ++p)
      if (n < kNameKeySize) label[n++] = *p;
    label[n] = 0;
    if (!labels_->FindLabel(label)) return Fail(kEvalErrorNoSubroutine);
    if (!labels_->BindEvent(code, label)) return Fail(kEvalErrorNoMemory);
    if (IsMouseMove(code)) *runFlags_ |= kRunMouseMove;
    return 0;
  }

  failed = Evaluate(p);
  if (!failed && Depth() == base) failed = FailMissing(p);
  v = failed ? nullptr : PopValue();
  if (!v) {
    DropTo(base);
    return 1;
  }
  if (v->type != VAL_STRING) return Fail(kEvalErrorBadType);
  if (!labels_->BindCommand(code, v->text ? v->text : "")) return Fail(kEvalErrorNoMemory);
  return 0;
}
