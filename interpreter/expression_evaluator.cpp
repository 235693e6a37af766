#include "expression_evaluator.h"

#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "operator_lock.h"
#include "statement_text.h"
#include "text_append.h"
#include "text_helpers.h"
#include "text_watch.h"

namespace {

// Deep enough for any sensible script; keeps the recursion off the end of a
// thread's stack for text like "((((...".
const int kMaxNesting = 128;
// A decimal literal keeps at most this many characters.
const int kNumberLength = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsRadixLiteral(const char* p) {
  return p[0] == '&' && (p[1] == 'H' || p[1] == 'B' || p[1] == 'O');
}

int DigitValue(char c, int radix) {
  int d;
  if (IsDigit(c))
    d = c - '0';
  else if (radix == 16 && c >= 'A' && c <= 'F')
    d = c - 'A' + 10;
  else
    return -1;
  return d < radix ? d : -1;
}

// Applies one binary operator to the two temporaries (inside the section).
VARIABLE Compute(char op, char second, VARIABLE& left, VARIABLE& right) {
  VARIABLE result;
  switch (op) {
    case '+':
      return VARIABLE::Add(&left, &right);
    case '-':
      return VARIABLE::Subtract(&left, &right);
    case '*':
      return VARIABLE::Multiply(&left, &right);
    case '/':
      return VARIABLE::Divide(&left, &right);
    case '&':
      if (second == '&') return result.SetBool(left.lng != 0 && right.lng != 0), result;
      return VARIABLE::Ampersand(&left, &right);
    case '|':
      if (second == '|') return result.SetBool(left.lng != 0 || right.lng != 0), result;
      return VARIABLE::Bar(&left, &right);
    case '=':
      result.SetBool(VARIABLE::Equal(&left, &right));
      return result;
    case '<':
      if (second == '=')
        result.SetBool(VARIABLE::LessEqual(&left, &right));
      else if (second == '>')
        result.SetBool(VARIABLE::NotEqual(&left, &right));
      else
        result.SetBool(VARIABLE::Less(&left, &right));
      return result;
    case '>':
      if (second == '=')
        result.SetBool(VARIABLE::GreaterEqual(&left, &right));
      else
        result.SetBool(VARIABLE::Greater(&left, &right));
      return result;
    default:
      VARIABLE::Error = kEvalErrorSyntax;
      return result;
  }
}

struct NestingGuard {
  explicit NestingGuard(int& n) : count(n) { ++count; }
  ~NestingGuard() { --count; }
  int& count;
};

}  // namespace

int ExpressionEvaluator::CallBuiltin(const char*, const char*&) { return -1; }

const char* ExpressionEvaluator::FindLabel(const char*) { return nullptr; }

int ExpressionEvaluator::FailMissing(const char* p) {
  return Fail(IsStatementEnd(*p) ? kEvalErrorUnexpectedEnd : kEvalErrorSyntax);
}

int ExpressionEvaluator::RequireValue(int (ExpressionEvaluator::*level)(const char*&),
                                      const char*& p) {
  uint16_t before = Depth();
  if ((this->*level)(p)) return 1;
  if (Depth() == before) return FailMissing(p);
  return 0;
}

int ExpressionEvaluator::Evaluate(const char*& p) {
  uint16_t base = Depth();
  return EndExpression(ParseComparison(p), base);
}

int ExpressionEvaluator::EvaluateAfterOperand(const char*& p, uint16_t base) {
  int failed = ContinueTerm(p, base) || ContinueAdditive(p, base) || ContinueComparison(p, base);
  return EndExpression(failed, base);
}

int ExpressionEvaluator::EndExpression(int failed, uint16_t base) {
  if (!failed) {
    if (Depth() <= base + 1) return 0;
    Fail(kEvalErrorSyntax);
  }
  DropTo(base);
  return 1;
}

int ExpressionEvaluator::EvaluateRequired(const char*& p) {
  uint16_t base = Depth();
  if (Evaluate(p)) return 1;
  return Depth() == base ? FailMissing(p) : 0;
}

int ExpressionEvaluator::ParseComparison(const char*& p) {
  uint16_t base = Depth();
  if (ParseAdditive(p)) return 1;
  return ContinueComparison(p, base);
}

int ExpressionEvaluator::ContinueComparison(const char*& p, uint16_t base) {
  for (;;) {
    const char* q = SkipBlanks(p);
    char op = *q;
    if (op != '<' && op != '>' && op != '=') return 0;
    char second = 0;
    ++q;
    if (*q == '>' || *q == '=') second = *q++;
    if (Depth() == base) return Fail(kEvalErrorSyntax);
    p = q;
    if (RequireValue(&ExpressionEvaluator::ParseAdditive, p)) return 1;
    if (ApplyOperator(op, second)) return 1;
  }
}

int ExpressionEvaluator::ParseAdditive(const char*& p) {
  uint16_t base = Depth();
  if (ParseTerm(p)) return 1;
  return ContinueAdditive(p, base);
}

int ExpressionEvaluator::ContinueAdditive(const char*& p, uint16_t base) {
  for (;;) {
    const char* q = SkipBlanks(p);
    char op = *q;
    if (op != '+' && op != '-') return 0;
    if (Depth() == base) return Fail(kEvalErrorSyntax);
    p = q + 1;
    if (RequireValue(&ExpressionEvaluator::ParseTerm, p)) return 1;
    if (ApplyOperator(op, 0)) return 1;
  }
}

int ExpressionEvaluator::ParseTerm(const char*& p) {
  uint16_t base = Depth();
  if (ParseUnary(p)) return 1;
  return ContinueTerm(p, base);
}

int ExpressionEvaluator::ContinueTerm(const char*& p, uint16_t base) {
  for (;;) {
    const char* q = SkipBlanks(p);
    if (!IsTermOperator(q)) return 0;
    char op = *q;
    if (Depth() == base) return Fail(kEvalErrorSyntax);
    p = q + 1;
    if (RequireValue(&ExpressionEvaluator::ParseUnary, p)) return 1;
    if (ApplyOperator(op, 0)) return 1;
  }
}

bool ExpressionEvaluator::IsTermOperator(const char* q) {
  switch (*q) {
    case '&':
      // "&&" ends the expression, except "&&H..." which is '&' applied to
      // an &H, &B or &O literal ("X = &HFF & &H0F" loads as X=&HFF&&H0F).
      return q[1] != '&' || StartsRadixLiteral(q + 1);
    case '|':
      return q[1] != '|';
    case '*':
    case '/':
      return true;
    default:
      return false;
  }
}

int ExpressionEvaluator::ParseUnary(const char*& p) {
  NestingGuard guard(nesting_);
  if (nesting_ > kMaxNesting) return Fail(kEvalErrorTooLong);
  const char* q = SkipBlanks(p);
  char c = *q;
  if (c == '(') {
    uint16_t base = Depth();
    p = q + 1;
    if (ParseComparison(p)) return 1;
    p = SkipBlanks(p);
    if (*p != ')') return Fail(kEvalErrorSyntax);
    ++p;
    if (Depth() == base) return Fail(kEvalErrorSyntax);
    return 0;
  }
  if (c == '-' || c == '~' || c == '!') {
    p = q + 1;
    if (RequireValue(&ExpressionEvaluator::ParseUnary, p)) return 1;
    return ApplyUnary(c);
  }
  uint16_t base = Depth();
  const char* start = p;
  p = q;
  if (EvaluateOperand(p)) return 1;
  if (Depth() == base) p = start;  // an empty operand consumes nothing
  return 0;
}

int ExpressionEvaluator::ApplyOperator(char op, char second) {
  VARIABLE* right = PopValue();
  if (!right) return 1;
  VARIABLE* left = PopValue();
  if (!left) return 1;
  // The popped slots stay valid until the next push.
  if (left->type == VAL_LONG && right->type == VAL_LONG && ApplyLongFast(op, second, *left, *right))
    return 0;
  bool join = (op == '&' && second != '&') || op == '+';
  if (appendTarget_ && Depth() == appendSlot_) {
    // The left operand is the growing assignment's own text: a join adds to
    // the slot's tail; anything else needs the whole text as a value.
    if (join && JoinInto(op, *left, *right)) return 0;
    if (SettleAppend()) return 1;
  }
  // The popped slots are dead: their payloads move into the operands
  // rather than being copied (long texts would be copied over and over).
  if (join && left->type == VAL_STRING && JoinInto(op, *left, *right)) return 0;
  VARIABLE r, l;
  ValueStack::SwapPayloads(r, *right);
  ValueStack::SwapPayloads(l, *left);
  unsigned e;
  {
    OperatorSection section;
    VARIABLE result = Compute(op, second, l, r);
    e = section.TakeError();
    if (!e && !stack_.PushSwap(result)) e = kEvalErrorTooLong;
  }
  return e ? Fail(e) : 0;
}

bool ExpressionEvaluator::JoinInto(char op, VARIABLE& left, const VARIABLE& right) {
  // left, a dead STRING slot, takes right's text in place and is pushed
  // again: its text grows with room to spare, so a text built up piece by
  // piece is not copied whole for every piece. Without room, or for a right
  // operand the join makes no text of, the operator itself is to run (and
  // report); left is then unchanged.
  char local[kValueTextSize];
  const char* tail = VARIABLE::JoinedText(op, right, local);
  if (!tail || !AppendToText(left, TextLength(left.text), tail, TextLength(tail))) return false;
  VARIABLE moved;
  ValueStack::SwapPayloads(moved, left);
  stack_.PushSwap(moved);  // the two pops made room: left's own slot again
  return true;
}

int ExpressionEvaluator::SettleAppend() {
  // The slot becomes an ordinary STRING: the target's text, then the tail.
  VARIABLE* slot = stack_.Item(appendSlot_);
  const char* head = appendTarget_->type == VAL_STRING ? appendTarget_->text : nullptr;
  size_t a = head ? KnownTextLength(*appendTarget_) : 0, b = TextLength(slot->text);
  appendTarget_ = nullptr;
  char* text = static_cast<char*>(std::malloc(a + b + 1));
  if (!text) return Fail(kEvalErrorNoMemory);
  if (a) std::memcpy(text, head, a);
  if (b) std::memcpy(text + a, slot->text, b);
  text[a + b] = '\0';
  std::free(slot->text);
  slot->text = text;
  return 0;
}

bool ExpressionEvaluator::ApplyLongFast(char op, char second, const VARIABLE& left,
                                        const VARIABLE& right) {
  // LONG arithmetic that stays in range and LONG comparisons cannot fail:
  // they need neither the value library nor the operator section.
  int64_t a = left.lng, b = right.lng, r;
  bool compare = false;
  switch (op) {
    case '+': r = a + b; break;
    case '-': r = a - b; break;
    case '*': r = a * b; break;
    case '=': r = a == b; compare = true; break;
    case '<':
      r = second == '=' ? a <= b : second == '>' ? a != b : a < b;
      compare = true;
      break;
    case '>':
      r = second == '=' ? a >= b : a > b;
      compare = true;
      break;
    default:
      return false;
  }
  if (!compare && (r < INT32_MIN || r > INT32_MAX)) return false;
  VARIABLE result;
  if (compare)
    result.SetBool(static_cast<int32_t>(r));
  else
    result.SetLong(static_cast<int32_t>(r));
  return stack_.PushPlain(result) != 0;
}

int ExpressionEvaluator::ApplyUnary(char op) {
  VARIABLE* top = PopValue();
  if (!top) return 1;
  unsigned e;
  {
    OperatorSection section;
    VARIABLE v(*top);
    if (op == '-')
      v.Negate();
    else if (op == '~')
      v.BitNot();
    else if (op == '!')
      v.Not();
    else
      VARIABLE::Error = kEvalErrorSyntax;
    e = section.TakeError();
    if (!e) e = PushInSection(v);
  }
  return e ? Fail(e) : 0;
}

int ExpressionEvaluator::ParseArguments(const char*& p, bool bracketEnds) {
  uint16_t base = Depth();
  const char* q = SkipBlanks(p);
  if (*q == ')' || (bracketEnds && *q == ']')) {
    p = q;
    return 0;
  }
  int count = 0;
  for (;;) {
    p = SkipBlanks(p);
    if (IsStatementEnd(*p)) {
      Fail(kEvalErrorUnexpectedEnd);
      break;
    }
    uint16_t before = Depth();
    if (Evaluate(p)) break;
    if (Depth() == before) {
      FailMissing(p);
      break;
    }
    ++count;
    p = SkipBlanks(p);
    if (*p == 0 || *p == ')' || (bracketEnds && *p == ']')) return count;
    if (*p != ',') {
      Fail(kEvalErrorSyntax);
      break;
    }
    ++p;
  }
  DropTo(base);
  return -1;
}

int ExpressionEvaluator::PopIndex(int32_t& index) {
  VARIABLE* v = PopValue();
  if (!v) return 1;
  if (v->type != VAL_LONG) return Fail(kEvalErrorIndexNotLong);
  index = v->lng;
  return 0;
}

int ExpressionEvaluator::ParseIndices(const char*& p, int32_t& row, int32_t& col) {
  uint16_t base = Depth();
  col = 0;
  if (RequireValue(&ExpressionEvaluator::ParseComparison, p) || PopIndex(row)) {
    DropTo(base);
    return 1;
  }
  if (*p == ',') {
    ++p;
    if (RequireValue(&ExpressionEvaluator::ParseComparison, p) || PopIndex(col)) {
      DropTo(base);
      return 1;
    }
  }
  if (*p != ')') return Fail(kEvalErrorSyntax);
  ++p;
  return 0;
}

int ExpressionEvaluator::ParseLiteral(const char*& p) {
  if (*p == '"') {
    const char* start = p + 1;
    const char* end = start;
    while (*end && *end != '"' && *end != '\n') ++end;
    if (*end != '"') return Fail(kEvalErrorSyntax);
    p = end + 1;
    return PushText(start, static_cast<size_t>(end - start));
  }
  if (StartsRadixLiteral(p)) {
    int radix = p[1] == 'H' ? 16 : p[1] == 'B' ? 2 : 8;
    p += 2;
    uint32_t value = 0;  // 32 bits, wrapping like the original accumulator
    for (int d; (d = DigitValue(*p, radix)) >= 0; ++p)
      value = value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(d);
    return PushLong(static_cast<int32_t>(value));
  }
  char digits[kNumberLength + 1];
  int n = 0;
  bool point = false, exponent = false;
  for (;; ++p) {
    char c = *p;
    if (c == '.') {
      if (point) return Fail(kEvalErrorSyntax);
      point = true;
    } else if (c == 'E') {
      if (exponent) break;
      exponent = true;
    } else if (c == '-') {
      if (n != 0 && digits[n - 1] != 'E') break;
    } else if (!IsDigit(c)) {
      break;
    }
    if (n == kNumberLength) return Fail(kEvalErrorSyntax);
    digits[n++] = c;
  }
  digits[n] = 0;
  if (n == 0) return Fail(kEvalErrorSyntax);
  if (point || exponent) return PushReal(std::strtod(digits, nullptr));
  // Whole numbers saturate at the LONG range, as strtol does.
  bool negative = digits[0] == '-';
  int64_t value = 0;
  for (const char* d = digits + negative; *d; ++d) {
    value = value * 10 + (*d - '0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) value = 2147483647LL;
  return PushLong(static_cast<int32_t>(value));
}
