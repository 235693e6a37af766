#include "variable.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "keyword_list.h"
#include "text_watch.h"
#include "value_internal.h"

using namespace value_internal;

unsigned VARIABLE::Error = 0;

const char kVariableTypeNames[] =
    "NULL\0LONG\0REAL\0STRING\0BOOL\0POINTER\0VARIABLE\0OBJECT\0MONEY\0DISPATCH\0IMAGE\0TIME\0GUID\0";

namespace value_internal {

int StoreText(VARIABLE& v, const char* text) {
  if (v.type == VAL_STRING && text != nullptr && text == v.text) return 1;
  v.TYPE(VAL_STRING);
  size_t length = TextLength(text);
  if (!v.Allocate(static_cast<unsigned long>(length + 1))) return 0;
  // memmove: the source may lie inside the record's own block.
  if (length) std::memmove(v.text, text, length);
  v.text[length] = '\0';
  return 1;
}

void StoreDispatch(VARIABLE& v, IDispatch* pointer, const char* name) {
  char* copy = name ? _strdup(name) : nullptr;
  if (pointer) pointer->AddRef();
  if (v.type == VAL_DISPATCH) {
    if (v.dispatch.pointer) v.dispatch.pointer->Release();
    std::free(v.dispatch.name);
  } else {
    v.TYPE(VAL_DISPATCH);
  }
  v.dispatch.pointer = pointer;
  v.dispatch.name = copy;
}

void CopyFixedPayload(VARIABLE& to, const VARIABLE& from) {
  switch (from.type) {
    case VAL_LONG:
    case VAL_BOOL:
    case VAL_POINTER:
      std::memcpy(to.raw, from.raw, 4);
      break;
    case VAL_REAL:
    case VAL_OBJECT:
    case VAL_MONEY:
    case VAL_IMAGE:
    case VAL_TIME:
      std::memcpy(to.raw, from.raw, 8);
      break;
    case VAL_GUID:
      to.guid = from.guid;
      break;
    default:  // NULL has no payload; STRING and DISPATCH are not fixed
      break;
  }
}

}  // namespace value_internal

VARIABLE::VARIABLE() : type(VAL_NULL), links(0) { std::memset(raw, 0, sizeof raw); }

VARIABLE::VARIABLE(const VARIABLE& source) : type(source.type), links(0) {
  std::memset(raw, 0, sizeof raw);
  switch (type) {
    case VAL_STRING:
      if (source.text) {
        size_t length = TextLength(source.text);
        text = static_cast<char*>(std::malloc(length + 1));
        if (text)
          std::memcpy(text, source.text, length + 1);
        else
          Error = kErrorOutOfMemory;
      }
      break;
    case VAL_DISPATCH:
      dispatch.pointer = source.dispatch.pointer;
      if (dispatch.pointer) dispatch.pointer->AddRef();
      // Each record owns its name: the destructor frees it.
      dispatch.name = source.dispatch.name ? _strdup(source.dispatch.name) : nullptr;
      break;
    default:
      CopyFixedPayload(*this, source);
      break;
  }
}

VARIABLE::~VARIABLE() {
  if (type == VAL_STRING) {
    ForgetTextLength(this);
    std::free(text);
    text = nullptr;
  } else if (type == VAL_DISPATCH) {
    if (dispatch.pointer) dispatch.pointer->Release();
    std::free(dispatch.name);
    dispatch.pointer = nullptr;
    dispatch.name = nullptr;
  }
}

VARIABLE& VARIABLE::Clear() {
  switch (type) {
    case VAL_STRING:
      ForgetTextLength(this);
      std::free(text);
      break;
    case VAL_IMAGE:
      if (image.handle) GlobalFree(image.handle);
      image.size = 0;
      break;
    case VAL_DISPATCH:
      if (dispatch.pointer) dispatch.pointer->Release();
      std::free(dispatch.name);
      break;
    default:
      break;
  }
  std::memset(raw, 0, 8);
  return *this;
}

VARIABLE& VARIABLE::TYPE(unsigned char newType) {
  if (newType != type) {
    // A DISPATCH record holds one reference: dropping it here keeps the
    // count right when a slot or variable is reused for another type.
    if (type == VAL_STRING || type == VAL_DISPATCH) Clear();
    std::memset(raw, 0, sizeof raw);
  }
  type = newType;
  return *this;
}

int VARIABLE::Allocate(unsigned long n) {
  if (type == VAL_STRING) {
    ForgetTextLength(this);  // a new text is written into the block next
    if (!text) {
      char* block = static_cast<char*>(std::malloc(n ? n : 1));
      if (!block) {
        Error = kErrorOutOfMemory;
        return 0;
      }
      block[0] = '\0';
      text = block;
    } else if (_msize(text) < n) {
      char* block = static_cast<char*>(std::realloc(text, n));
      if (!block) {
        Error = kErrorOutOfMemory;
        return 0;
      }
      text = block;
    }
    return 1;
  }
  if (type == VAL_IMAGE) {
    const UINT flags = GMEM_MOVEABLE | GMEM_ZEROINIT;
    if (!image.handle) {
      HGLOBAL block = GlobalAlloc(flags, n);
      if (!block) {
        Error = kErrorOutOfMemory;
        return 0;
      }
      image.handle = block;
    } else if (GlobalSize(image.handle) < n) {
      HGLOBAL block = GlobalReAlloc(image.handle, n, flags);
      if (!block) {
        Error = kErrorOutOfMemory;
        return 0;
      }
      image.handle = block;
    }
    image.size = n;
    return 1;
  }
  return 0;
}

unsigned char VARIABLE::Link(int add) {
  if (add != 0)
    ++links;
  else if (links != 0)
    --links;
  return links;
}

unsigned long VARIABLE::Length() const {
  if (type == VAL_STRING) return static_cast<unsigned long>(TextLength(text));
  if (type == VAL_IMAGE) return image.size;
  return 0;
}

unsigned long VARIABLE::Size() const {
  switch (type) {
    case VAL_LONG:
    case VAL_BOOL:
      return 4;
    case VAL_REAL:
    case VAL_OBJECT:
    case VAL_MONEY:
    case VAL_DISPATCH:
    case VAL_TIME:
      return 8;
    case VAL_GUID:
      return 16;
    case VAL_STRING:
      return text ? static_cast<unsigned long>(_msize(text)) : 0;
    case VAL_IMAGE:
      return image.handle ? static_cast<unsigned long>(GlobalSize(image.handle)) : 0;
    case VAL_POINTER:
      // One step only: a target that is itself a POINTER (this record, or a
      // chain that may loop) counts as a pointer of 4 bytes.
      if (!target || target->type == VAL_POINTER) return 4;
      return target->Size();
    default:
      return 0;
  }
}

VARIABLE& VARIABLE::SetLong(int32_t value) {
  TYPE(VAL_LONG);
  lng = value;
  NotifyStored(*this);
  return *this;
}

VARIABLE& VARIABLE::SetReal(double value) {
  TYPE(VAL_REAL);
  real = value;
  NotifyStored(*this);
  return *this;
}

VARIABLE& VARIABLE::SetBool(int32_t value) {
  TYPE(VAL_BOOL);
  lng = value;
  NotifyStored(*this);
  return *this;
}

VARIABLE& VARIABLE::SetMoney(MONEY value) {
  TYPE(VAL_MONEY);
  money = value;
  NotifyStored(*this);
  return *this;
}

VARIABLE& VARIABLE::SetImage(HGLOBAL handle) {
  TYPE(VAL_IMAGE);
  SIZE_T size = handle ? GlobalSize(handle) : 0;
  image.handle = size ? handle : nullptr;
  image.size = static_cast<uint32_t>(size);
  NotifyStored(*this);
  return *this;
}

VARIABLE& VARIABLE::operator=(const char* value) {
  StoreText(*this, value);
  NotifyStored(*this);
  return *this;
}

VARIABLE* VARIABLE::SetLong(VARIABLE* v, int32_t value) { return v ? &v->SetLong(value) : nullptr; }
VARIABLE* VARIABLE::SetReal(VARIABLE* v, double value) { return v ? &v->SetReal(value) : nullptr; }
VARIABLE* VARIABLE::SetBool(VARIABLE* v, int32_t value) { return v ? &v->SetBool(value) : nullptr; }
VARIABLE* VARIABLE::SetMoney(VARIABLE* v, MONEY value) { return v ? &v->SetMoney(value) : nullptr; }
VARIABLE* VARIABLE::SetImage(VARIABLE* v, HGLOBAL handle) { return v ? &v->SetImage(handle) : nullptr; }
VARIABLE* VARIABLE::SetText(VARIABLE* v, const char* value) { return v ? &(*v = value) : nullptr; }
VARIABLE* VARIABLE::SetVariant(VARIABLE* v, const VARIANT* variant) {
  return v ? &v->SetVariant(variant) : nullptr;
}
VARIABLE* VARIABLE::Assign(VARIABLE* v, const VARIABLE& source) { return v ? &v->Assign(source) : nullptr; }
VARIABLE* VARIABLE::ConvertFrom(VARIABLE* v, const VARIABLE& source) {
  return v ? &v->ConvertFrom(source) : nullptr;
}

VARIABLE VARIABLE::MakePointer() {
  VARIABLE pointer;
  pointer.type = VAL_POINTER;
  pointer.target = this;
  return pointer;
}

unsigned char VARIABLE::TypeFromLetter(char letter) {
  static const char kLetters[] = "NLRSBPVOMDITG";
  for (unsigned char code = 0; kLetters[code]; ++code)
    if (kLetters[code] == letter) return code;
  return 255;
}

const char* VARIABLE::TypeName(unsigned code) {
  if (code > VAL_GUID) return nullptr;
  return KeywordAt(kVariableTypeNames, static_cast<int>(code) + 1);
}

unsigned char VARIABLE::TypeFromName(const char* name) {
  if (!name) return 0;
  int index = KeywordIndex(kVariableTypeNames, name);
  return index ? TypeFromLetter(KeywordAt(kVariableTypeNames, index)[0]) : 0;
}
