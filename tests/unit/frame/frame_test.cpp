// The frame as the binder meets it, on the sample libraries SAMPLE and
// FAULTY (tests/samples), and libcheck's reports.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Counted(const char* name) {
  char text[16] = "0";
  if (!GetEnvironmentVariableA(name, text, sizeof text)) return 0;
  return std::atoi(text);
}

template <class F>
F Export(HMODULE library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TEST(LibraryFrame, StartsOnceAndStopsAtTheLastDetach) {
  int starts = Counted("SAMPLE_STARTS");
  int stops = Counted("SAMPLE_STOPS");
  HMODULE first = LoadLibraryA("SAMPLE");
  ASSERT_NE(nullptr, first);
  HMODULE second = LoadLibraryA("SAMPLE");
  EXPECT_EQ(first, second);
  EXPECT_EQ(starts + 1, Counted("SAMPLE_STARTS"));
  FreeLibrary(second);
  EXPECT_EQ(stops, Counted("SAMPLE_STOPS"));
  FreeLibrary(first);
  EXPECT_EQ(stops + 1, Counted("SAMPLE_STOPS"));
}

TEST(LibraryFrame, RefusedStartFailsTheLoadAndIsTriedAgain) {
  int starts = Counted("SAMPLE_STARTS");
  int stops = Counted("SAMPLE_STOPS");
  SetEnvironmentVariableA("SAMPLE_REFUSE_START", "1");
  EXPECT_EQ(nullptr, LoadLibraryA("SAMPLE"));
  SetEnvironmentVariableA("SAMPLE_REFUSE_START", nullptr);
  EXPECT_EQ(starts + 1, Counted("SAMPLE_STARTS"));
  EXPECT_EQ(stops, Counted("SAMPLE_STOPS"));  // a refused start is never stopped

  HMODULE library = LoadLibraryA("SAMPLE");
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(starts + 2, Counted("SAMPLE_STARTS"));
  FreeLibrary(library);
  EXPECT_EQ(stops + 1, Counted("SAMPLE_STOPS"));
}

TEST(LibraryFrame, HandleExportAndPlainExportNames) {
  HMODULE library = LoadLibraryA("SAMPLE");
  ASSERT_NE(nullptr, library);
  auto handle = Export<HINSTANCE(WINAPI*)()>(library, "SAMPLE_HANDLE");
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ(library, handle());
  auto add = Export<long(WINAPI*)(long, long)>(library, "SAMPLE_Add");
  ASSERT_NE(nullptr, add);
  EXPECT_EQ(5, add(2, 3));
  EXPECT_EQ(nullptr, GetProcAddress(library, "SAMPLE_Add@8"));
  EXPECT_EQ(nullptr, GetProcAddress(library, "DLL_Start"));
  FreeLibrary(library);
}

TEST(LibraryFrame, ReleaseDestroysReturnedRecordsAndIgnoresNull) {
  HMODULE library = LoadLibraryA("SAMPLE");
  ASSERT_NE(nullptr, library);
  auto make = Export<void*(WINAPI*)(long)>(library, "SAMPLE_Record");
  auto release = Export<void(WINAPI*)(void*)>(library, "RELEASE");
  auto released = Export<long(WINAPI*)()>(library, "SAMPLE_Released");
  ASSERT_TRUE(make && release && released);
  long before = released();
  release(nullptr);
  EXPECT_EQ(before, released());
  release(make(7));
  release(make(8));
  EXPECT_EQ(before + 2, released());
  FreeLibrary(library);
}

// Runs libcheck (beside this program) and gives its exit code and output.
int RunLibcheck(const std::string& arguments, std::string* output) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string command(path);
  command.replace(command.find_last_of('\\') + 1, std::string::npos, "libcheck.exe " + arguments);
  output->clear();
  FILE* pipe = _popen(command.c_str(), "r");
  if (!pipe) return -1;
  char chunk[512];
  while (std::fgets(chunk, sizeof chunk, pipe)) *output += chunk;
  return _pclose(pipe);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Libcheck, ReportsEveryDeclarationThatCannotBeBound) {
  std::string out;
  EXPECT_EQ(1, RunLibcheck("FAULTY --count 6 --release", &out));
  EXPECT_FALSE(Has(out, "string 1 ")) << out;
  EXPECT_TRUE(Has(out, "string 2 \"FAULTY!FAULTY_Missing( LONG<a> ) LONG\": export FAULTY_Missing not found"))
      << out;
  EXPECT_TRUE(Has(out, "string 3 \"FAULTY!FAULTY_Typed( XLONG<a> ) LONG\": unknown parameter type \"XLONG<a>\""))
      << out;
  EXPECT_TRUE(Has(out, "string 4 \"OTHER!FAULTY_Other( NULL )\": names module \"OTHER\"")) << out;
  EXPECT_TRUE(Has(out, "string 5 \"FAULTY_NoBang( NULL )\": no '!'")) << out;
  EXPECT_TRUE(Has(out, "string 6: FAULTY_Ok is declared again")) << out;
  EXPECT_TRUE(Has(out, "string 8 follows the gap at 7 and is never read")) << out;
  EXPECT_TRUE(Has(out, "FAULTY: no export RELEASE")) << out;
  EXPECT_TRUE(Has(out, "FAULTY: 6 declarations, 7 problems")) << out;
}

TEST(Libcheck, ReportsLibrariesItCannotBind) {
  std::string out;
  EXPECT_EQ(0, RunLibcheck("SAMPLE --count 3 --release", &out)) << out;
  EXPECT_TRUE(Has(out, "SAMPLE: 3 declarations, all bound")) << out;
  EXPECT_EQ(1, RunLibcheck("SAMPLE --count 4", &out));
  EXPECT_TRUE(Has(out, "SAMPLE: 3 declaration strings, 4 expected")) << out;
  EXPECT_EQ(1, RunLibcheck("NOSUCHLIB", &out));
  EXPECT_TRUE(Has(out, "NOSUCHLIB: cannot be loaded")) << out;
  // Wennic is a library, but it has no handle export to bind.
  EXPECT_EQ(1, RunLibcheck("WENNIC", &out));
  EXPECT_TRUE(Has(out, "WENNIC: no export WENNIC_HANDLE")) << out;
}

}  // namespace
