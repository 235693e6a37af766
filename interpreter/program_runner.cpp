#include "program_runner.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "text_helpers.h"
#include "wennic.h"

namespace {

const DWORD kPollMilliseconds = 55;

void ShowStartFailure(DWORD error, const char* commandLine) {
  char text[256];
  ERRTXT(static_cast<int>(error), text, sizeof text);
  char* end = text + std::strlen(text);
  end = CopyText(end, sizeof text - (end - text), "\n");
  CopyText(end, sizeof text - (end - text), commandLine);
  ERRBOX(GetFocus(), 0, 0, text);
}

}  // namespace

unsigned long RunProgram(const char* commandLine, unsigned short showState, int wait) {
  STARTUPINFOA start;
  std::memset(&start, 0, sizeof start);
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESHOWWINDOW;
  start.wShowWindow = showState;
  start.dwX = start.dwY = start.dwXSize = start.dwYSize = static_cast<DWORD>(CW_USEDEFAULT);
  PROCESS_INFORMATION process;
  // CreateProcessA may write into the command line: give it a copy.
  std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) {
    ShowStartFailure(GetLastError(), commandLine);
    return 1;
  }
  CloseHandle(process.hThread);
  WaitForInputIdle(process.hProcess, INFINITE);
  DWORD code = 0;
  if (wait) {
    // The process handle tells when it ended: a program whose exit code is
    // 259 (the "still active" value) is not waited for forever.
    while (WaitForSingleObject(process.hProcess, kPollMilliseconds) == WAIT_TIMEOUT) {
    }
    GetExitCodeProcess(process.hProcess, &code);
  }
  CloseHandle(process.hProcess);
  return code;
}
