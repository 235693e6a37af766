// Shared by the benchmarks: timing, exports called directly, and (for
// Hestel's) a VBScript peer run under cscript whose output is its own
// seconds and count.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

template <typename F>
double Seconds(F f) {
  auto start = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds since start.
inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Milliseconds from one point to another, and since a point.
inline double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}
inline double Ms(Clock::time_point from) { return Ms(from, Clock::now()); }

// Exports taking and giving 32-bit words, and a pointer as such a word.
using Word = uint32_t;
using Call1 = Word(WINAPI*)(Word);
using Call2 = Word(WINAPI*)(Word, Word);
using Call3 = Word(WINAPI*)(Word, Word, Word);

inline Word W(const void* p) { return static_cast<Word>(reinterpret_cast<uintptr_t>(p)); }

// Times two loops in turns and keeps each one's shortest run, so that a
// busy machine slows neither more than the other.
template <typename F, typename G>
void BestInTurns(F f, G g, double* fBest, double* gBest, int rounds = 5) {
  *fBest = *gBest = 1e30;
  for (int i = 0; i < rounds; ++i) {
    double s = Seconds(f);
    if (s < *fBest) *fBest = s;
    s = Seconds(g);
    if (s < *gBest) *gBest = s;
  }
}

// Runs "cscript //nologo <script> <argument>" and reads "<seconds> <count>"
// from its output; false when it did not run.
inline bool RunVbs(const std::string& script, const std::string& argument, double* seconds, long* count) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "cscript //nologo \"" + script + "\" \"" + argument + "\"";
  PROCESS_INFORMATION pi = {};
  BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &si, &pi);
  CloseHandle(writeEnd);
  std::string output;
  char buffer[256];
  DWORD got;
  while (started && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
  CloseHandle(readEnd);
  if (!started) return false;
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return std::sscanf(output.c_str(), "%lf %ld", seconds, count) == 2;
}

template <typename F>
F Export(HMODULE library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The export; when it is missing the program says so and ends (code 2).
template <typename F>
F NeededExport(HMODULE library, const char* name) {
  F f = Export<F>(library, name);
  if (!f) {
    std::fprintf(stderr, "no export %s\n", name);
    std::exit(2);
  }
  return f;
}

// HESTEL loaded as the binder loads it; null (and said so) when missing.
inline HMODULE LoadHestel() {
  HMODULE hestel = LoadLibraryA("HESTEL");
  if (!hestel) std::printf("HESTEL not found\n");
  return hestel;
}

struct Run {
  const char* what;
  long count;
  double seconds;  // 0: did not run
};

// One line a run, then Hestel's speed beside the others', in the order
// given (the first is the headline); a run that did not run gives no ratio.
inline void Compare(const char* unit, const Run& hestel, const Run& first, const Run& second) {
  for (const Run& run : {hestel, first, second}) {
    if (run.seconds > 0)
      std::printf("%-36s %8ld %s %8.3f s %12.0f %s/s\n", run.what, run.count, unit, run.seconds,
                  run.count / run.seconds, unit);
    else
      std::printf("%-36s did not run\n", run.what);
  }
  std::printf("speed of %s:", hestel.what);
  const char* separator = " ";
  for (const Run& run : {first, second}) {
    if (run.seconds <= 0) continue;
    std::printf("%s%.2f times %s's", separator, run.seconds / hestel.seconds, run.what);
    separator = ", ";
  }
  std::printf("\n");
}

}  // namespace bench
