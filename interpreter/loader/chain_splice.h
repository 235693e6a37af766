// CHAIN includes: replaces a CHAIN line of the text block with the contents
// of the file it names.
#pragma once
#include <windows.h>

#include "include_stack.h"

// A CHAIN line in the block: its written text runs from start to textEnd
// (it begins with `CHAIN "`); the bytes from textEnd up to end are already
// consumed by the scan; end is the line end (newline or the text's end).
struct ChainLine {
  DWORD start;
  DWORD textEnd;
  DWORD end;
};

// The block (movable, unlocked) holds length bytes of text and a NUL at
// length. The file name is the text behind `CHAIN "` up to the next '"' or
// textEnd, every blank removed. It is opened as written, then appended to the
// directory of mainPath (up to its last '\' or ':'); nested includes are
// looked up relative to the main script too. Its bytes replace the text from
// line.start up to line.end, so the line end follows them.
// Returns 0 and updates block and length, or a message number:
//   140 the file opens neither way, cannot be read, or is already open in
//       includes (a file including itself, directly or through a cycle);
//   115 the block cannot grow.
// On success the file is pushed on includes (when given), and the ends of
// the files already there move with the text.
unsigned short SpliceChainFile(HGLOBAL* block, DWORD* length, const char* mainPath, ChainLine line,
                               IncludeStack* includes);
