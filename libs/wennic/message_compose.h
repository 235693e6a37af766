// The text that ERRBOX shows: the first "%s" or "%d" of a message is
// replaced by the argument, written as the flags say (its text, or the
// integer it points to); everything else stays as written. The message is
// never used as a printf format, so texts and arguments holding '%' are safe.
#pragma once

// Writes at most size-1 characters and the zero into out; returns the length.
int ComposeMessage(const char* message, int flags, const char* argument, char* out, int size);
