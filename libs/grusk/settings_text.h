// The two INI values of the print settings as text: read from and written
// to "PrintMargin" and "PrintFont". Pure functions over counted texts, so
// that a value without its terminating zero is never read past its end.
#pragma once
#include <cstddef>

#include "grusk.h"

struct Margins {
  int left, top, right, bottom;  // millimetres
};

// Decimal numbers, each followed by one separator character, for left,
// top, right and bottom; a number that is missing and those after it are 0.
Margins ParseMargins(const char* text, size_t length);
// "face,size": read only when the first character is "A" or above (as an
// unsigned byte); the face ends at the first ",", cut to 31 characters, the
// size is the number after it past "," and blanks. Otherwise "System", 10.
GruskFont ParseFont(const char* text, size_t length);

void FormatMargins(const Margins& margins, char* text, size_t size);
void FormatFont(const GruskFont& font, char* text, size_t size);
