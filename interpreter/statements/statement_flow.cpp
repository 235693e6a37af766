// IF, ELSE, ENDIF, GOTO, ON, END and REM.
#include <cstring>

#include "interpreter.h"
#include "statement_text.h"

namespace {

// "AND" and "OR" are whole words: a blank or '(' follows.
int JoinAt(const char* p) {
  if (std::strncmp(p, "AND", 3) == 0 && (p[3] == ' ' || p[3] == '(')) return 3;
  if (std::strncmp(p, "OR", 2) == 0 && (p[2] == ' ' || p[2] == '(')) return 2;
  return 0;
}

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '_' || c == '$' || c == '@' || static_cast<unsigned char>(c) >= 128;
}

}  // namespace

const char* Interpreter::ReadLabel(const char*& p) {
  char name[kNameKeySize + 1];
  statement_text::ReadName(p, name, sizeof name, [](char c) { return c == ' '; });
  const char* target = FindLabel(name);
  if (!target) Fail(kRunErrorNoLabel);
  return target;
}

void Interpreter::UnwindLoops(const char* target) {
  while (loopDepth_ > 0) {
    const LoopFrame& f = loops_[loopDepth_ - 1];
    if (target >= f.bodyStart && target <= f.end) break;
    --loopDepth_;
  }
}

void Interpreter::JumpTo(const char* target) {
  UnwindLoops(target);
  position_ = target;
}

int Interpreter::ParseConditionTerm(const char*& p) {
  p = SkipBlanks(p);
  if (std::strncmp(p, "NOT", 3) == 0 && (p[3] == ' ' || p[3] == '(')) {
    p += p[3] == ' ' ? 4 : 3;
    if (ParseConditionTerm(p)) return 1;
    VARIABLE* v = PopValue();
    if (!v) return 1;
    if (v->type != VAL_BOOL) return Fail(kEvalErrorBadType);
    return PushBool(v->lng == 0);
  }
  if (*p == '(') {
    // A condition in parentheses; when something other than a join, THEN,
    // GOTO or ')' follows it, the parentheses belong to an expression.
    const char* q = p + 1;
    uint16_t base = Depth();
    uint32_t saved = error_;
    if (ParseCondition(q) == 0 && *q == ')') {
      const char* after = SkipBlanks(q + 1);
      if (JoinAt(after) || StartsWith(after, "THEN") || StartsWith(after, "GOTO") ||
          *after == ')' || IsStatementEnd(*after)) {
        p = q + 1;
        return 0;
      }
    }
    DropTo(base);
    error_ = saved;
  }
  if (EvaluateRequired(p)) return 1;
  return 0;
}

int Interpreter::ParseCondition(const char*& p) {
  if (ParseConditionTerm(p)) return 1;
  for (;;) {
    const char* q = SkipBlanks(p);
    int join = JoinAt(q);
    if (!join) {
      p = q;
      return 0;
    }
    bool isAnd = join == 3;
    q += join;
    if (ParseConditionTerm(q)) return 1;
    p = q;
    VARIABLE* right = PopValue();
    if (!right) return 1;
    int32_t r = right->lng;
    VARIABLE* left = PopValue();
    if (!left) return 1;
    int32_t l = left->lng;
    if (PushBool(isAnd ? (l != 0 && r != 0) : (l != 0 || r != 0))) return 1;
  }
}

int Interpreter::ExecIf(StatementEnd& how) {
  how = kSkipRest;
  uint16_t base = Depth();
  const char* p = position_;
  if (ParseCondition(p)) {
    DropTo(base);
    return 1;
  }
  VARIABLE* v = PopValue();
  DropTo(base);
  if (!v) return 1;
  bool isBool = v->type == VAL_BOOL;
  bool value = v->lng != 0;
  p = SkipBlanks(p);
  if (StartsWith(p, "THEN")) {
    if (!isBool) return Fail(kEvalErrorBadType);
    p = SkipBlanks(p + 4);
    if (*p == '\n' || *p == 0) {
      if (ifDepth_ + 1 >= kIfLevels) return Fail(kRunErrorIfStack);
      ifLevels_[++ifDepth_] = value;
      position_ = p;
      return 0;
    }
    how = kNoSkip;
    position_ = value ? p : LineEnd(p);
    return 0;
  }
  if (StartsWith(p, "GOTO") && !IsWordChar(p[4])) {
    if (!isBool) return Fail(kEvalErrorBadType);
    p = SkipBlanks(p + 4);
    const char* target = ReadLabel(p);
    if (!target) return 1;
    if (value) {
      JumpTo(target);
      how = kNoSkip;
    } else {
      position_ = p;
    }
    return 0;
  }
  return Fail(kEvalErrorSyntax);
}

int Interpreter::ExecElse() {
  if (ifDepth_ == 0) return Fail(kRunErrorElseWithoutIf);
  ifLevels_[ifDepth_] = !ifLevels_[ifDepth_];
  return 0;
}

int Interpreter::ExecEndif() {
  if (ifDepth_ == 0) return Fail(kRunErrorEndifWithoutIf);
  --ifDepth_;
  return 0;
}

int Interpreter::ExecGoto() {
  const char* p = position_;
  const char* target = ReadLabel(p);
  if (!target) return 1;
  JumpTo(target);
  return 0;
}

int Interpreter::ExecOn() {
  const char* p = position_;
  if (EvaluateRequired(p)) return 1;
  VARIABLE* v = PopValue();
  if (!v) return 1;
  int32_t n;
  if (v->type == VAL_LONG)
    n = v->lng;
  else if (v->type == VAL_REAL)
    n = static_cast<int32_t>(v->real);
  else
    return Fail(kEvalErrorBadType);
  if (n < 1) return 0;

  p = SkipBlanks(p);
  bool gosub;
  if (StartsWithNoCase(p, "GOTO "))
    gosub = false;
  else if (StartsWithNoCase(p, "GOSUB "))
    gosub = true;
  else
    return Fail(kEvalErrorSyntax);
  p = SkipBlanks(p + (gosub ? 6 : 5));

  for (int i = 1; i < n; ++i) {
    while (*p != ',' && !IsStatementEnd(*p)) ++p;
    if (*p != ',') return 0;  // a shorter list does nothing
    p = SkipBlanks(p + 1);
  }
  char name[kNameKeySize + 1];
  statement_text::ReadName(p, name, sizeof name, [](char c) { return c == ',' || c == ' '; });
  const char* target = FindLabel(name);
  if (!target) return Fail(kRunErrorNoLabel);
  if (!gosub) {
    JumpTo(target);
    return 0;
  }
  // The RETURN resumes behind the whole ON statement.
  position_ = ::StatementEnd(p);
  return CallSubroutine(target) ? 0 : 1;
}

int Interpreter::ExecEnd(uint32_t& result) {
  uint16_t base = Depth();
  const char* p = position_;
  if (Evaluate(p)) return 1;
  position_ = p;
  if (Depth() == base) {
    result = 1;
    return 0;
  }
  VARIABLE* v = PopValue();
  if (!v) return 1;
  result = static_cast<uint32_t>(v->lng);
  DropTo(base);
  return 0;
}

int Interpreter::ExecRem() {
  const char* behind = SkipRemBlock(position_);
  if (!behind) return Fail(kRunErrorLabelRange);
  position_ = behind;
  return 0;
}
