// The option words of DORVIN_Type: "FILE", "TABLE", "EVENT" with its number,
// "DEFAULT", joined by "|" (and "=" before EVENT's number), in any case and
// with any blanks.
#pragma once
#include <cstdint>

struct PrintOptions {
  bool file = false;      // a page file instead of the printer
  bool table = false;     // the form once per record of the first record set
  bool byDefault = false; // the default printer, without the setup dialog
  uint16_t event = 0;     // with table: the command that takes page 1's first slot
};

// Reads the options: only the first 64 characters count, blanks are dropped
// and empty tokens skipped. False for any other word, or when EVENT is not
// followed by digits.
bool ParsePrintOptions(const char* text, PrintOptions& options);
