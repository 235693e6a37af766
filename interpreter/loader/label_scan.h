// The label scan over a loaded script text, and the subroutine-header test.
#pragma once

// Receives one label: name is 8 characters, blank padded (not terminated);
// position is the character behind the label's ':'. Returns 0 when the name
// is already taken (or cannot be stored), which stops the scan.
typedef int (*LabelReceiver)(void* context, const char* name, const char* position);

// A ':' outside quotes and outside braces defines a label only where it ends
// the first word of its line (no character of code 32 or below before it),
// so "REM Note: x" defines none. The name is that word, cut to 8 characters.
// Braces count everywhere, also inside quotes; the quote flag starts afresh
// on every line. Returns 0, or 127 when receive refused a name, with
// *failedAt (when given) at the position behind that label's ':'.
unsigned short ScanScriptLabels(const char* text, LabelReceiver receive, void* context,
                                const char** failedAt);

// 1 when text begins with "PROC(", 2 with "FUNC(" (any case), else 0.
int IsSubroutineHeader(const char* text);
