// The script's lines in a dialog's list box, with the line of a text
// position selected.
#pragma once
#include <windows.h>

class Interpreter;

// The loaded text that holds position: from scriptStart when position lies
// within that text (its end included), else the script module whose text
// holds it; null when there is none (a command text, a null position).
const char* FindSourceText(const char* scriptStart, const char* position);

// The line of text that holds position, counted from 0: a position at a
// newline belongs to the line it ends, one at the text's end to the last
// line (a final newline adds no line). -1 for an empty text.
int LineOfPosition(const char* text, const char* position);

// The dialog's caption becomes the script window's title (79 characters),
// static 1001 the interpreter's error text when there is an error, and list
// box 1003 the lines of the text holding position, that line selected and
// scrolled to the top.
void FillSourceList(Interpreter& interpreter, HWND scriptWindow, const char* position,
                    HWND dialog);
