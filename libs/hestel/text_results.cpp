#include "text_results.h"

#include <cstring>
#include <new>

#include <windows.h>

namespace hestel {

VARIABLE* NewText(const char* text, size_t length, bool fromOem) {
  VARIABLE* v = new (std::nothrow) VARIABLE;
  if (!v) return nullptr;
  v->TYPE(VAL_STRING);
  if (length && v->Allocate(static_cast<unsigned long>(length + 1))) {
    std::memcpy(v->text, text, length);
    v->text[length] = '\0';
    if (fromOem) OemToCharBuffA(v->text, v->text, static_cast<DWORD>(length));
  }
  return v;
}

VARIABLE* NewText(const char* text) { return NewText(text, text ? std::strlen(text) : 0); }

VARIABLE* NewNull() { return new (std::nothrow) VARIABLE; }

}  // namespace hestel
