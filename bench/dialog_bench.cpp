// Dialog benchmark (not a test): how long the error dialog takes to be
// ready over a large array and over a long script, beside the same dialog
// over an empty one. Each script fails on its last line; the time runs
// from the start of the run until the dialog is shown. Run it under Wine:
//   source tools/wine-env.sh && korvex_wine_up && wine build/bin/dialog_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>

#include "dialog_probe.h"
#include "host_globals.h"
#include "window_interpreter.h"

namespace {

double ReadySeconds(const std::string& text) {
  WindowInterpreter interpreter;
  interpreter.SetStart(text.c_str());
  auto start = std::chrono::steady_clock::now();
  auto shown = std::async(std::launch::async, [&] {
    HWND dialog = host_test::WaitForDialog("KORVEX", 60000);
    auto ready = std::chrono::steady_clock::now();
    if (dialog) host_test::Press(dialog, IDOK);
    return std::chrono::duration<double>(ready - start).count();
  });
  interpreter.Run(text.c_str());
  return shown.get();
}

}  // namespace

int main() {
  hInst = GetModuleHandleA(nullptr);
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "X=" + std::to_string(i) + "\n";
  std::printf("%-30s %8.3f s\n", "empty script", ReadySeconds("Y=1/0"));
  std::printf("%-30s %8.3f s\n", "DIM A(200,100): 20,000 rows", ReadySeconds("DIM A(200,100)\nY=1/0"));
  std::printf("%-30s %8.3f s\n", "5,000 lines", ReadySeconds(lines + "Y=1/0"));
  return 0;
}
