// Conversions and the text functions that cut, build and map texts.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "builtin_entries.h"
#include "long_blanks.h"
#include "crt_format.h"

namespace {

// The blank helpers count with 16 bits.
// The STRING argument copied into the result; its text, or null when the
// argument was refused or the copy could not be had (left empty).
char* CopyArgumentText(BuiltinFrame& f) {
  const char* text;
  if (!f.PopText(text)) return nullptr;
  f.SetText(text);
  return f.Result().text;
}

}  // namespace

bool RunConv(BuiltinFrame& f) {
  const char* name;
  if (!f.PopText(name)) return false;
  // Only the upper-case type letters; "N" (NULL) is no conversion target.
  unsigned char type = VARIABLE::TypeFromLetter(name[0]);
  if (type == 255 || type == VAL_NULL) return f.Fail(kBuiltinBadType);
  VARIABLE* value = f.Pop();
  if (!value) return false;
  f.Result().TYPE(type);
  VARIABLE::Error = 0;
  f.Result().ConvertFrom(*value);
  return f.CheckValueError();
}

bool RunEmpty(BuiltinFrame& f) {
  VARIABLE* v = f.Pop();
  if (!v) return false;
  bool empty;
  switch (v->type) {
    case VAL_NULL: empty = true; break;
    case VAL_POINTER: empty = v->target == nullptr; break;
    case VAL_OBJECT: empty = v->object.handle == 0; break;
    case VAL_DISPATCH: empty = v->dispatch.pointer == nullptr; break;
    case VAL_IMAGE: empty = v->image.handle == nullptr; break;
    default: empty = false; break;
  }
  f.Result().SetBool(empty ? 1 : 0);
  return true;
}

bool RunVal(BuiltinFrame& f) {
  const char* text;
  if (!f.PopText(text)) return false;
  char number[32];
  int n = 0;
  bool dot = false;
  const char* p = text;
  while (*p == ' ') ++p;
  for (; *p && n < 31; ++p) {
    if (*p == '-' && n == 0) {
    } else if (*p == '.' && !dot) {
      dot = true;
    } else if (*p < '0' || *p > '9') {
      break;
    }
    number[n++] = *p;
  }
  number[n] = '\0';
  if (dot)
    f.Result().SetReal(std::strtod(number, nullptr));
  else
    f.Result().SetLong(static_cast<int32_t>(std::strtol(number, nullptr, 10)));
  return true;
}

bool RunMid(BuiltinFrame& f) {
  int32_t count = -1, start;
  if (f.Count() == 3 && !f.PopWhole(count)) return false;
  const char* text;
  if (!f.PopWhole(start) || !f.PopText(text)) return false;
  size_t length = std::strlen(text);
  size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from >= length) return f.SetText("", 0);
  size_t rest = length - from;
  size_t n = rest;
  if (count != -1 && (count < 0 || static_cast<size_t>(count) < rest))
    n = count < 0 ? 0 : static_cast<size_t>(count);
  return f.SetText(text + from, n);
}

bool RunLeft(BuiltinFrame& f) {
  int32_t n;
  const char* text;
  if (!f.PopWhole(n) || !f.PopText(text)) return false;
  size_t length = std::strlen(text);
  if (n < 1) return f.SetText("", 0);
  return f.SetText(text, static_cast<size_t>(n) < length ? static_cast<size_t>(n) : length);
}

bool RunRight(BuiltinFrame& f) {
  int32_t n;
  const char* text;
  if (!f.PopWhole(n) || !f.PopText(text)) return false;
  size_t length = std::strlen(text);
  if (n < 1) return f.SetText("", 0);
  size_t take = static_cast<size_t>(n) < length ? static_cast<size_t>(n) : length;
  return f.SetText(text + length - take, take);
}

bool RunSpace(BuiltinFrame& f) {
  int32_t n;
  if (!f.PopWhole(n)) return false;
  size_t length = n < 1 ? 0 : static_cast<size_t>(n);
  char* out = f.MakeText(length);
  if (out) std::memset(out, ' ', length);
  return true;
}

bool RunString(BuiltinFrame& f) {
  VARIABLE* c = f.Pop();
  if (!c) return false;
  char ch;
  if (c->type == VAL_LONG)
    ch = static_cast<char>(c->lng & 0xFF);
  else if (c->type == VAL_STRING)
    ch = TextOf(*c)[0];
  else
    return f.Fail(kBuiltinBadType);
  int32_t n;
  if (!f.PopWhole(n)) return false;
  // An empty text (or code 0) repeated is still the empty text.
  size_t length = n < 1 || ch == '\0' ? 0 : static_cast<size_t>(n);
  char* out = f.MakeText(length);
  if (out) std::memset(out, ch, length);
  return true;
}

bool RunLen(BuiltinFrame& f) {
  VARIABLE* v = f.Pop();
  if (!v) return false;
  f.Result().SetLong(static_cast<int32_t>(v->Length()));
  return true;
}

bool RunChr(BuiltinFrame& f) {
  int32_t code;
  if (!f.PopWhole(code)) return false;
  char c = static_cast<char>(code & 0xFF);
  return f.SetText(&c, c ? 1 : 0);
}

bool RunAsc(BuiltinFrame& f) {
  int32_t position = 1;
  if (f.Count() == 2 && !f.PopWhole(position)) return false;
  const char* text;
  if (!f.PopText(text)) return false;
  size_t length = std::strlen(text);
  int32_t code = 0;
  if (position >= 1 && static_cast<size_t>(position) <= length)
    code = static_cast<unsigned char>(text[position - 1]);
  f.Result().SetLong(code);
  return true;
}

bool RunTrim(BuiltinFrame& f) {
  char* text = CopyArgumentText(f);
  if (text) RemoveAllBlanks(text);
  return !f.Failed();
}

bool RunCtrim(BuiltinFrame& f) {
  char* text = CopyArgumentText(f);
  if (text) SqueezeAllBlanks(text);
  return !f.Failed();
}

bool RunHex(BuiltinFrame& f) {
  int32_t n;
  if (!f.PopLong(n)) return false;
  char text[12];
  CrtFormat(text, sizeof text, "%lX", static_cast<unsigned long>(static_cast<uint32_t>(n)));
  return f.SetText(text);
}

bool RunLower(BuiltinFrame& f) {
  char* text = CopyArgumentText(f);
  if (text) CharLowerBuffA(text, static_cast<DWORD>(std::strlen(text)));
  return !f.Failed();
}

bool RunUpper(BuiltinFrame& f) {
  char* text = CopyArgumentText(f);
  if (text) CharUpperBuffA(text, static_cast<DWORD>(std::strlen(text)));
  return !f.Failed();
}

bool RunType(BuiltinFrame& f) {
  VARIABLE* v = f.Pop();
  if (!v) return false;
  const char* name = VARIABLE::TypeName(v->type);
  return f.SetText(name ? name : "NULL");
}

bool RunMidAssign(BuiltinFrame& f) {
  int32_t count = -1, start;
  if (f.Count() == 3 && !f.PopWhole(count)) return false;
  if (!f.PopWhole(start)) return false;
  VARIABLE* pointer = f.Pop(VAL_POINTER);
  if (!pointer) return false;
  VARIABLE* target = pointer->target;
  if (!target || target->type != VAL_STRING) return f.Fail(kBuiltinBadType);
  const char* value;
  if (!f.PopText(value)) return false;
  if (start < 1) start = 1;
  size_t length = target->Length();
  size_t from = static_cast<size_t>(start) - 1;
  if (from >= length) return true;
  // The variable's length never changes.
  size_t n = length - from;
  if (count != -1) n = count < 0 ? 0 : (static_cast<size_t>(count) < n ? count : n);
  size_t valueLength = std::strlen(value);
  if (valueLength < n) n = valueLength;
  std::memmove(target->text + from, value, n);
  return true;
}
