// The text of a MONEY column: rounded to two decimals at the '.'.
#pragma once
#include <cstddef>

// Rounds a decimal text in place half up at its third decimal (when it has
// one), with the carry running to the front (past a sign), and pads it to
// two decimals; a text without '.' gets ".00". capacity bounds the result.
// Returns the new length.
size_t RoundMoneyText(char* text, size_t capacity);
