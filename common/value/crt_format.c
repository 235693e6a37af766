#undef __USE_MINGW_ANSI_STDIO
#define __USE_MINGW_ANSI_STDIO 0
#include "crt_format.h"

#include <stdio.h>

int CrtFormatV(char* buffer, size_t size, const char* format, va_list args) {
  if (size == 0) return -1;
  int n = _vsnprintf(buffer, size, format, args);
  if (n < 0 || (size_t)n >= size) {
    buffer[size - 1] = '\0';
    return -1;
  }
  return n;
}

int CrtFormat(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = CrtFormatV(buffer, size, format, args);
  va_end(args);
  return n;
}
