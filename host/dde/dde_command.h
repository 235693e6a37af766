// Command texts that DDE clients execute: "[X=5][Y = X+1]" becomes the
// script lines "X=5" and "Y=X+1".
#pragma once
#include <cstddef>
#include <string>

// Cleans size bytes of text (or up to a NUL before them) into cleaned:
// outside double quotes blanks and '[' are dropped and ']' ends a line;
// within quotes everything stays. False (cleaned undefined) when a ']' or
// the text's end comes with parentheses open, a ')' comes before its '(',
// or the text ends inside quotes.
bool CleanDdeCommand(const char* text, size_t size, std::string& cleaned);
