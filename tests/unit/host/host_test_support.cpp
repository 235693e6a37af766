#include "host_test_support.h"

#include <cstdio>

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

}  // namespace host_test
