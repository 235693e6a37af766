// Shared by the bridge tests: a small Automation server of our own that
// counts its references and records what it receives, and value helpers.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "variable.h"

// Members: Raise (a server exception with a deferred description), Fail
// (E_FAIL), Double (a by-reference LONG doubled), Append (a by-reference
// BSTR read and replaced), Record (keeps the arguments; gives their count),
// Self (gives itself).
class TestServer : public IDispatch {
 public:
  TestServer() = default;
  ~TestServer() { ClearSeen(); }
  void ClearSeen();
  LONG refs = 1;  // the test's own reference
  std::vector<VARIANT> seen;  // Record's arguments, in Invoke's order
  WORD seenFlags = 0;
  UINT seenNamed = 0;
  DISPID seenNamedId = 0;
  std::wstring seenText;  // what Append found in its BSTR

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override;
};

// The server exception's description, as the bridge must leave it (ANSI).
extern const char kRaisedText[];

VARIABLE Text(const char* text);
VARIABLE Long(int32_t value);
// A DISPATCH value holding one reference of its own to object.
VARIABLE Hold(IDispatch* object);
// The text of a STRING value; "<type n>" for any other type.
std::string TextOf(const VARIABLE& v);
