#include "text_append.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>

bool AppendToText(VARIABLE& v, size_t known, const char* tail, size_t length) {
  size_t need = known + length + 1;
  if (!v.text || _msize(v.text) < need) {
    size_t room = need < 64 ? 64 : need + need / 2;
    char* grown = static_cast<char*>(std::realloc(v.text, room));
    if (!grown) return false;
    v.text = grown;
  }
  if (length) std::memcpy(v.text + known, tail, length);
  v.text[known + length] = '\0';
  return true;
}
