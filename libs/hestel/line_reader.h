// One text line read from a file's current position. LF ends a line, CR is
// dropped, 0x1A or the end of the file ends it and marks the end; a line
// stops at 511 bytes and goes on with the next read. The file is left just
// after the bytes the line used, as if it had been read a byte at a time.
#pragma once
#include <windows.h>

namespace hestel {

const int kLineLimit = 511;

struct TextLine {
  char text[kLineLimit + 1];
  int length;
  bool endOfFile;  // 0x1A or the end of the file was met
};

// A disk file is read in blocks and the position set back after the line;
// a handle that cannot seek is read a byte at a time.
void ReadTextLine(HANDLE file, bool seekable, TextLine* line);

}  // namespace hestel
