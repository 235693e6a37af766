#include "host_test_support.h"

#include <cstdio>

#include "frame_window.h"
#include "host_globals.h"
#include "interpreter.h"

namespace host_test {

namespace {

const char kIni[] = "KORVEX.INI";

}  // namespace

const std::string& ScratchDirectory() {
  static std::string directory;
  if (directory.empty()) {
    char temporary[MAX_PATH] = "";
    GetTempPathA(sizeof temporary, temporary);
    char name[64];
    std::snprintf(name, sizeof name, "korvex_host_%lu\\", GetCurrentProcessId());
    directory = std::string(temporary) + name;
    CreateDirectoryA(directory.c_str(), nullptr);
  }
  return directory;
}

std::string WriteScript(const std::string& name, const std::string& text) {
  std::string path = ScratchDirectory() + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

std::string IniWindowSize(const char* section) {
  char text[128] = "";
  GetPrivateProfileStringA(section, "WindowSize", "", text, sizeof text, kIni);
  return text;
}

void SetIniWindowSize(const char* section, const char* value) {
  WritePrivateProfileStringA(section, "WindowSize", value, kIni);
}

void OpenTestFrame() {
  hInst = GetModuleHandleA(nullptr);
  RegisterHostClasses();  // a second time changes nothing
  ScriptWindowCount = 0;
  ActiveScriptWindow = nullptr;
  LastScriptOptions = kRunHide;
  FrameWindow = CreateFrameWindow();
  if (!DialogBrush) DialogBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

}  // namespace host_test
