#include "com_test_support.h"

#include <cwchar>

const char kRaisedText[] = "Сбой сервера: нет данных";

namespace {

const wchar_t* const kMembers[] = {L"Raise", L"Fail", L"Double", L"Append", L"Record", L"Self"};

HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* exception) {
  exception->bstrDescription = SysAllocString(L"Сбой сервера: нет данных");
  exception->scode = E_FAIL;
  return S_OK;
}

}  // namespace

void TestServer::ClearSeen() {
  for (VARIANT& v : seen) VariantClear(&v);
  seen.clear();
}

HRESULT TestServer::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT TestServer::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1) return E_INVALIDARG;
  for (DISPID i = 0; i < static_cast<DISPID>(sizeof kMembers / sizeof kMembers[0]); ++i)
    if (_wcsicmp(names[0], kMembers[i]) == 0) {
      ids[0] = i + 1;
      return S_OK;
    }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT TestServer::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT*) {
  switch (id) {
    case 1:
      exception->pfnDeferredFillIn = FillIn;
      return DISP_E_EXCEPTION;
    case 2:
      return E_FAIL;
    case 3:
      if (params->cArgs != 1 || params->rgvarg[0].vt != (VT_BYREF | VT_I4)) return DISP_E_TYPEMISMATCH;
      *params->rgvarg[0].plVal *= 2;
      return S_OK;
    case 4: {
      VARIANT& arg = params->rgvarg[0];
      if (params->cArgs != 1 || arg.vt != (VT_BYREF | VT_BSTR)) return DISP_E_TYPEMISMATCH;
      seenText = *arg.pbstrVal ? *arg.pbstrVal : L"(null)";
      SysFreeString(*arg.pbstrVal);
      *arg.pbstrVal = SysAllocString(L"replaced");
      return S_OK;
    }
    case 5:
      for (UINT i = 0; i < params->cArgs; ++i) {
        VARIANT copy;
        VariantInit(&copy);
        if (params->rgvarg[i].vt == VT_BSTR && !params->rgvarg[i].bstrVal)
          copy.vt = VT_BSTR;  // VariantCopy would make an empty BSTR of it
        else
          VariantCopy(&copy, &params->rgvarg[i]);
        seen.push_back(copy);
      }
      seenFlags = flags;
      seenNamed = params->cNamedArgs;
      seenNamedId = params->cNamedArgs ? params->rgdispidNamedArgs[0] : 0;
      if (result) {
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(params->cArgs);
      }
      return S_OK;
    case 6:
      if (result) {
        AddRef();
        result->vt = VT_DISPATCH;
        result->pdispVal = this;
      }
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

VARIABLE Text(const char* text) {
  VARIABLE v;
  v = text;
  return v;
}

VARIABLE Long(int32_t value) {
  VARIABLE v;
  v.SetLong(value);
  return v;
}

VARIABLE Hold(IDispatch* object) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_DISPATCH;
  variant.pdispVal = object;
  VARIABLE v;
  v.SetVariant(&variant);  // takes a reference of its own
  return v;
}

std::string TextOf(const VARIABLE& v) {
  if (v.type != VAL_STRING) return "<type " + std::to_string(v.type) + ">";
  return v.text ? v.text : "";
}
