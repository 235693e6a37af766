// Benchmark (not a test): a find list over 20,000 files through HESTEL's
// HESTEL_List, HESTEL_Next and HESTEL_Name (with RELEASE of each name),
// beside a FindFirstFileA/FindNextFileA loop (the two in turns, the best of
// five runs each) and Scripting.FileSystemObject's Folder.Files in cscript.
//   hestel_find.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"

namespace {

const long kFiles = 20000;

typedef void*(WINAPI* ListCall)(const char*);
typedef BOOL(WINAPI* NextCall)(void*);
typedef void*(WINAPI* NameCall)(void*);
typedef int(WINAPI* FreeCall)(void*);
typedef void(WINAPI* ReleaseCall)(void*);

// The folder is kept between runs: making 20,000 files takes longer than
// listing them.
std::string MakeFolder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "hestel_find\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  for (long i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%05ld.dat", i);
    HANDLE file = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return dir;
}

long DirectLoop(const std::string& pattern) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  long files = 0, letters = 0;
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    std::string name = found.cFileName;
    letters += static_cast<long>(name.size());
    ++files;
  }
  FindClose(search);
  return letters ? files : 0;
}

}  // namespace

int main() {
  HMODULE hestel = bench::LoadHestel();
  if (!hestel) return 1;
  auto list = bench::Export<ListCall>(hestel, "HESTEL_List");
  auto next = bench::Export<NextCall>(hestel, "HESTEL_Next");
  auto name = bench::Export<NameCall>(hestel, "HESTEL_Name");
  auto free = bench::Export<FreeCall>(hestel, "HESTEL_Free");
  auto release = bench::Export<ReleaseCall>(hestel, "RELEASE");
  std::string dir = MakeFolder();
  std::string pattern = dir + "*.dat";

  long listed = 0, direct = 0;
  double listTime, directTime;
  bench::BestInTurns(
      [&] {
        void* files = list(pattern.c_str());
        listed = 0;
        do {
          release(name(files));
          ++listed;
        } while (next(files));
        free(files);
      },
      [&] { direct = DirectLoop(pattern); }, &listTime, &directTime);
  double vbsTime = 0;
  long vbsFiles = 0;
  // Without the last backslash, which would quote the closing quote.
  bench::RunVbs(KORVEX_BENCH_DIR "/hestel_find.vbs", dir.substr(0, dir.size() - 1), &vbsTime, &vbsFiles);
  bench::Compare("files", {"HESTEL_List/Next/Name + RELEASE", listed, listTime},
                 {"FindFirstFileA/FindNextFileA", direct, directTime}, {"FileSystemObject Folder.Files", vbsFiles, vbsTime});
  return 0;
}
