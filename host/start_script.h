// Starting a script in a new script window of this process.
#pragma once
#include <windows.h>

// Loads the script the path names (cleaned by CleanScriptPath) and opens
// its window: a WINDOW script is run on the GUI thread from a posted
// message, any other on a thread of its own. Returns the window, or 0 after
// the message that says why (a missing file is message 2). parent becomes
// the script's HPARENT.
HWND StartScript(HWND parent, const char* path);
