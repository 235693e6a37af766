// Filling the tree control from a record set. Each record that is not
// deleted becomes a node: its caption is asked from the owner's caption
// window (WM_COMMAND with the caption command and a zero-filled 128-byte
// buffer that the owner writes into), and it is placed under the first
// node whose ID value equals its OWN value, or at the top level.
#pragma once
#include <windows.h>

#include "record_set_object.h"
#include "tree_control_state.h"
#include "tree_nodes.h"

// The settings text "%d,%d,%d": caption window, caption command, sort flag
// (a missing one is 0).
struct TreeSettings {
  HWND captionWindow = nullptr;
  WPARAM captionCommand = 0;
  bool sorted = false;
};

// False when fewer than two numbers can be read (or no text).
bool ReadTreeSettings(const char* text, TreeSettings& settings);

// Adds a node for each record to the tree (the nodes there stay) and
// returns the record set to the record that was current. False when the
// record set has more records than a node can number (65535), or when the
// control was destroyed during a caption request (the fill stops at once).
// kept receives the record that was current (0: none).
bool FillTree(TreeControlState& state, RecordSetObject& records, const TreeSettings& settings,
              TreeNodes& nodes, long& kept);
