#include "message_compose.h"

#include <cstdlib>

#include "bounded_text.h"
#include "wennic.h"

namespace {

const char* FindArgumentMark(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (p[0] == '%' && (p[1] == 's' || p[1] == 'd')) return p;
  }
  return nullptr;
}

}  // namespace

int ComposeMessage(const char* message, int flags, const char* argument, char* out, int size) {
  char number[12];
  const char* value = nullptr;
  if (argument && (flags & kErrBoxStringArgument)) {
    value = argument;  // the text form wins when both bits are set
  } else if (argument && (flags & kErrBoxIntegerArgument)) {
    value = _itoa(*reinterpret_cast<const int*>(argument), number, 10);
  }
  BoundedText text(out, size);
  const char* mark = value ? FindArgumentMark(message) : nullptr;
  if (!mark) {
    text.Append(message);
  } else {
    text.Append(message, static_cast<int>(mark - message));
    text.Append(value);
    text.Append(mark + 2);
  }
  return text.Length();
}
