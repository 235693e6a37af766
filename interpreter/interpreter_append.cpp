// The assignment T = T & X (and T = T + X where + joins texts): T's own
// text grows in place instead of being copied onto the stack, joined and
// copied back for every statement, so a text built by n appends costs O(n).
//
// A stack slot stands for T as the first operand: it holds the tail joined
// so far, and T itself stays untouched until the store, so X reads the old
// T as it would have. The slot settles into an ordinary value (T's text
// copied in front of the tail) before an operator other than a join takes
// it, and before anything runs that could change T: a library call, an
// object member or a built-in of the window. '$' names, array elements and
// every other form take the general path. T's length is noted at each
// store and read back at the next, so T is not measured either.
#include "interpreter.h"
#include "operator_lock.h"
#include "statement_text.h"
#include "text_append.h"
#include "text_helpers.h"
#include "text_watch.h"

namespace {

bool AppendNoted(VARIABLE& target, size_t known, const char* tail, size_t length) {
  if (!AppendToText(target, known, tail, length)) return false;
  NoteTextLength(target, known + length);
  return true;
}

}  // namespace

VARIABLE* Interpreter::FindScalar(const char* name) {
  if (name[0] == '@' && frame_) return frame_->locals.Find(name);
  return variables_->Find(name);
}

VARIABLE* Interpreter::SelfJoinTarget(const char* target, const char*& p) {
  if (appendTarget_ || *target == '$' || StartsLiteral(target)) return nullptr;
  char name[kTargetName + 1];
  const char* members;
  const char* t = ReadTargetName(target, name, members);
  if (members || *t == '(' || name[0] == 0) return nullptr;

  const char* q = SkipBlanks(p);
  if (StartsLiteral(q)) return nullptr;
  OperandName operand, member;
  bool isMember;
  q = ReadOperandName(q, operand, member, isMember);
  if (isMember || operand[0] == 0 || *q == '(' || IsConstantName(operand)) return nullptr;
  const char* op = SkipBlanks(q);
  if (*op != '+' && !(*op == '&' && IsTermOperator(op))) return nullptr;

  // Names that agree in their first 8 characters are one variable (of the
  // same scope, which the first character chooses).
  char targetKey[kNameKeySize], operandKey[kNameKeySize];
  MakeNameKey(targetKey, name);
  MakeNameKey(operandKey, operand);
  if (!SameKey(targetKey, operandKey)) return nullptr;
  VARIABLE* v = FindScalar(name);
  if (!v || v->type != VAL_STRING || !v->text) return nullptr;
  p = q;
  return v;
}

bool Interpreter::StandFor(VARIABLE* target) {
  uint16_t slot = Depth();
  if (slot >= stack_.Capacity()) return false;
  // The slot starts with an empty tail, in the text block it held before.
  VARIABLE tail;
  ValueStack::SwapPayloads(tail, *stack_.Item(slot));
  if (tail.type != VAL_STRING)
    tail.TYPE(VAL_STRING);
  else if (tail.text)
    tail.text[0] = '\0';
  stack_.PushSwap(tail);
  appendTarget_ = target;
  appendSlot_ = slot;
  return true;
}

int Interpreter::ExecGrowingAssignment(const char* target, const char*& p, uint16_t base) {
  int failed = EvaluateAfterOperand(p, base);
  // Unless it settled, the one value left is the standing slot.
  if (!failed) failed = appendTarget_ ? StoreAppend() : Assign(target);
  appendTarget_ = nullptr;
  DropTo(base);
  return failed;
}

int Interpreter::StoreAppend() {
  VARIABLE* target = appendTarget_;
  if (target->type != VAL_STRING || !target->text) {
    // Another thread (a handler) stored into T meanwhile: T as it is now,
    // and the tail, are stored the general way.
    if (SettleAppend()) return 1;
    VARIABLE* value = PopValue();
    return value ? StoreScalarMoving(target, value) : 1;
  }
  appendTarget_ = nullptr;
  VARIABLE* tail = PopValue();
  if (!tail) return 1;
  const char* text = tail->text ? tail->text : "";
  size_t known = KnownTextLength(*target), length = TextLength(text);
  if (!target->links) return AppendNoted(*target, known, text, length) ? 0 : Fail(kEvalErrorNoMemory);
  // An advised variable is told once, inside the operator section, as
  // after the store of any other value.
  OperatorSection section;
  if (!AppendNoted(*target, known, text, length)) return Fail(kEvalErrorNoMemory);
  VariableUpdated(target);
  return 0;
}
