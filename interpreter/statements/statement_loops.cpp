// FOR, LOOP, NEXT, CONTINUE and EXIT.
#include <cstdint>
#include <cstring>

#include "interpreter.h"
#include "operator_lock.h"
#include "shared_variables.h"
#include "statement_text.h"

namespace {

bool IsLoopWord(const char* p) {
  if (StartsWithNoCase(p, "FOR ")) return true;
  return StartsWithNoCase(p, "LOOP") && (p[4] == ' ' || IsStatementEnd(p[4]));
}

// A label in front of a statement ("NAME:" with no blank or quote in it).
const char* SkipLabelPrefix(const char* p) {
  const char* q = p;
  while (*q > ' ' && *q != ':' && *q != '"' && *q != ';' && *q != '=' && *q != '(') ++q;
  return *q == ':' ? q + 1 : p;
}

// True when the loop with this frame is done: past the limit in the
// direction of the step.
int LoopFinished(LoopFrame& f, unsigned& error) {
  VARIABLE* v = f.variable;
  if (v->type == VAL_LONG && f.step.type == VAL_LONG && f.limit.type == VAL_LONG)
    return f.step.lng > 0 ? v->lng > f.limit.lng : v->lng < f.limit.lng;
  OperatorSection section;
  VARIABLE zero;
  zero.SetLong(0);
  int finished = VARIABLE::Greater(&f.step, &zero) ? VARIABLE::Greater(v, &f.limit)
                                                   : VARIABLE::Less(v, &f.limit);
  error = section.TakeError();
  return finished;
}

// LONG + LONG without leaving the LONG range needs no value library.
bool StepLong(VARIABLE* v, const VARIABLE& step) {
  if (v->type != VAL_LONG || step.type != VAL_LONG || v->links) return false;
  int64_t next = static_cast<int64_t>(v->lng) + step.lng;
  if (next < INT32_MIN || next > INT32_MAX) return false;
  v->lng = static_cast<int32_t>(next);
  return true;
}

}  // namespace

const char* Interpreter::FindLoopEnd(const char* body) {
  int nested = 0;
  const char* p = ::StatementEnd(body);
  for (;;) {
    p = SkipSeparators(p);
    if (!*p) return nullptr;
    p = SkipLabelPrefix(p);
    if (IsLoopWord(p)) {
      ++nested;
    } else if (StartsWithNoCase(p, "NEXT")) {
      const char* q = SkipBlanks(p + 4);
      if (IsStatementEnd(*q)) {
        if (nested == 0) return q;
        --nested;
      }
    } else if (StartsWith(p, "REM")) {
      p = SkipRemBlock(SkipBlanks(p + 3));
      if (!p) return nullptr;
    }
    p = ::StatementEnd(p);
  }
}

int Interpreter::PushLoop(const LoopFrame& frame) {
  LoopFrame& f = loops_[loopDepth_++];
  f.variable = frame.variable;
  f.limit.Assign(frame.limit);
  f.step.Assign(frame.step);
  f.bodyStart = frame.bodyStart;
  f.end = frame.end;
  f.ifDepth = frame.ifDepth;
  f.shared = frame.shared;
  return 0;
}

int Interpreter::ExecFor() {
  if (loopDepth_ >= kLoopFrames) return Fail(kRunErrorLoopStack);
  LoopFrame f;
  f.limit.SetLong(0);
  f.step.SetLong(1);
  f.ifDepth = ifDepth_;

  const char* p = position_;
  char name[kNameKeySize + 1];
  int n = 0;
  for (; *p != '=' && !IsStatementEnd(*p); ++p)
    if (n < kNameKeySize && *p != ' ') name[n++] = *p;
  name[n] = 0;
  if (*p != '=' || n == 0) return Fail(kEvalErrorSyntax);
  ++p;

  bool shared = name[0] == '$';
  VARIABLE* variable;
  {
    SharedVariablesGuard guard(shared);
    uint32_t error = 0;
    variable = ResolveScalar(name, error);
    if (!variable) return Fail(error);
    if (variable->type == VAL_NULL) variable->TYPE(VAL_LONG);
  }
  if (EvaluateRequired(p)) return 1;
  {
    VARIABLE* start = PopValue();
    if (!start) return 1;
    SharedVariablesGuard guard(shared);
    if (StoreScalar(variable, *start)) return 1;
  }

  p = SkipBlanks(p);
  if (!StartsWithNoCase(p, "TO") || !(p[2] == ' ' || p[2] == '-' || p[2] == '+' || p[2] == '('))
    return Fail(kEvalErrorSyntax);
  p += 2;
  if (EvaluateRequired(p)) return 1;
  f.limit.Assign(*PopValue());

  p = SkipBlanks(p);
  if (StartsWithNoCase(p, "STEP") && (p[4] == ' ' || p[4] == '-' || p[4] == '+' || p[4] == '(')) {
    p += 4;
    if (EvaluateRequired(p)) return 1;
    f.step.Assign(*PopValue());
  }

  f.bodyStart = p;
  f.end = FindLoopEnd(p);
  if (!f.end) return Fail(kRunErrorForWithoutNext);
  f.variable = variable;
  f.shared = shared;
  unsigned error = 0;
  int finished;
  {
    SharedVariablesGuard guard(shared);
    finished = LoopFinished(f, error);
  }
  if (error) return Fail(error);
  if (finished) {
    position_ = f.end;
    return 0;
  }
  position_ = p;
  return PushLoop(f);
}

int Interpreter::ExecLoop() {
  if (loopDepth_ >= kLoopFrames) return Fail(kRunErrorLoopStack);
  LoopFrame f;
  f.bodyStart = ::StatementEnd(position_);
  f.end = FindLoopEnd(position_);
  if (!f.end) return Fail(kRunErrorForWithoutNext);
  f.ifDepth = ifDepth_;
  position_ = f.bodyStart;
  return PushLoop(f);
}

int Interpreter::ExecNext(bool checked) {
  if (loopDepth_ == 0 || (checked && position_ != loops_[loopDepth_ - 1].end))
    return Fail(kRunErrorNextWithoutFor);
  LoopFrame& f = loops_[loopDepth_ - 1];
  ifDepth_ = f.ifDepth;
  if (f.variable) {
    // A '$' loop variable is stepped under the table's lock.
    SharedVariablesGuard guard(f.shared);
    unsigned error = 0;
    if (!StepLong(f.variable, f.step)) {
      OperatorSection section;
      VARIABLE next = VARIABLE::Add(f.variable, &f.step);
      if (!VARIABLE::Error) f.variable->Assign(next);
      error = section.TakeError();
    }
    if (error) return Fail(error);
    int finished = LoopFinished(f, error);
    if (error) return Fail(error);
    if (finished) {
      position_ = f.end;
      --loopDepth_;
      return 0;
    }
  }
  position_ = f.bodyStart;
  return 0;
}

int Interpreter::ExecExit() {
  if (loopDepth_ == 0) return Fail(kRunErrorExitWithoutFor);
  LoopFrame& f = loops_[--loopDepth_];
  ifDepth_ = f.ifDepth;
  position_ = f.end;
  return 0;
}
