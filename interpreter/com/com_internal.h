// Helpers shared by the bridge's own modules (not a public header).
#pragma once
#include <windows.h>

namespace com_internal {

// ProgIDs and member names reach COM as UTF-16 of at most 64 characters.
const int kNameLimit = 64;

// name (ANSI) -> wide; 0 for an empty name or one that does not fit.
int ToWideName(const char* name, WCHAR (&wide)[kNameLimit + 1]);

// One COM user less on this thread (none below 0); COM is uninitialised
// when the count comes back to 0.
void DropDispatchUser();

}  // namespace com_internal
