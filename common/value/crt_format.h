// The system's printf-style texts, formatted by the Windows C runtime
// (msvcrt): exponents have three digits ("0.000000E+000"). C++ code cannot
// reach msvcrt's printf directly because libstdc++ switches MinGW's own
// formatter on, so this is a C translation unit.
#pragma once
#include <stdarg.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Always zero-terminates within size; returns the length written, or -1
// when the text was cut to fit.
int CrtFormat(char* buffer, size_t size, const char* format, ...);
int CrtFormatV(char* buffer, size_t size, const char* format, va_list args);

#ifdef __cplusplus
}
#endif
