#include "library_values.h"

#include <cstring>

namespace {

const char kEmptyText[] = "";

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// A STRING's text; an empty value holds no block, and a library reading
// its parameter gets "" rather than a null pointer.
uint32_t TextWord(const VARIABLE& v) { return Address(v.text ? v.text : kEmptyText); }

}  // namespace

uint32_t ArgumentWord(unsigned char declared, VARIABLE& v, uint32_t& word) {
  word = 0;
  switch (declared) {
    case VAL_LONG:
      if (v.type == VAL_REAL) {
        // Truncated toward zero; a number that no LONG holds is refused.
        if (!(v.real > -2147483649.0 && v.real < 2147483648.0)) return kErrorNotDefined;
        word = static_cast<uint32_t>(static_cast<int32_t>(v.real));
        return 0;
      }
      if (v.type == VAL_LONG) word = static_cast<uint32_t>(v.lng);
      return v.type == VAL_LONG || v.type == VAL_NULL ? 0u : static_cast<uint32_t>(kErrorNotDefined);
    case VAL_REAL: {
      if (v.type != VAL_LONG && v.type != VAL_REAL && v.type != VAL_NULL) return kErrorNotDefined;
      float f = v.type == VAL_LONG ? static_cast<float>(v.lng)
                : v.type == VAL_REAL ? static_cast<float>(v.real) : 0.0f;
      std::memcpy(&word, &f, sizeof word);
      return 0;
    }
    case VAL_STRING:
      if (v.type == VAL_STRING) word = TextWord(v);
      else if (v.type == VAL_POINTER && v.target && v.target->type == VAL_STRING)
        word = TextWord(*v.target);
      else if (v.type != VAL_NULL && !(v.type == VAL_LONG && v.lng == 0))
        return kErrorNotDefined;
      return 0;  // NULL and LONG 0: a null pointer
    case VAL_BOOL:
      if (v.type == VAL_LONG || v.type == VAL_BOOL) word = static_cast<uint32_t>(v.lng);
      return v.type == VAL_LONG || v.type == VAL_BOOL || v.type == VAL_NULL ? 0u : static_cast<uint32_t>(kErrorNotDefined);
    case VAL_POINTER:
      if (v.type != VAL_POINTER) return kErrorNotDefined;
      word = Address(v.target);
      return 0;
    case VAL_VARIABLE:
      if (v.type == VAL_NULL) return kErrorNotDefined;
      word = Address(&v);
      return 0;
    case VAL_OBJECT:
      if (v.type == VAL_OBJECT) word = v.object.handle;
      else if (v.type == VAL_LONG) word = static_cast<uint32_t>(v.lng);
      else return kErrorNotDefined;
      return 0;
    case VAL_IMAGE:
      if (v.type != VAL_IMAGE) return kErrorNotDefined;
      word = Address(v.image.handle);
      return 0;
    case VAL_TIME:
      if (v.type != VAL_TIME) return kErrorNotDefined;
      word = static_cast<uint32_t>(v.time.date);
      return 0;
    default:  // MONEY, DISPATCH, GUID: the value is taken and 0 passed
      return 0;
  }
}

void ResultValue(unsigned char declared, uint32_t word, VARIABLE& result) {
  if (declared == VAL_NULL || declared > VAL_GUID) return;
  result.TYPE(declared);
  switch (declared) {
    case VAL_LONG:
    case VAL_BOOL:
      result.lng = static_cast<int32_t>(word);
      break;
    case VAL_IMAGE: {
      HGLOBAL block = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(word));
      SIZE_T size = block ? GlobalSize(block) : 0;
      if (size) {
        result.image.handle = block;
        result.image.size = static_cast<uint32_t>(size);
      }
      break;
    }
    case VAL_TIME:
      result.time.date = static_cast<int32_t>(word);
      result.time.seconds = 0;
      break;
    default:
      break;  // zero payload
  }
}
