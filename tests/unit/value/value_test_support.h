// Shared by the value record tests: a recording change hook, operands made
// from short descriptions, and an IDispatch that counts its references.
#pragma once
#include <string>
#include <vector>

#include "variable.h"

// Every record passed to VariableUpdated, in order.
extern std::vector<VARIABLE*> g_updates;

// "N", "L7", "R2.5", "S" (no text), "S:ab", "B1", "M12345" (ten-thousandths),
// "T20240101,3600", "P" (a target), "O", "D", "I", "G", "V".
VARIABLE Make(const std::string& spec);
// The type letter, then " text" (GetText, 2 decimals) or "!error".
std::string Describe(const VARIABLE& v);
std::string Text(const VARIABLE& v, int exact = 0);

class CountingDispatch : public IDispatch {
 public:
  long refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
};

// A DISPATCH record holding a reference to d, with a heap copy of name.
VARIABLE MakeDispatch(CountingDispatch* d, const char* name);
