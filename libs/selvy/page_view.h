// The page view's object: one per "SELVYCLASS" window, in its window long 0.
#pragma once
#include <windows.h>

#include <cstdint>

#include "page_reading.h"

// Event numbers of SELVY_Event: WM_COMMAND 2000 + n goes to the owner.
enum ViewEvent { kTabEvent = 1, kEscapeEvent = 2, kHelpEvent = 3 };

struct PageView {
  HWND window;
  BYTE* buffer;  // the whole page file, or null
  double xScale, yScale;
  int32_t hPos, vPos;              // scroll positions, screen units
  int32_t clickX, clickY;          // the last right click
  int32_t clientWidth, clientHeight;  // at the last paint
  int32_t dataLength;
  uint8_t pageCount;    // the highest page number found
  uint8_t page;         // the current page, 1-based; 0 when nothing is loaded
  uint16_t events[3];   // TAB, ESCAPE, HELP: 0 off, else the code that turned it on
  HWND owner;
  BYTE* editRecord;     // the record the edit dialog works on

  selvy::PageBufferRef BufferRef() { return selvy::PageBufferRef{&buffer, &dataLength, &pageCount}; }
  bool Loaded() const { return buffer && page; }
};

extern const char kViewClass[];  // "SELVYCLASS"

// The view object of a live "SELVYCLASS" window of this process; null for
// anything else.
PageView* ViewOf(HWND window);

// Reads a page file into the view (the handle is closed): page 1 shown.
bool LoadPageFile(PageView* view, HANDLE file);
// Sends WM_COMMAND 2000 + n with the parameter to the owner (the view
// when it has none) when the event is on.
void FireEvent(PageView* view, ViewEvent event, LPARAM parameter);

// Registered at the library's first attach, unregistered at its last.
bool RegisterViewClass(HINSTANCE instance);
void UnregisterViewClass(HINSTANCE instance);
