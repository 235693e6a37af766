// VIMBRA: keyed arrays for scripts. The handle is the DimArray's address;
// a handle of 0, or one that names no live array, gives each export's
// empty result (0, -1, null or FALSE).
// VARIABLE arguments are the interpreter's copies; POINTER results point
// into the array; VARIABLE results are new records for RELEASE.
#include "dim_array.h"
#include "library_frame.h"
#include "live_arrays.h"
#include "release_export.h"

namespace {
// Stands in for a missing argument record.
const VARIABLE kNullValue;
const VARIABLE& Argument(const VARIABLE* v) { return v ? *v : kNullValue; }
}  // namespace

KORVEX_RELEASE_EXPORT(VARIABLE)

KORVEX_EXPORT DimArray* WINAPI VIMBRA_Dim(long size) {
  DimArray* array = DimArray::Create(size);
  if (array && !RememberArray(array)) {
    delete array;
    return nullptr;
  }
  return array;
}

KORVEX_EXPORT long WINAPI VIMBRA_Add(DimArray* handle, const VARIABLE* key, const VARIABLE* value) {
  DimArray* array = LiveArray(handle);
  return array ? array->Add(Argument(key), Argument(value)) : -1;
}

KORVEX_EXPORT long WINAPI VIMBRA_Seek(DimArray* handle, VARIABLE* key) {
  DimArray* array = LiveArray(handle);
  return array && key ? array->Seek(key) : -1;
}

KORVEX_EXPORT BOOL WINAPI VIMBRA_Del(DimArray* handle, long index) {
  DimArray* array = LiveArray(handle);
  return array ? array->Delete(index) : -1;
}

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Max(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->Greatest() : nullptr;
}

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Min(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->Smallest() : nullptr;
}

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Get(DimArray* handle, long index) {
  DimArray* array = LiveArray(handle);
  return array ? array->ValueAt(index) : nullptr;
}

KORVEX_EXPORT long WINAPI VIMBRA_Count(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->count() : 0;
}

KORVEX_EXPORT void WINAPI VIMBRA_Erase(DimArray* array) { delete ForgetArray(array); }

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Find(DimArray* handle, VARIABLE* key) {
  DimArray* array = LiveArray(handle);
  return array && key ? array->Find(key) : nullptr;
}

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Sum(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->Sum() : nullptr;
}

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Avg(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->Average() : nullptr;
}

KORVEX_EXPORT long WINAPI VIMBRA_Err(DimArray* handle) {
  DimArray* array = LiveArray(handle);
  return array ? array->error() : 0;
}

// Declared for scripts but never built: the arrays keep insertion order.
KORVEX_EXPORT BOOL WINAPI VIMBRA_Sort(DimArray*) { return FALSE; }

KORVEX_EXPORT VARIABLE* WINAPI VIMBRA_Index(DimArray* handle, long index) {
  DimArray* array = LiveArray(handle);
  return array ? array->KeyAt(index) : nullptr;
}
