// STRING results: new records that the host copies and hands back to
// RELEASE. Null only when no memory is left.
#pragma once
#include <cstddef>

#include "variable.h"

namespace hestel {

// A STRING holding length bytes of text (no text at all when length is 0),
// converted from OEM to ANSI when asked.
VARIABLE* NewText(const char* text, size_t length, bool fromOem = false);
VARIABLE* NewText(const char* text);
// A NULL record.
VARIABLE* NewNull();

}  // namespace hestel
