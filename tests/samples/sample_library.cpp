// SAMPLE: a small extension library on the frame, for the frame's tests and
// libcheck. Its start and stop routines count their calls in the process
// environment (SAMPLE_STARTS, SAMPLE_STOPS), which outlives the library;
// SAMPLE_REFUSE_START makes the start routine fail.
#include <cstdlib>

#include "library_frame.h"
#include "release_export.h"

namespace {

void CountCall(const char* name) {
  char text[16] = "0";
  GetEnvironmentVariableA(name, text, sizeof text);
  _itoa(std::atoi(text) + 1, text, 10);
  SetEnvironmentVariableA(name, text);
}

long releasedRecords;

// The records SAMPLE_Record returns; the destructor counts what RELEASE frees.
struct SampleRecord {
  long value;
  ~SampleRecord() { ++releasedRecords; }
};

}  // namespace

int DLL_Start(HINSTANCE instance) {
  CountCall("SAMPLE_STARTS");
  if (GetEnvironmentVariableA("SAMPLE_REFUSE_START", nullptr, 0)) return 0;
  hInst = instance;
  return 1;
}

int DLL_Stop() {
  CountCall("SAMPLE_STOPS");
  return 1;
}

KORVEX_RELEASE_EXPORT(SampleRecord)

KORVEX_EXPORT long WINAPI SAMPLE_Add(long a, long b) { return a + b; }

KORVEX_EXPORT SampleRecord* WINAPI SAMPLE_Record(long value) { return new SampleRecord{value}; }

KORVEX_EXPORT long WINAPI SAMPLE_Released() { return releasedRecords; }
