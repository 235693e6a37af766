// Runs built-ins the way the evaluator does: the arguments are pushed on a
// 64-slot value stack, the name is looked up, and the entry runs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "builtin_executor.h"
#include "variable.h"

VARIABLE L(int32_t value);
VARIABLE R(double value);
VARIABLE S(const char* text);
VARIABLE B(int32_t value);
VARIABLE N();
VARIABLE M(MONEY value);
VARIABLE Ptr(VARIABLE& target);

struct Outcome {
  int rc = 0;
  uint32_t error = 0;
  int pushed = 0;  // stack depth after the call minus before the arguments
  VARIABLE result;  // the top value when something was pushed

  Outcome() = default;
  Outcome(const Outcome& other) = default;
  Outcome& operator=(const Outcome& other) {
    rc = other.rc;
    error = other.error;
    pushed = other.pushed;
    result.Assign(other.result);
    return *this;
  }
  // "L:12", "S:abc", "B:1", "N:" for a success; "!116" for a failure.
  std::string Show() const;
};

// A name as the evaluator meets it, a conversion included.
Outcome Call(const char* name, const std::vector<VARIABLE>& args);
// The MID or POKE assignment: value, a POINTER to target, then args.
Outcome Assign(const char* name, VARIABLE& target, const std::vector<VARIABLE>& args,
               const VARIABLE& value);

// One call and the Show() it must give.
struct Case {
  const char* name;
  std::vector<VARIABLE> args;
  const char* expect;
};
void RunCases(const std::vector<Case>& cases);
