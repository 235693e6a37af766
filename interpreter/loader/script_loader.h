// Loading a script: the file and every file it includes with CHAIN become one
// movable global memory block in normal form (see script_scanner.h).
//
// Typical use by the interpreter:
//   unsigned short error; DWORD line;
//   HGLOBAL text = LoadScript(path, &error, &line);
//   if (!text) { if (error) show message `error` with `line`; return; }
//   char* start = (char*)GlobalLock(text);   // locked while the script runs
//   interpreter.SetStart(start); ScanScriptLabels(start, ...); Run(start);
//   GlobalUnlock(text); GlobalFree(text);    // the caller owns the block
#pragma once
#include <windows.h>

// Returns the handle of the block (unlocked, movable, NUL-terminated; the
// caller owns it), or 0 with *error set to a message number and *line to the
// line of the combined text where it was found:
//   115 no memory for the block or an include,
//   119 a line ends with open parentheses, 125 a line ends inside quotes,
//   140 the script or a CHAIN file cannot be opened or read, or a file
//       includes itself (directly or through a cycle).
// A null or empty path gives 0 with error 0. The main file is opened as
// written; CHAIN files as written or in the main file's directory.
HGLOBAL LoadScript(const char* path, unsigned short* error, DWORD* line);
