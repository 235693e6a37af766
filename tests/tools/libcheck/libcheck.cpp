// libcheck MODULE [--count N] [--release] [--repeat ID]...
// Loads an extension library by its module name the way the binder does
// (LoadLibraryA, the handle export, declaration strings 1 to 99 up to the
// first missing one, every declared export by name) and reports each thing
// the binder could not bind. Exit code 0 when all binds, 1 otherwise.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "call_export.h"
#include "declaration_check.h"

namespace {

constexpr int kLastDeclaration = 99;
constexpr int kStringBuffer = 260;

struct Report {
  std::string module;
  int problems = 0;
  void Problem(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    va_list args;
    va_start(args, format);
    std::printf("%s: ", module.c_str());
    std::vprintf(format, args);
    std::printf("\n");
    va_end(args);
    ++problems;
  }
};

bool ReadString(HINSTANCE instance, int id, std::string* text) {
  char buffer[kStringBuffer];
  int length = LoadStringA(instance, id, buffer, sizeof buffer);
  if (length <= 0) return false;
  text->assign(buffer, length);
  return true;
}

int Usage() {
  std::printf("usage: libcheck MODULE [--count N] [--release] [--repeat ID]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  Report report;
  report.module = argv[1];
  int expectedCount = -1;
  bool wantRelease = false;
  // Strings that a library's table repeats on purpose: each must be the
  // very text of an earlier declaration.
  std::set<int> repeats;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--count") && i + 1 < argc) {
      expectedCount = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--release")) {
      wantRelease = true;
    } else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) {
      repeats.insert(std::atoi(argv[++i]));
    } else {
      return Usage();
    }
  }
  const char* module = report.module.c_str();

  HMODULE library = LoadLibraryA(module);
  if (!library) {
    report.Problem("cannot be loaded as a library (error %lu)", GetLastError());
    return 1;
  }
  std::string handleName = report.module + "_HANDLE";
  const void* handleExport = reinterpret_cast<const void*>(GetProcAddress(library, handleName.c_str()));
  if (!handleExport) {
    report.Problem("no export %s (error 141)", handleName.c_str());
    return 1;
  }
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(CallExport(handleExport, nullptr, 0));
  if (!instance) {
    report.Problem("%s returns 0 (error 141)", handleName.c_str());
    return 1;
  }
  if (instance != library) report.Problem("%s returns another instance than its own", handleName.c_str());

  int count = 0;
  std::set<std::string> declared;
  std::set<std::string> texts;
  std::string text;
  for (int id = 1; id <= kLastDeclaration && ReadString(instance, id, &text); ++id) {
    ++count;
    DeclarationCheck check = CheckDeclaration(text, report.module, library);
    for (const std::string& line : check.problems) {
      report.Problem("string %d \"%s\": %s", id, text.c_str(), line.c_str());
    }
    bool repeated = repeats.count(id) && texts.count(text);
    texts.insert(text);
    if (repeats.count(id) && !repeated)
      report.Problem("string %d repeats no earlier declaration", id);
    if (!check.exportName.empty() && !declared.insert(check.exportName).second && !repeated) {
      report.Problem("string %d: %s is declared again and the binder ignores it", id,
                     check.exportName.c_str());
    }
  }
  for (int id = count + 2; id <= kLastDeclaration; ++id) {
    if (ReadString(instance, id, &text)) {
      report.Problem("string %d follows the gap at %d and is never read", id, count + 1);
    }
  }
  if (expectedCount >= 0 && count != expectedCount) {
    report.Problem("%d declaration strings, %d expected", count, expectedCount);
  }
  if (wantRelease && !GetProcAddress(library, "RELEASE")) report.Problem("no export RELEASE");

  if (report.problems == 0) {
    std::printf("%s: %d declarations, all bound\n", module, count);
    return 0;
  }
  std::printf("%s: %d declarations, %d problems\n", module, count, report.problems);
  return 1;
}
