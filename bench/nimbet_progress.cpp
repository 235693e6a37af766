// Benchmark (not a test): 1,000,000 bar moves of the progress dialog on the
// screen over a range of 1,000,000, beside the bare MulDiv loop that each
// move makes, in one run. Linked against Nimbet's import library the way
// another library uses the dialog.
//
//   wine nimbet_progress.exe
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "nimbet.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  const long n = 1000000;
  HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND dialog = PBOPEN(owner, "bench");
  if (!dialog) {
    std::printf("no dialog\n");
    return 1;
  }

  auto start = std::chrono::steady_clock::now();
  volatile int sink = 0;
  for (long i = 0; i <= n; ++i) sink = sink + MulDiv(i, 100, n);
  double bare = Seconds(start);

  start = std::chrono::steady_clock::now();
  BOOL stop = FALSE;
  for (long i = 0; i <= n; ++i) stop |= PBPOSITION(dialog, i, n);
  double moves = Seconds(start);
  PBCLOSE(dialog);
  DestroyWindow(owner);

  std::printf("MulDiv loop        %8.3f s  (%ld calls)\n", bare, n + 1);
  std::printf("PBPOSITION loop    %8.3f s  (%ld calls, stop %d)\n", moves, n + 1, stop);
  return 0;
}
