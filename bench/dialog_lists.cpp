// Script dialog benchmark (run by hand, not a test): PUT of 10,000 rows,
// GET with a key on a 10,000-item multiple-selection list, 20 owner-drawn
// items repainted (20 handler runs), and a bitmap button read from a 1 MB
// .RES file. The dialogs are embedded in a script window of this process.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "host_globals.h"
#include "host_test_support.h"
#include "script_dialogs.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Seconds(HWND window, const std::string& text) {
  auto start = Clock::now();
  uint32_t error = RunTextInWindow(window, text.c_str());
  double s = Since(start);
  if (error) std::printf("  (error %u)\n", error);
  return s;
}

// The samples behind a 1 MB block of other data, as a 32-bit .RES file.
std::string BigResourceFile() {
  std::string samples;
  if (FILE* f = std::fopen(KORVEX_WINDOW_SAMPLES, "rb")) {
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) samples.append(chunk, n);
    std::fclose(f);
  }
  const uint32_t size = 1 << 20;
  std::vector<unsigned char> entry(32, 0);
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) entry[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put(0, size);
  put(4, 32);
  put(8, 0x000AFFFF);   // RCDATA
  put(12, 0x0001FFFF);  // number 1
  std::string file(entry.begin(), entry.end());
  file.append(size, '\x5A');
  file += samples;
  return host_test::WriteScript("big.res", file);
}

}  // namespace

int main() {
  host_test::OpenTestFrame();
  std::string samples = std::string("\"") + KORVEX_WINDOW_SAMPLES + "\"";
  std::string path = host_test::WriteScript(
      "benchdlg.bas", "REM HIDE,WINDOW\r\nN = 0\r\nEVENT 50, ITEM\r\nEND 1\r\n"
                      "ITEM:\r\nN = N + 1\r\nRESULT = \"Пункт \" & LOWORD(PARAM)\r\nEND\r\n");
  HWND window = StartScript(nullptr, path.c_str());
  host_test::PumpUntil([] { return false; }, 300);
  WindowInterpreter* owner = InterpreterOf(window);

  Seconds(window, "DIM STRING A(10000, 1)\nFOR I = 0 TO 9999\nA(I) = \"Строка \" & I\nNEXT\n"
                  "DIALOG " + samples + ", \"LISTS\", 9");
  std::printf("PUT of 10,000 rows            %8.3f s\n",
              Seconds(window, "PUT 1008, \"Строка 5000\", 10000, A"));
  std::printf("GET with a key (10,000 items) %8.3f s\n", Seconds(window, "G = GET(1008, 9999)"));

  Seconds(window, "DIALOG " + samples + ", \"LONGLIST\", 9\nPUT 1020, 1, 20, 50\nN = 0");
  HWND list = GetDlgItem(owner->EmbeddedDialog, 1020);
  auto start = Clock::now();
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  double repaint = Since(start);
  std::printf("20 owner-drawn items          %8.3f s (%d handler runs)\n", repaint,
              owner->Variables().Find("N")->lng);

  std::string big = BigResourceFile();
  SetPropA(window, kDialogRecordProperty, new DialogEventRecord{9, 32, big});
  HWND button = CreateWindowExA(0, "BUTTON", "LOGO", WS_CHILD | BS_OWNERDRAW, 0, 0, 40, 40, window,
                                nullptr, hInst, nullptr);
  HDC dc = GetDC(button);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = button;
  item.hDC = dc;
  item.rcItem = {0, 0, 40, 40};
  const int draws = 50;
  start = Clock::now();
  for (int i = 0; i < draws; ++i) DrawBitmapButton(window, &item);
  std::printf("bitmap button from 1 MB .RES  %8.3f s each\n", Since(start) / draws);
  ReleaseDC(button, dc);
  delete static_cast<DialogEventRecord*>(RemovePropA(window, kDialogRecordProperty));

  SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  host_test::PumpUntil([] { return !IsWindow(FrameWindow); }, 5000);
  return 0;
}
