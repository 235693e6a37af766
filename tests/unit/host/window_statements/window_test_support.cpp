#include "window_test_support.h"

#include <cstdio>

#include "frame_window.h"
#include "gui_driver.h"
#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

namespace window_test {

namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      gui::ClassOf(window) == "#32770")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::string ScratchFile(const std::string& name) { return host_test::ScratchDirectory() + name; }

std::string ReadWhenThere(const std::string& path, DWORD timeout) {
  if (!gui::WaitFor([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
                    timeout))
    return "<none>";
  Sleep(100);  // let the writer finish
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char chunk[512];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
    std::fclose(f);
  }
  return bytes;
}

void RunUnixCommand(const std::string& commandLine) {
  // A program of the machine gives Wine no handle to wait on: it leaves a
  // marker file when it is done.
  static int count = 0;
  std::string marker = "/tmp/korvex_unix_" + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(++count);
  std::string line = "/bin/sh -c \"" + commandLine + "; touch " + marker + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string windowsMarker = "Z:" + marker;
  for (char& c : windowsMarker)
    if (c == '/') c = '\\';
  gui::WaitFor([&] { return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; },
               15000);
  DeleteFileA(windowsMarker.c_str());
}

void Screenshot(const std::string& name) {
  CreateDirectoryA(KORVEX_SHOTS_DIR, nullptr);
  RunUnixCommand("/usr/bin/import -window root " KORVEX_SHOTS_UNIX_DIR "/" + name + ".png");
}

unsigned long XWindowOf(HWND window) {
  return static_cast<unsigned long>(
      reinterpret_cast<uintptr_t>(GetPropA(window, "__wine_x11_whole_window")));
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

HWND WaitForDialog(const gui::Program& program, const char* title, DWORD timeout) {
  HWND found = nullptr;
  gui::WaitFor(
      [&] {
        found = program.WaitForWindow("#32770", title, 0);
        return found && IsWindowVisible(found);
      },
      timeout);
  return found && IsWindowVisible(found) ? found : nullptr;
}

std::string WindowSamples() { return KORVEX_WINDOW_SAMPLES; }
std::string HostSamples() { return KORVEX_SAMPLE_RES; }

DialogAnswerer::DialogAnswerer(int button, const char* spare)
    : button_(button), spare_(spare ? spare : ""), thread_([this] { Watch(); }) {}

DialogAnswerer::~DialogAnswerer() {
  done_ = true;
  thread_.join();
}

std::vector<std::string> DialogAnswerer::Seen() {
  std::lock_guard<std::mutex> hold(lock_);
  return seen_;
}

void DialogAnswerer::Watch() {
  while (!done_) {
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
      {
        std::lock_guard<std::mutex> hold(lock_);
        if (!spare_.empty() && gui::WindowText(dialog) == spare_) continue;
        if (!answered_.insert(dialog).second) continue;
      }
      std::string seen = gui::WindowText(dialog) + ": " + gui::WaitForMessageBoxText(dialog, 3000);
      {
        std::lock_guard<std::mutex> hold(lock_);
        seen_.push_back(seen);
      }
      PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button_), 0);
    }
    Sleep(20);
  }
}

HWND WindowScripts::keeper_ = nullptr;

DialogDriver::DialogDriver(const char* title, std::function<void(HWND)> act)
    : thread_([this, title, act] {
        HWND dialog = nullptr;
        gui::WaitFor(
            [&] {
              dialog = FindWindowA("#32770", title);
              return dialog && IsWindowVisible(dialog);
            },
            10000);
        if (!dialog || !IsWindowVisible(dialog)) return;
        act(dialog);
        acted_ = true;
      }) {}

DialogDriver::~DialogDriver() { thread_.join(); }

void WindowScripts::SetUpTestSuite() {
  host_test::OpenTestFrame();
  keeper_ = StartScript(nullptr, host_test::WriteScript("keeper.bas", "REM WINDOW\nA = 1\n").c_str());
  LastScriptOptions |= kRunHide;
}

void WindowScripts::TearDownTestSuite() { host_test::CloseTestFrame(); }

void WindowScripts::SetUp() {
  ASSERT_TRUE(IsWindow(FrameWindow));
  ASSERT_TRUE(IsWindow(keeper_));
  CurrentAccelerators = nullptr;
}

void WindowScripts::TearDown() {
  for (HWND child : gui::Children(MdiClient, nullptr))
    if (child != keeper_) SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  // Script threads still running end on their own; wait for their windows.
  host_test::PumpUntil([] { return ScriptWindowCount == 1; }, 5000);
}

HWND WindowScripts::Open(const std::string& name, const std::string& body) {
  HWND window = Start(name, "REM WINDOW\r\n" + body + "READY = 1\r\nEND 1\r\n");
  EXPECT_TRUE(window && WaitForVariable(window, "READY")) << name;
  return window;
}

HWND WindowScripts::Start(const std::string& name, const std::string& text) {
  HWND window = StartScript(nullptr, host_test::WriteScript(name, text).c_str());
  LastScriptOptions |= kRunHide;
  return window;
}

VARIABLE* WindowScripts::WaitForVariable(HWND window, const char* name, DWORD timeout) {
  VARIABLE* v = nullptr;
  host_test::PumpUntil(
      [&] {
        WindowInterpreter* interpreter = InterpreterOf(window);
        return interpreter && (v = interpreter->Variables().Find(name)) != nullptr;
      },
      timeout);
  return v;
}

int32_t WindowScripts::Long(HWND window, const char* name) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  VARIABLE* v = interpreter ? interpreter->Variables().Find(name) : nullptr;
  return v && (v->type == VAL_LONG || v->type == VAL_BOOL) ? v->lng : -999;
}

std::string WindowScripts::Text(HWND window, const char* name) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  VARIABLE* v = interpreter ? interpreter->Variables().Find(name) : nullptr;
  if (!v) return "<missing>";
  char text[512];
  return v->GetText(text, sizeof text, 0);
}

uint32_t WindowScripts::Run(HWND window, const std::string& text, int button,
                            std::vector<std::string>* seen) {
  DialogAnswerer answerer(button);
  uint32_t error = RunTextInWindow(window, text.c_str());
  if (seen) *seen = answerer.Seen();
  return error;
}

void WindowScripts::Pump(DWORD milliseconds) {
  host_test::PumpUntil([] { return false; }, milliseconds);
}

bool WindowScripts::WaitForFrameEnd(DWORD timeout) { return host_test::WaitForFrameEnd(timeout); }

}  // namespace window_test
