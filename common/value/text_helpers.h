// Small text utilities over zero-terminated ANSI (1251) texts.
#pragma once
#include <cstddef>

// Length of a text, 0 for a null pointer.
size_t TextLength(const char* text);
// Copies at most capacity - 1 characters and the zero; returns a pointer to
// the copied zero (null when capacity is 0).
char* CopyText(char* destination, size_t capacity, const char* source);
// Keeps ASCII letters, digits and the 1251 Cyrillic letters (0xC0-0xFF).
int FilterIdentifierChars(char* destination, int size, const char* source);
// Breaks lines at blanks so that pieces are shorter than width; returns the
// length of the last piece. Width below 1 leaves the text as it is.
int WrapLines(char* text, int width);
// Inserts separator between groups of three characters before the '.';
// returns the new length (the text is unchanged when it would not fit).
int GroupThousands(char* text, size_t capacity, char separator);
// Turns \n, \r, \t into their characters; the result is never longer.
int UnescapeText(char* destination, const char* source);
int CountChar(const char* text, char c);
// The locale's decimal separator (GetNumberFormatA of "1.10").
char DecimalSeparator();
