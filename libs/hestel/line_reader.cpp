#include "line_reader.h"

namespace hestel {

namespace {

const DWORD kBlock = 512;
const unsigned char kEndMark = 0x1A;

}  // namespace

void ReadTextLine(HANDLE file, bool seekable, TextLine* line) {
  line->length = 0;
  line->endOfFile = false;
  char block[kBlock];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, block, seekable ? kBlock : 1, &got, nullptr)) {
      // A block may fail where bytes before a locked range would be read:
      // go on byte by byte, so the line ends where a byte reader's would.
      if (seekable) {
        seekable = false;
        continue;
      }
      break;  // a failed read ends the line without the end mark
    }
    if (got == 0) {
      line->endOfFile = true;
      break;
    }
    DWORD used = 0;
    bool ended = false;
    while (used < got && !ended) {
      unsigned char c = static_cast<unsigned char>(block[used++]);
      if (c == '\n') {
        ended = true;
      } else if (c == kEndMark) {
        ended = line->endOfFile = true;
      } else if (c != '\r') {
        line->text[line->length++] = static_cast<char>(c);
        ended = line->length == kLineLimit;
      }
    }
    if (used < got) SetFilePointer(file, -static_cast<LONG>(got - used), nullptr, FILE_CURRENT);
    if (ended) break;
  }
  line->text[line->length] = '\0';
}

}  // namespace hestel
