// The window class "PICTURE": a dialog control that shows an IMAGE (packed
// DIB) stretched over its client area and reports double clicks.
#pragma once
#include <windows.h>

extern const char kPictureClassName[];  // "PICTURE"

// Window word 0 of a PICTURE window.
struct PictureRecord {
  HWND owner;         // the script window
  WORD controlId;
  HGLOBAL image;      // not owned: the IMAGE value owns it
};

// Registers the class unless GetClassInfo finds it; 1 when it registered.
int RegisterPictureClass(HINSTANCE instance);
LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// For PUT: owner, id and image go into the record and the control is
// repainted. False when the window has no record.
bool SetPictureImage(HWND picture, HWND owner, WORD controlId, HGLOBAL image);
// For GET: the image block shown, or 0.
HGLOBAL GetPictureImage(HWND picture);
