// Reading a COM VARIANT into a record. The VARIANT stays its owner's: a BSTR
// or interface in it is neither freed nor released here (the caller clears
// the VARIANT), so no BSTR is ever freed twice.
#include <cstring>

#include "value_internal.h"

using namespace value_internal;

namespace {

// A BSTR as a STRING; a null BSTR is the empty text.
void StoreBstr(VARIABLE& v, BSTR text) {
  UINT length = text ? SysStringLen(text) : 0;
  v.TYPE(VAL_STRING);
  int needed = length ? WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, static_cast<int>(length), nullptr,
                                            0, nullptr, nullptr)
                      : 0;
  if (!v.Allocate(static_cast<unsigned long>(needed) + 1)) return;
  if (needed)
    needed = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, static_cast<int>(length), v.text, needed,
                                 nullptr, nullptr);
  v.text[needed] = '\0';
}

// Returns false when the VARIANT holds nothing this record can take.
bool Store(VARIABLE& v, const VARIANT& variant) {
  VARTYPE vt = variant.vt;
  if (vt & (VT_ARRAY | VT_VECTOR)) return false;  // arrays are no scalars
  bool byRef = (vt & VT_BYREF) != 0;
  switch (vt & VT_TYPEMASK) {
    case VT_I2:
      v.TYPE(VAL_LONG).lng = byRef ? *variant.piVal : variant.iVal;
      return true;
    case VT_UI2:
      v.TYPE(VAL_LONG).lng = byRef ? *variant.puiVal : variant.uiVal;
      return true;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
      v.TYPE(VAL_LONG).lng = byRef ? *variant.plVal : variant.lVal;
      return true;
    case VT_R4:
      v.TYPE(VAL_REAL).real = byRef ? *variant.pfltVal : variant.fltVal;
      return true;
    case VT_R8:
      v.TYPE(VAL_REAL).real = byRef ? *variant.pdblVal : variant.dblVal;
      return true;
    case VT_CY:
      v.TYPE(VAL_MONEY).money = byRef ? variant.pcyVal->int64 : variant.cyVal.int64;
      return true;
    case VT_DATE: {
      SYSTEMTIME st = {};
      if (!VariantTimeToSystemTime(byRef ? *variant.pdate : variant.date, &st)) return false;
      v.TYPE(VAL_LONG).lng = st.wYear * 10000 + st.wMonth * 100 + st.wDay;
      return true;
    }
    case VT_BSTR:
      StoreBstr(v, byRef ? *variant.pbstrVal : variant.bstrVal);
      return true;
    case VT_DISPATCH:
      if (byRef) return false;
      StoreDispatch(v, variant.pdispVal, nullptr);
      return true;
    case VT_BOOL: {
      VARIANT_BOOL b = byRef ? *variant.pboolVal : variant.boolVal;
      v.TYPE(VAL_BOOL).lng = b == VARIANT_TRUE;
      return true;
    }
    case VT_DECIMAL: {
      if (byRef) return false;
      // Converted in a copy: the caller's VARIANT is left as it was.
      VARIANT number;
      VariantInit(&number);
      if (variant.decVal.scale != 0) {
        v.TYPE(VAL_REAL).real = 0.0;
        if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&variant), 0, VT_R8))) v.real = number.dblVal;
      } else {
        v.TYPE(VAL_LONG).lng = 0;
        if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&variant), 0, VT_I4))) v.lng = number.lVal;
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

VARIABLE& VARIABLE::SetVariant(const VARIANT* variant) {
  if (variant && Store(*this, *variant)) NotifyStored(*this);
  return *this;
}
