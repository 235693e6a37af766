// RELEASE: the host copies a VARIABLE result and hands the record back here,
// so that the library that allocated it (with new) also destroys and frees
// it. A null pointer does nothing. A library that returns such records puts
//   KORVEX_RELEASE_EXPORT(VARIABLE)
// in one of its sources, where the record type is complete.
#pragma once
#include "library_frame.h"

#define KORVEX_RELEASE_EXPORT(Record) \
  KORVEX_EXPORT void WINAPI RELEASE(Record* record) { delete record; }
