// Text functions of the library: word wrap and look-alike letters.
#pragma once
#include <string>

// Wraps text to lines of at most width characters: a line feed within the
// first width characters stays; otherwise the last blank at or before
// position width becomes a line feed; a piece longer than width without
// either is broken after width characters. Width below 1 keeps the text.
std::string WrapText(const char* text, int width);

// The text with each Latin letter that looks like a Cyrillic one (A, B, C,
// E, H, K, M, O, P, T, X, Y and a, b, c, e, h, k, m, o, p, t, x, y) replaced
// by that letter of code page 1251.
std::string CyrillicLookAlikes(const char* text);
