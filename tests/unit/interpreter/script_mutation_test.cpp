// Damaged scripts: the test scripts truncated, with lines duplicated and
// bytes flipped, are loaded and run under a statement budget. Each must end
// normally or with a numbered error; none may crash or hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gui_driver.h"
#include "interpreter.h"
#include "script_loader.h"

namespace {

class Budgeted : public Interpreter {
 public:
  int statements = 0;
  // Every statement asks OnStop (the text starts with TRON).
  int OnStop(const char*) override { return ++statements > 2000; }
  // Unknown statements (PRINT and the like) are accepted and passed over.
  int ExecUnknownStatement(const char*) override { return 1; }
};

// Answered boxes close at once (no 2 s wait for a window manager).
const bool unmanaged = (gui::UseUnmanagedWindows(), true);

std::vector<std::string> ScriptTexts() {
  std::vector<std::string> texts;
  WIN32_FIND_DATAA found;
  std::string dir = KORVEX_SCRIPTS_DIR;
  HANDLE h = FindFirstFileA((dir + "\\*.bas").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return texts;
  do {
    std::ifstream in(dir + "\\" + found.cFileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    texts.push_back(s.str());
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return texts;
}

// Damaged calls into the bound libraries may open message boxes or dialogs
// that wait for a user: a watcher answers them, so they cannot hang a run.
class DialogAnswerer {
 public:
  DialogAnswerer() : thread_([this] {
      while (!stop_) {
        EnumWindows(AnswerOne, 0);
        Sleep(100);
      }
    }) {}
  ~DialogAnswerer() {
    stop_ = true;
    thread_.join();
  }
  int answered() const { return answered_; }

 private:
  static BOOL CALLBACK AnswerOne(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = "";
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameA(window, name, sizeof name) && strcmp(name, "#32770") == 0) {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(window, WM_CLOSE, 0, 0);
      ++answered_;
    }
    return TRUE;
  }
  static std::atomic<int> answered_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
std::atomic<int> DialogAnswerer::answered_{0};

std::string Mutate(const std::string& text, std::mt19937& random) {
  std::string t = text;
  switch (random() % 3) {
    case 0:
      t.resize(random() % (t.size() + 1));
      break;
    case 1: {
      size_t a = random() % (t.size() + 1);
      size_t b = t.find('\n', a);
      if (b == std::string::npos) b = t.size();
      size_t start = t.rfind('\n', a ? a - 1 : 0);
      start = start == std::string::npos ? 0 : start + 1;
      t.insert(b, "\n" + t.substr(start, b - start));
      break;
    }
    default:
      for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n && !t.empty(); ++i)
        t[random() % t.size()] = static_cast<char>(random() % 256);
  }
  return "TRON\n" + t;
}

TEST(ScriptMutation, DamagedScriptsEndWithoutCrashOrHang) {
  // Libraries that the scripts bind show message boxes for what a damaged
  // script asks of them (a record set of no connection, a failed connect):
  // they are answered, so that they cannot stop the run.
  gui::BoxWatcher boxes({IDCANCEL});
  std::vector<std::string> texts = ScriptTexts();
  ASSERT_GE(texts.size(), 3u);
  // The scripts make files and folders (some in the temporary folder) that
  // the script tests running alongside use too: the damaged copies work in
  // a folder of their own.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string own = std::string(dir) + "korvex_mutants_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(own.c_str(), nullptr);
  SetEnvironmentVariableA("TEMP", own.c_str());
  SetEnvironmentVariableA("TMP", own.c_str());
  SetCurrentDirectoryA(own.c_str());
  std::string path = own + "\\korvex_mutant.bas";
  std::mt19937 random(getenv("KORVEX_MUTANT_SEED") ? atoi(getenv("KORVEX_MUTANT_SEED")) : 20261208);
  int loaded = 0, failed = 0;
  DialogAnswerer answerer;
  for (int round = 0; round < 3000; ++round) {
    const std::string& source = texts[round % texts.size()];
    std::string mutant = Mutate(source, random);
    if (getenv("KORVEX_MUTANT_TRACE")) {
      fprintf(stderr, "round %d\n%s\n----\n", round, mutant.c_str());
      fflush(stderr);
    }
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << mutant;
    }
    unsigned short error = 0;
    DWORD line = 0;
    HGLOBAL block = LoadScript(path.c_str(), &error, &line);
    if (!block) {
      EXPECT_NE(0, error) << mutant;
      continue;
    }
    ++loaded;
    const char* start = static_cast<const char*>(GlobalLock(block));
    {
      Budgeted in;
      in.SetStart(start);
      if (in.ScanLabels(start)) in.Run(start);
      EXPECT_LE(in.statements, 2001) << mutant;
      if (in.GetError()) {
        ++failed;
        EXPECT_LT(in.GetError(), 200u) << mutant;
      }
      EXPECT_EQ(0, in.Depth()) << mutant;
    }
    GlobalUnlock(block);
    GlobalFree(block);
  }
  DeleteFileA(path.c_str());
  SetCurrentDirectoryA(dir);
  RemoveDirectoryA(own.c_str());  // when the scripts left nothing behind
  EXPECT_GT(loaded, 1000);
  EXPECT_GT(failed, 100);
}

}  // namespace
