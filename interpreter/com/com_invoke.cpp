// Member calls: a name resolved with GetIDsOfNames, the arguments turned
// into VARIANTs, IDispatch::Invoke, and the result or failure turned back.
#include <cstdlib>

#include "com_bridge.h"
#include "com_internal.h"

using namespace com_internal;

namespace {

// The argument VARIANTs of one call in Invoke's order (the last argument
// first), with the BSTRs lent by reference; all freed after the call.
class Arguments {
 public:
  explicit Arguments(int count)
      : count_(count),
        variants_(static_cast<VARIANT*>(std::calloc(count ? count : 1, sizeof(VARIANT)))),
        texts_(static_cast<BSTR*>(std::calloc(count ? count : 1, sizeof(BSTR)))) {}
  ~Arguments() {
    if (variants_)
      for (int i = 0; i < count_; ++i) VariantClear(&variants_[i]);
    if (texts_)
      for (int i = 0; i < count_; ++i) SysFreeString(texts_[i]);
    std::free(variants_);
    std::free(texts_);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  bool Ready() const { return variants_ && texts_; }
  // args[0] is the script's first argument.
  void Convert(const VARIABLE* args) {
    for (int i = 0; i < count_; ++i) ToVariant(args[count_ - 1 - i], variants_[i], &texts_[i]);
  }
  VARIANT* Variants() { return variants_; }

 private:
  int count_;
  VARIANT* variants_;
  BSTR* texts_;
};

// The text of a server exception into $ERRTXT, or $ERRTXT made NULL for a
// 151 without one, so neither an earlier exception's text nor an empty one
// is shown for it (servers called through their type library often give an
// exception with no description).
void NoteFailure(HRESULT result, EXCEPINFO& exception, VARIABLE* errorText) {
  if (result == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  if (errorText) {
    if (result == DISP_E_EXCEPTION && SysStringLen(exception.bstrDescription) > 0) {
      VARIANT description;
      VariantInit(&description);
      description.vt = VT_BSTR;
      description.bstrVal = exception.bstrDescription;
      errorText->SetVariant(&description);
    } else if (DispatchErrorNumber(result) == kComErrorUnknown) {
      errorText->Clear();
      errorText->TYPE(VAL_NULL);
    }
  }
}

// invoked tells whether Invoke was reached (the caller then has a result).
unsigned Call(const VARIABLE& object, const char* member, DispatchKind kind, const VARIABLE* args, int count,
              VARIABLE& result, VARIABLE* errorText, bool& invoked) {
  invoked = false;
  if (object.type != VAL_DISPATCH || !object.dispatch.pointer || !member || !*member) return kComErrorNoObject;
  if (count < 0 || (count && !args)) return kComErrorArgCount;
  WCHAR name[kNameLimit + 1];
  if (!ToWideName(member, name)) return kComErrorNoName;
  // Our own reference: result may be the very record that holds the object.
  IDispatch* server = object.dispatch.pointer;
  server->AddRef();
  LPOLESTR names[1] = {name};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(server->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    server->Release();
    return kComErrorNoName;
  }
  Arguments arguments(count);
  if (!arguments.Ready()) {
    server->Release();
    return kErrorOutOfMemory;
  }
  arguments.Convert(args);
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params = {arguments.Variants(), nullptr, static_cast<UINT>(count), 0};
  if (kind == kDispatchPut && count > 0) {  // the value, named for a put
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  VARIANT value;
  VariantInit(&value);
  EXCEPINFO exception = {};
  UINT badArgument = 0;
  HRESULT outcome =
      server->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &value, &exception, &badArgument);
  invoked = true;
  unsigned error = 0;
  result.TYPE(VAL_NULL);
  if (SUCCEEDED(outcome)) {
    result.SetVariant(&value);
  } else {
    NoteFailure(outcome, exception, errorText);
    error = DispatchErrorNumber(outcome);
  }
  VariantClear(&value);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  server->Release();
  return error;
}

}  // namespace

unsigned InvokeMember(const VARIABLE& object, const char* member, DispatchKind kind, const VARIABLE* args, int count,
                      VARIABLE& result, VARIABLE* errorText) {
  bool invoked;
  return Call(object, member, kind, args, count, result, errorText, invoked);
}

unsigned CallDispatch(ValueStack& stack, const VARIABLE& object, const char* member, int count, DispatchKind kind,
                      VARIABLE* errorText) {
  if (count < 0 || count > stack.Top()) return kComErrorArgCount;
  // The arguments are contiguous records, the first deepest.
  const VARIABLE* args = count ? stack.Peek(-count) : nullptr;
  VARIABLE result;
  bool invoked;
  unsigned error = Call(object, member, kind, args, count, result, errorText, invoked);
  for (int i = 0; i < count; ++i) stack.Pop();
  if (invoked && !stack.Push(&result) && error == 0) error = kErrorOutOfMemory;
  return error;
}
