// PROBE and PROBEX: extension libraries for the binder's tests. PROBE's
// exports report what they were passed (argument order, null texts, value
// records, pointers, objects and their removal); PROBEX has a Remove that
// takes two words. The value record is written out here by its fixed
// layout, as a library without the value library would see it.
#include <cstring>

#include "library_frame.h"

namespace {

#pragma pack(push, 1)
struct Record {
  unsigned char type;  // 1 LONG, 3 STRING, 5 POINTER
  unsigned char links;
  union {
    long lng;
    char* text;
    Record* target;
    unsigned char raw[16];
  };
};
#pragma pack(pop)
static_assert(sizeof(Record) == 18, "the value record's layout");

const unsigned char kLong = 1;

#ifdef PROBE_TWIN
long removeCalls;
#else
Record* lastMade;
Record* lastReleased;
long lastRemoved;
Record shared = {kLong, 0, {7}};
char echo[64];
#endif

}  // namespace

int DLL_Start(HINSTANCE instance) {
  hInst = instance;
  return 1;
}

int DLL_Stop() { return 1; }

#ifdef PROBE_TWIN
KORVEX_EXPORT long WINAPI PROBEX_New() { return 5; }
KORVEX_EXPORT long WINAPI PROBEX_Remove(long, long) { return ++removeCalls; }
KORVEX_EXPORT long WINAPI PROBEX_Removed() { return removeCalls; }
#else
KORVEX_EXPORT void WINAPI RELEASE(Record* record) {
  lastReleased = record;
  delete record;
}

KORVEX_EXPORT long WINAPI PROBE_Order(long a, long b, long c) { return a * 100 + b * 10 + c; }
KORVEX_EXPORT long WINAPI PROBE_Tail(long c) { return c; }

KORVEX_EXPORT const char* WINAPI PROBE_Text(const char* s) {
  if (!s) return "(null)";
  echo[0] = '[';
  std::strncpy(echo + 1, s, sizeof echo - 3);
  echo[sizeof echo - 2] = 0;
  std::strcat(echo, "]");
  return echo;
}

// A LONG record of the argument's type code * 1000 + its LONG value.
KORVEX_EXPORT Record* WINAPI PROBE_Record(Record* v) {
  lastMade = new Record();
  lastMade->type = kLong;
  lastMade->lng = v->type * 1000 + (v->type == kLong ? v->lng : 0);
  return lastMade;
}

KORVEX_EXPORT long WINAPI PROBE_Released() { return lastMade && lastReleased == lastMade; }

KORVEX_EXPORT long WINAPI PROBE_Poke(Record* v) {
  if (!v || (v->type != kLong && v->type != 0)) return 0;
  v->type = kLong;
  v->lng = 42;
  return 1;
}

KORVEX_EXPORT long WINAPI PROBE_Real(float x) { return static_cast<long>(x * 10); }
KORVEX_EXPORT long WINAPI PROBE_New(long seed) { return seed; }
KORVEX_EXPORT long WINAPI PROBE_Get(long handle, long add) { return handle + add; }
KORVEX_EXPORT long WINAPI PROBE_Remove(long handle) { return lastRemoved = handle; }
KORVEX_EXPORT long WINAPI PROBE_Removed() { return lastRemoved; }
KORVEX_EXPORT long WINAPI PROBE_Child(long handle) { return handle * 10; }
KORVEX_EXPORT long WINAPI PROBE_Close(long handle, long) { return lastRemoved = -handle; }
KORVEX_EXPORT long WINAPI PROBE_Free(long handle) { return lastRemoved = handle + 1000; }
KORVEX_EXPORT long WINAPI PROBE_When(long date) { return date + 1; }
KORVEX_EXPORT long WINAPI PROBE_Flag(long b) { return !b; }
KORVEX_EXPORT Record* WINAPI PROBE_Shared() { return &shared; }
KORVEX_EXPORT const char* WINAPI PROBE_Nothing() { return nullptr; }
KORVEX_EXPORT long WINAPI PROBE_Obj(long handle) { return handle; }
KORVEX_EXPORT HGLOBAL WINAPI PROBE_Image(long size) { return size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr; }
KORVEX_EXPORT long WINAPI PROBE_Spare(long a) { return a + 1; }
#endif
