#include "print_settings.h"

#include <new>

PrintSettings* settings;

namespace {

const char kIniFile[] = "KORVEX.INI";
const char kSection[] = "MAIN";
const char kMarginKey[] = "PrintMargin";
const char kFontKey[] = "PrintFont";

// The value of key, or "" when missing; its length.
size_t ReadValue(const char* key, char* value, DWORD size) {
  return GetPrivateProfileStringA(kSection, key, "", value, size, kIniFile);
}

}  // namespace

bool CreatePrintSettings() {
  if (settings) return true;
  settings = new (std::nothrow) PrintSettings{};
  if (!settings) return false;
  settings->device = settings->names[0];
  settings->driver = settings->names[1];
  settings->port = settings->names[2];

  char value[256];
  size_t length = ReadValue(kMarginKey, value, sizeof value);
  settings->margins = ParseMargins(value, length);
  length = ReadValue(kFontKey, value, sizeof value);
  settings->font = ParseFont(value, length);
  return true;
}

void FreePrintSettings() {
  if (!settings) return;
  if (settings->devMode) GlobalFree(settings->devMode);
  if (settings->devNames) GlobalFree(settings->devNames);
  delete settings;
  settings = nullptr;
}

void SavePrintSettings() {
  char value[64];
  FormatMargins(settings->margins, value, sizeof value);
  WritePrivateProfileStringA(kSection, kMarginKey, value, kIniFile);
  if (settings->font.face[0]) {
    FormatFont(settings->font, value, sizeof value);
    WritePrivateProfileStringA(kSection, kFontKey, value, kIniFile);
  }
}
