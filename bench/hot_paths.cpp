// Hot-path benchmark (not a test): times the pieces one statement of the
// run loop is made of, to show where the interpreter spends its time.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "interpreter.h"
#include "operator_lock.h"

namespace {

template <typename F>
void Time(const char* what, int rounds, F f) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-28s %8.0f ns\n", what, s * 1e9 / rounds);
}

}  // namespace

int main() {
  const int n = 200000;
  Interpreter in;
  const char* setup = "S=0\nI=5\nT=\"abc\"";
  in.SetStart(setup);
  in.Run(setup);

  Time("operator section", n, [] { OperatorSection s; });
  VARIABLE a, b;
  a.SetLong(3);
  b.SetLong(4);
  Time("VARIABLE::Add (LONG)", n, [&] { OperatorSection s; VARIABLE r = VARIABLE::Add(&a, &b); });
  Time("push and pop a LONG", n, [&] { in.PushValue(a); in.PopValue(); });
  Time("evaluate literal 1", n, [&] { const char* p = "1"; in.Evaluate(p); in.DropTo(0); });
  Time("evaluate name S", n, [&] { const char* p = "S"; in.Evaluate(p); in.DropTo(0); });
  Time("evaluate S+I*2-1", n, [&] { const char* p = "S+I*2-1"; in.Evaluate(p); in.DropTo(0); });
  Time("statement S=S+I*2-1", n, [&] { const char* p = "S+I*2-1"; in.ExecAssignment("S=", p); });
  const char* loop = "FOR J=1 TO 200000\nNEXT";
  in.SetPosition(loop);
  auto start = std::chrono::steady_clock::now();
  in.Run(loop);
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-28s %8.0f ns\n", "empty FOR round (NEXT)", s * 1e9 / 200000);
  const char* body = "FOR J=1 TO 200000\nS=S+I*2-1\nNEXT";
  start = std::chrono::steady_clock::now();
  in.Run(body);
  s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-28s %8.0f ns\n", "FOR round with one statement", s * 1e9 / 200000);
  return 0;
}
