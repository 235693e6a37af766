#include "korvex_session.h"

#include <cstdio>

#include "host_test_support.h"

namespace host_test {

namespace {

const DWORD kWindowTimeout = 15000;
const DWORD kExitTimeout = 10000;
// A file that exists is read once its size has held this long.
const DWORD kSettle = 100;

}  // namespace

std::string KorvexCommand() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string directory(path);
  directory.erase(directory.find_last_of('\\') + 1);
  return "\"" + directory + "korvex.exe\"";
}

HWND ScriptWindowOf(HWND frame) {
  std::vector<HWND> clients = gui::Children(frame, "MDIClient");
  if (clients.empty()) return nullptr;
  std::vector<HWND> scripts = gui::Children(clients[0], "KORVEX_CLASS");
  return scripts.empty() ? nullptr : scripts[0];
}

KorvexSession::~KorvexSession() {
  if (!korvex_.Running() || !frame_) return;
  for (HWND client : gui::Children(frame_, "MDIClient"))
    for (HWND script : gui::Children(client, "KORVEX_CLASS"))
      PostMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(script), 0);
  korvex_.WaitExit(kExitTimeout);
}

bool KorvexSession::Start(const std::string& name, const std::string& text) {
  result_ = ScratchDirectory() + name + ".result";
  DeleteFileA(result_.c_str());
  std::string script = text;
  for (size_t at; (at = script.find("%OUT%")) != std::string::npos;)
    script.replace(at, 5, result_);
  std::string path = WriteScript(name, script);
  if (!korvex_.Start(KorvexCommand() + " " + path)) return false;
  // A short script can run and end (and korvex with it) before its window
  // is seen: that counts as started too.
  bool ended = false;
  gui::WaitFor(
      [&] {
        frame_ = korvex_.WaitForWindow("KORVEX", "KORVEX", 0);
        if (frame_ && (script_ = ScriptWindowOf(frame_)) != nullptr) return true;
        return ended = !korvex_.Running();
      },
      kWindowTimeout);
  return script_ != nullptr || ended;
}

bool KorvexSession::ResultExists() const {
  return GetFileAttributesA(result_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string KorvexSession::Result(DWORD timeout) const {
  if (!gui::WaitFor([&] { return ResultExists(); }, timeout)) return "<none>";
  Sleep(kSettle);
  std::string bytes;
  FILE* f = std::fopen(result_.c_str(), "rb");
  if (!f) return "<unreadable>";
  char chunk[512];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

}  // namespace host_test
