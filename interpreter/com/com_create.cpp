// CreateObject: a DISPATCH value from a ProgID.
#include "com_bridge.h"
#include "com_internal.h"

using namespace com_internal;

int CreateObject(const char* progId, VARIABLE& value) {
  WCHAR wide[kNameLimit + 1];
  if (!ToWideName(progId, wide)) return 0;
  if (!AddDispatchUser()) {
    MessageBoxA(nullptr, "Ошибка инициализации COM", "KORVEX", MB_OK | MB_ICONERROR);
    return 0;
  }
  CLSID id;
  IDispatch* object = nullptr;
  HRESULT result = CLSIDFromProgID(wide, &id);
  if (SUCCEEDED(result))
    result = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&object));
  if (FAILED(result) || !object) {
    if (object) object->Release();
    DropDispatchUser();  // no value holds this use of COM
    return 0;
  }
  // The value owns the reference CoCreateInstance gave: no AddRef here.
  if (value.type == VAL_DISPATCH)
    value.Clear();
  else
    value.TYPE(VAL_DISPATCH);
  value.dispatch.pointer = object;
  return 1;
}
