// The window text buffer: text a script window collects with WRITE (items
// separated by tabs, lines ended by CR LF) before handing it to the
// clipboard or a file. Library windows reach it through window requests.
// The record is the window property "BUFFER".
#pragma once
#include <windows.h>

#include <cstdint>

// Sizes and the length are 32-bit: the block grows as long as memory lasts;
// a text that cannot be made room for is refused with 115, nothing of it
// appended.
struct WindowBuffer {
  HGLOBAL text = nullptr;  // movable, zeroed, shareable; unlocked between calls
  uint32_t length = 0;     // bytes used, without the closing NUL
  uint16_t atLineStart = 1;  // a new buffer starts a line: no leading tab

  // "\r\n" alone ends the line; any other text is one item, a tab in front
  // unless the line has just begun. Returns the characters appended (the
  // tab counted); 0 for a null text, and 0 with error 115 when the block
  // cannot grow.
  int Append(const char* item, uint32_t& error);

 private:
  // Room for count more characters; false (115) when none can be made.
  bool Reserve(uint32_t count, uint32_t& error);
};

// Finds or makes the window's record (115 when it cannot) and appends.
int AppendWindowBuffer(HWND window, const char* text, uint32_t& error);
// The text block, or 0 when the window has none.
HGLOBAL GetWindowBuffer(HWND window);
// The block goes to the clipboard as CF_TEXT (and belongs to it): 1. When
// the clipboard refuses, message 148 is shown and the text stays in the
// buffer: 0. No buffer: 0.
int CopyWindowBufferToClipboard(HWND window);
// Frees block and record and removes the property: 1, or 0 when none.
int FreeWindowBuffer(HWND window);
// Writes the text to a file (replace: create or truncate; else append,
// creating a file that cannot be opened) and empties the buffer: 1. No
// buffer, or a file that cannot be made or written: 0, the text kept.
// The DOS form writes it in the OEM code page.
int BufferToFile(HWND window, const char* name, int replace);
int BufferToDosFile(HWND window, const char* name, int replace);
