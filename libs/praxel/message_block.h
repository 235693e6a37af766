// The text block of a quiet connection attempt: a moveable global block
// that starts with a 16-bit count of the bytes in use (the count's own two
// included), then the texts, each followed by CR LF, and a zero byte.
#pragma once
#include <windows.h>

// Appends text and CR LF, growing the block when needed (the handle, which
// may change, is stored back through block). FALSE for a null or unusable
// block, a null text, a block that cannot grow, or a count past 16 bits.
BOOL AppendMessageText(HGLOBAL* block, const char* text);
