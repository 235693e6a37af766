// Argument conversion: a script value as the VARIANT a server receives.
#include "com_bridge.h"

namespace {

// POINTER chains longer than this are taken for a loop.
const int kPointerHops = 64;

// ANSI text -> a new BSTR; 0 when it cannot be made.
int MakeBstr(const char* text, BSTR* out) {
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length < 1) return 0;
  BSTR made = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
  if (!made) return 0;
  MultiByteToWideChar(CP_ACP, 0, text, -1, made, length);
  *out = made;
  return 1;
}

// A POINTER's final target, passed by reference. LONG, REAL and MONEY are
// the script's own storage, so the server's changes reach the variable; a
// STRING travels as a copy in *textSlot, alive until the caller frees it.
int ByReference(const VARIABLE& value, VARIANT& out, BSTR* textSlot) {
  VARIABLE* target = value.target;
  for (int hops = 0; target && target->type == VAL_POINTER; ++hops) {
    if (hops == kPointerHops) return 0;
    target = target->target;
  }
  if (!target) return 0;
  switch (target->type) {
    case VAL_LONG:
      out.vt = VT_BYREF | VT_I4;
      out.plVal = reinterpret_cast<LONG*>(target->raw);
      return 1;
    case VAL_REAL:
      out.vt = VT_BYREF | VT_R8;
      out.pdblVal = reinterpret_cast<double*>(target->raw);
      return 1;
    case VAL_MONEY:
      // Both count ten-thousandths in a 64-bit integer.
      out.vt = VT_BYREF | VT_CY;
      out.pcyVal = reinterpret_cast<CY*>(target->raw);
      return 1;
    case VAL_STRING: {
      if (!textSlot) return 0;
      BSTR text = nullptr;
      if (target->text && !MakeBstr(target->text, &text)) return 0;
      *textSlot = text;
      out.vt = VT_BYREF | VT_BSTR;
      out.pbstrVal = textSlot;
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace

int ToVariant(const VARIABLE& value, VARIANT& out, BSTR* textSlot) {
  VariantInit(&out);
  switch (value.type) {
    case VAL_NULL:  // an omitted argument
      out.vt = VT_ERROR;
      out.scode = DISP_E_PARAMNOTFOUND;
      return 1;
    case VAL_LONG:
      out.vt = VT_I4;
      out.lVal = value.lng;
      return 1;
    case VAL_REAL:
      out.vt = VT_R8;
      out.dblVal = value.real;
      return 1;
    case VAL_STRING: {
      BSTR text = nullptr;  // a STRING without text: a null BSTR
      if (value.text && !MakeBstr(value.text, &text)) return 0;
      out.vt = VT_BSTR;
      out.bstrVal = text;
      return 1;
    }
    case VAL_BOOL:
      out.vt = VT_BOOL;
      out.boolVal = value.lng ? VARIANT_TRUE : VARIANT_FALSE;
      return 1;
    case VAL_MONEY:
      out.vt = VT_CY;
      out.cyVal.int64 = value.money;
      return 1;
    case VAL_DISPATCH:
      // The VARIANT holds a reference of its own: clearing it after the call
      // must not take the script value's reference.
      out.vt = VT_DISPATCH;
      out.pdispVal = value.dispatch.pointer;
      if (out.pdispVal) out.pdispVal->AddRef();
      return 1;
    case VAL_POINTER:
      if (ByReference(value, out, textSlot)) return 1;
      VariantInit(&out);
      return 0;
    default:  // VARIABLE, OBJECT, IMAGE, TIME, GUID
      return 0;
  }
}
