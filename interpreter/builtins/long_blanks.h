// Blank removal over whole texts. The value library's blank helpers count
// with 16 bits and would end a longer text after its first 65535 bytes;
// built-in results may be longer, so these run to the terminating zero
// with the same rules.
#pragma once
#include <cstddef>

// Every blank removed; returns the new length.
size_t RemoveAllBlanks(char* text);
// As SqueezeBlanks: trimmed, one blank kept of each inner run, blanks after
// '(' and before any of ! ) + , - . / : ; = ? dropped.
size_t SqueezeAllBlanks(char* text);
