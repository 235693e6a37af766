// The query text as a record set keeps it.
#pragma once
#include <cstddef>

// Squeezes blanks in place like SqueezeBlanks (one blank of each run, none
// at the ends, none after '(' and none before ! ) + , - . / : ; = ?) but
// over any length, and leaves '...' and "..." literals as they are.
// Returns the new length.
size_t SqueezeQuery(char* text);
// The last occurrence of word in text (case-sensitive), or null.
const char* FindLastOf(const char* text, const char* word);
