// Message numbers the script loader and the label scan report (the texts
// live in the message library).
#pragma once

enum : unsigned short {
  kLoadErrorNoMemory = 115,       // the text block cannot be made or grown
  kLoadErrorParentheses = 119,    // "... скобки в строке %d": a line ends with open parentheses
  kLoadErrorQuotes = 125,         // "... ковычки в строке %d": a line ends inside quotes
  kLoadErrorDuplicateLabel = 127, // label scan: a label name occurs twice
  kLoadErrorOpenFile = 140,       // a CHAIN file cannot be opened or read, or includes itself
};
