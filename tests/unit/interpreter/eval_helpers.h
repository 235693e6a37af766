// Evaluates normal-form expression text and describes the outcome as
// "TYPE:text" or "error N".
#pragma once
#include <string>

#include "interpreter.h"

inline std::string Describe(const VARIABLE& v) {
  char text[80];
  v.GetText(text, sizeof text, 1);
  return std::string(VARIABLE::TypeName(v.type)) + ":" + text;
}

inline std::string Eval(Interpreter& in, const char* text) {
  in.SetError(0);
  const char* p = text;
  unsigned depth = in.Depth();
  if (in.Evaluate(p)) {
    if (in.Depth() != depth) return "stack left at " + std::to_string(in.Depth());
    return "error " + std::to_string(in.GetError());
  }
  if (in.Depth() == depth) return "empty";
  VARIABLE* v = in.PopValue();
  return Describe(*v);
}

// Runs "target=expression" as the assignment statement does.
inline unsigned Let(Interpreter& in, const char* target, const char* expression) {
  in.SetError(0);
  const char* p = expression;
  return in.ExecAssignment(target, p) ? in.GetError() : 0;
}
