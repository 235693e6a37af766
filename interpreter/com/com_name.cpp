// Names handed to COM: ANSI text -> UTF-16 in a fixed buffer. A name that
// does not fit is refused rather than passed cut or unterminated.
#include "com_internal.h"

namespace com_internal {

int ToWideName(const char* name, WCHAR (&wide)[kNameLimit + 1]) {
  if (!name || !*name) return 0;
  int written = MultiByteToWideChar(CP_ACP, 0, name, -1, wide, kNameLimit + 1);
  return written > 1;
}

}  // namespace com_internal
