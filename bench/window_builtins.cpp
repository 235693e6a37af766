// Window built-ins benchmark (run by hand, not a test): CALC beside Wine's
// JScript eval of the same expression in cscript, VARGET between two script
// windows, and EVENT(0, code) to 20 script windows. The windows live in a
// hidden frame of this process.
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "start_script.h"

namespace {

const int kWindows = 20;

double Seconds(HWND window, const std::string& text) {
  auto start = std::chrono::steady_clock::now();
  uint32_t error = RunTextInWindow(window, text.c_str());
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (error) std::printf("  (error %u)\n", error);
  return s;
}

// cscript's own timing of 10,000 evals, in seconds (negative when it failed).
double JScriptSeconds() {
  std::string script = host_test::WriteScript(
      "calc.js",
      "var X = 3, t = new Date();\r\n"
      "for (var i = 0; i < 10000; i++) eval(\"X*2+1 > 5 && X < 9\");\r\n"
      "WScript.Echo(new Date() - t);\r\n");
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read, write;
  if (!CreatePipe(&read, &write, &inherit, 0)) return -1;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  PROCESS_INFORMATION process = {};
  std::string line = "cscript.exe //nologo \"" + script + "\"";
  BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &process);
  CloseHandle(write);
  if (!started) {
    CloseHandle(read);
    return -1;
  }
  std::string output;
  char chunk[256];
  DWORD n;
  while (ReadFile(read, chunk, sizeof chunk, &n, nullptr) && n) output.append(chunk, n);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read);
  return output.empty() ? -1 : std::atof(output.c_str()) / 1000.0;
}

}  // namespace

int main() {
  host_test::OpenTestFrame();
  std::string path = host_test::WriteScript(
      "benchwin.bas", "REM HIDE,WINDOW\r\nX = 5\r\nN = 0\r\nCOMMAND 40100, \"N = N + 1\"\r\n");
  std::vector<HWND> windows;
  for (int i = 0; i < kWindows; ++i) windows.push_back(StartScript(nullptr, path.c_str()));
  host_test::PumpUntil([] { return false; }, 500);  // the bodies run

  double calc = Seconds(windows[0], "X = 3\nFOR I = 1 TO 10000\nA = CALC(\"X*2+1 > 5 AND X < 9\")\nNEXT");
  double loop = Seconds(windows[0], "FOR I = 1 TO 10000\nA = 1\nNEXT");
  double jscript = JScriptSeconds();
  std::printf("10,000 CALC               %8.3f s (the loop alone %.3f s)\n", calc, loop);
  std::printf("10,000 JScript eval       %8.3f s  ratio %.1fx\n", jscript, calc / jscript);
  std::string other = std::to_string(reinterpret_cast<intptr_t>(windows[1]));
  std::printf("10,000 VARGET             %8.3f s\n",
              Seconds(windows[0], "H = " + other + "\nFOR I = 1 TO 10000\nV = VARGET(H, \"X\")\nNEXT"));
  // From a script thread each request crosses to the GUI thread.
  std::string thread = host_test::WriteScript(
      "benchvar.bas", "H = " + other + "\r\nFOR I = 1 TO 10000\r\nV = VARGET(H, \"X\")\r\nNEXT\r\n");
  auto start = std::chrono::steady_clock::now();
  HWND reader = StartScript(nullptr, thread.c_str());
  host_test::PumpUntil([&] { return !IsWindow(reader); }, 60000);
  std::printf("10,000 VARGET (thread)    %8.3f s\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  {
    static HWND target;
    target = windows[1];
    static volatile bool done;
    done = false;
    auto t0 = std::chrono::steady_clock::now();
    DWORD mainThread = GetCurrentThreadId();
    std::thread th([mainThread] {
      for (int i = 0; i < 10000; ++i) SendMessageA(target, WM_NULL, 0, 0);
      done = true;
      PostThreadMessageA(mainThread, WM_NULL, 0, 0);
    });
    MSG m;
    while (!done && GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    th.join();
    std::printf("10,000 bare SendMessage (thread) %8.3f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  std::printf("500 EVENT(0) to %d windows %8.3f s\n", kWindows,
              Seconds(windows[0], "FOR I = 1 TO 500\nC = EVENT(0, 40100)\nNEXT"));

  for (HWND window : windows) SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  host_test::PumpUntil([] { return !IsWindow(FrameWindow); }, 5000);
  return 0;
}
