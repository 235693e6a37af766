// Window rectangles in the INI file: key "WindowSize", value "%d,%d,%d,%d"
// (left, top, width, height).
#pragma once
#include <windows.h>

struct Placement {
  int left;
  int top;
  int width;
  int height;
};

// Reads four base-10 numbers, each from one character behind the end of the
// previous one, so any single separator works. A text that ends early gives
// 0 for the numbers missing.
Placement ParsePlacement(const char* text);

// The key's text in section, false when it is missing or empty.
bool ReadPlacementText(const char* section, char* text, int size);
void WritePlacement(const char* section, const Placement& placement);

// The frame's rectangle under section: the key's four numbers, or when it
// is missing 10, 10 and the screen less 20 pixels each way.
Placement ReadWindowPlacement(const char* section);
// Writes the window's screen rectangle, unless it is minimized or maximized.
void SaveWindowPlacement(HWND window, const char* section);
