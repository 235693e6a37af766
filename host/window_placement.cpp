#include "window_placement.h"

#include <cstdlib>

#include "crt_format.h"
#include "host_globals.h"

namespace {

const char kKey[] = "WindowSize";

// A number at *p; *p moves one character behind it, but never past the end.
int NextNumber(const char*& p) {
  char* end = nullptr;
  long value = std::strtol(p, &end, 10);
  p = *end ? end + 1 : end;
  return static_cast<int>(value);
}

}  // namespace

Placement ParsePlacement(const char* text) {
  const char* p = text;
  Placement placement;
  placement.left = NextNumber(p);
  placement.top = NextNumber(p);
  placement.width = NextNumber(p);
  placement.height = NextNumber(p);
  return placement;
}

bool ReadPlacementText(const char* section, char* text, int size) {
  GetPrivateProfileStringA(section, kKey, "", text, static_cast<DWORD>(size), kIniFileName);
  return text[0] != '\0';
}

void WritePlacement(const char* section, const Placement& placement) {
  char text[64];
  CrtFormat(text, sizeof text, "%d,%d,%d,%d", placement.left, placement.top, placement.width,
            placement.height);
  WritePrivateProfileStringA(section, kKey, text, kIniFileName);
}

Placement ReadWindowPlacement(const char* section) {
  char text[64];
  if (ReadPlacementText(section, text, sizeof text)) return ParsePlacement(text);
  return Placement{10, 10, GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20};
}

void SaveWindowPlacement(HWND window, const char* section) {
  if (IsIconic(window) || IsZoomed(window)) return;
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  WritePlacement(section, Placement{r.left, r.top, r.right - r.left, r.bottom - r.top});
}
