// Benchmark (not a test): 200,000 lines of 52 bytes read through HESTEL's
// RdStr (with RELEASE of each line), beside Scripting.FileSystemObject's
// ReadLine in cscript (the headline: a text made and let go per line, as
// RdStr does) and, as the floor, the plainest reader: one byte per
// ReadFile, each line kept in a fixed buffer.
//   hestel_lines.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"

namespace {

const long kLines = 200000;

typedef HANDLE(WINAPI* OpenCall)(const char*, const char*);
typedef void*(WINAPI* LineCall)(HANDLE);
typedef BOOL(WINAPI* EofCall)(HANDLE);
typedef int(WINAPI* CloseCall)(HANDLE);
typedef void(WINAPI* ReleaseCall)(void*);

std::string MakeFile() {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  std::string path = std::string(dir) + "hestel_lines.txt";
  std::string line = std::string(50, 'x') + "\r\n";
  std::string all;
  for (long i = 0; i < kLines; ++i) all += line;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(file, all.data(), static_cast<DWORD>(all.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

// The lines as a reader that asks one byte per ReadFile sees them.
long ByteLoop(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  long lines = 0, stored = 0;
  char c, line[512];
  DWORD got;
  while (ReadFile(file, &c, 1, &got, nullptr) && got) {
    if (c == '\n') {
      ++lines;
      stored = 0;
    } else if (c != '\r' && stored < 511) {
      line[stored++] = c;
    }
  }
  CloseHandle(file);
  return line[0] == 'x' ? lines : 0;
}

}  // namespace

int main() {
  HMODULE hestel = bench::LoadHestel();
  if (!hestel) return 1;
  auto open = bench::Export<OpenCall>(hestel, "Open");
  auto rdStr = bench::Export<LineCall>(hestel, "RdStr");
  auto eof = bench::Export<EofCall>(hestel, "EOF");
  auto close = bench::Export<CloseCall>(hestel, "Close");
  auto release = bench::Export<ReleaseCall>(hestel, "RELEASE");
  std::string path = MakeFile();

  long lines = 0;
  double rdStrTime = bench::Seconds([&] {
    HANDLE file = open(path.c_str(), "OREAD");
    for (;;) {
      void* line = rdStr(file);
      release(line);
      if (eof(file)) break;
      ++lines;
    }
    close(file);
  });
  long byteLines = 0;
  double byteTime = bench::Seconds([&] { byteLines = ByteLoop(path); });
  double vbsTime = 0;
  long vbsLines = 0;
  bench::RunVbs(KORVEX_BENCH_DIR "/hestel_lines.vbs", path, &vbsTime, &vbsLines);
  DeleteFileA(path.c_str());
  bench::Compare("lines", {"RdStr + RELEASE", lines, rdStrTime}, {"FileSystemObject ReadLine", vbsLines, vbsTime},
                 {"ReadFile of one byte (floor)", byteLines, byteTime});
  return 0;
}
