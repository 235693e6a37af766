// Wennic: the system's numbered message texts and its error message box.
// korvex and the libraries that show numbered messages link the target
// Wennic (its import library) and include this header.
#pragma once
#include <windows.h>

#ifdef WENNIC_BUILD
#define WENNIC_API extern "C" __declspec(dllexport)
#else
#define WENNIC_API extern "C" __declspec(dllimport)
#endif

// ERRBOX flags: these four bits say how the argument is put into the text;
// every other bit is a MessageBoxA style.
constexpr int kErrBoxStringArgument = 0x01000000;   // the argument is a text
constexpr int kErrBoxIntegerArgument = 0x02000000;  // it points to an int
constexpr int kErrBoxFormatBits = 0x0F000000;

// Shows message `number` (0: the argument is the text) with the caption
// "ОШИБКА" and the stop icon; returns the button pressed, 0 when nothing is
// shown (no such text, or number 0 without an argument).
WENNIC_API int WINAPI ERRBOX(HWND owner, int number, int flags, const char* argument);

// Writes the text of `number` (0: empty; above 240: the operating system's
// text of that error, or the number in decimal) cut to size-1 characters;
// returns its length.
WENNIC_API int WINAPI ERRTXT(int number, char* buffer, int size);

// Writes the table text of `number` cut to size-1 characters; returns its
// length, 0 when there is none.
WENNIC_API int WINAPI MSGTXT(int number, char* buffer, int size);
