// The tree control's state, made at WM_CREATE and kept in the window's
// first extra word: its tree view and the indexes of its three images.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct TreeControlState {
  HWND tree = nullptr;
  HIMAGELIST images = nullptr;
  // Indexes in the image list of the bitmaps 103, 102 (a node) and 101 (a
  // selected node).
  int image[3] = {-1, -1, -1};
  // Fills running: a caption request runs the owner's code, which may start
  // another fill or destroy the control.
  int fills = 0;
  // The control was destroyed while a fill ran: the fill stops, and the
  // last one to end frees the state.
  bool destroyed = false;
};
