// GOSUB, RETURN and the call of a label, PROC or FUNC.
#include <new>

#include "interpreter.h"
#include "label_scan.h"
#include "operator_lock.h"
#include "statement_text.h"

namespace {

// A NULL parameter or RESULT takes a value with ConvertFrom; plain values
// cannot fail and need no operator section. Returns the message number.
uint32_t TakeValue(VARIABLE& target, const VARIABLE& value) {
  if (target.type == VAL_NULL && !target.links && ValueStack::IsPlain(value.type)) {
    target.Assign(value);
    return 0;
  }
  OperatorSection section;
  target.ConvertFrom(value);
  return section.TakeError();
}

}  // namespace

int Interpreter::ExecGosub() {
  const char* p = position_;
  char name[kNameKeySize + 1];
  statement_text::ReadName(p, name, sizeof name, [](char c) { return c == ' ' || c == '('; });
  position_ = SkipBlanks(p);
  const char* label = FindLabel(name);
  if (!label) return Fail(kEvalErrorNoSubroutine);
  return CallSubroutine(label) ? 0 : 1;
}

int Interpreter::CallSubroutine(const char* label) {
  uint16_t base = Depth();
  int count = 0;
  if (*position_ == '(') {
    const char* p = position_ + 1;
    count = ParseArguments(p);
    if (count < 0) {
      DropTo(base);
      return 0;
    }
    if (*p != ')') {
      DropTo(base);
      Fail(kEvalErrorSyntax);
      return 0;
    }
    position_ = p + 1;
  }

  ProcedureFrame* frame = NewFrame();
  if (!frame) {
    DropTo(base);
    Fail(kEvalErrorNoMemory);  // the current frame stays
    return 0;
  }
  frame->returnPosition = position_;
  frame->parent = frame_;
  frame->loopDepth = loopDepth_;
  frame->ifDepth = ifDepth_;
  frame->kind = static_cast<uint16_t>(IsSubroutineHeader(label));
  frame_ = frame;
  position_ = label;
  if (frame->kind == 0) {
    DropTo(base);  // arguments to a plain label are not used
    return 1;
  }

  // PROC(@A,@B) or FUNC(@A,@B): each parameter takes its argument.
  const char* p = label + 5;
  int bound = 0;
  uint32_t error = 0;
  if (count > 0) {
    for (;;) {
      char name[kNameKeySize + 1];
      statement_text::ReadName(p, name, sizeof name, [](char c) { return c == ',' || c == ')'; });
      if (IsStatementEnd(*p)) {
        error = kEvalErrorSyntax;
        break;
      }
      VARIABLE* local = frame->locals.FindOrCreate(name, error);
      if (!local) break;
      error = TakeValue(*local, *Stack().Item(static_cast<uint16_t>(base + bound)));
      if (error) break;
      ++bound;
      if (bound == count) {
        if (*p != ')') error = kEvalErrorArgumentCount;
        break;
      }
      if (*p == ')') {
        error = kEvalErrorArgumentCount;
        break;
      }
      ++p;
    }
  }
  DropTo(base);
  if (error) {
    frame_ = frame->parent;
    position_ = frame->returnPosition;
    RecycleFrame(frame);
    Fail(error);
    return 0;
  }
  position_ = p;
  return 1;
}

int Interpreter::ExecReturn() {
  ProcedureFrame* frame = frame_;
  if (!frame) return 0;
  if (frame->kind == 2) {
    // FUNC: RESULT takes the value behind RETURN, or NULL when there is none.
    uint16_t base = Depth();
    const char* p = position_;
    if (Evaluate(p)) return 0;
    uint32_t error = 0;
    VARIABLE* result = variables_->FindOrCreate("RESULT", error);
    if (!result) return Fail(error), 0;
    result->Clear().TYPE(VAL_NULL);
    if (Depth() > base) error = TakeValue(*result, *PopValue());
    DropTo(base);
    if (error) return Fail(error), 0;
  }
  position_ = frame->returnPosition;
  frame_ = frame->parent;
  loopDepth_ = frame->loopDepth;
  ifDepth_ = frame->ifDepth;
  RecycleFrame(frame);
  return 1;
}

ProcedureFrame* Interpreter::NewFrame() {
  ProcedureFrame* frame = spareFrames_;
  if (!frame) return new (std::nothrow) ProcedureFrame;
  spareFrames_ = frame->parent;
  frame->parent = nullptr;
  return frame;
}

void Interpreter::RecycleFrame(ProcedureFrame* frame) {
  frame->locals.Empty();  // values go now, as when the frame was deleted
  frame->returnPosition = nullptr;
  frame->kind = 0;
  frame->loopDepth = 0;
  frame->ifDepth = 0;
  frame->parent = spareFrames_;
  spareFrames_ = frame;
}
