#include "print_options.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

const size_t kOptionsRoom = 64;

bool AllDigits(const std::string& token) {
  if (token.empty()) return false;
  for (char c : token)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool ParsePrintOptions(const char* text, PrintOptions& options) {
  options = PrintOptions();
  if (!text) return true;
  std::string kept;
  for (size_t i = 0; i < kOptionsRoom && text[i]; ++i)
    if (text[i] != ' ') kept += text[i];
  if (!kept.empty()) CharUpperBuffA(&kept[0], static_cast<DWORD>(kept.size()));

  bool wantNumber = false;
  size_t start = 0;
  while (start <= kept.size()) {
    size_t stop = kept.find_first_of("|=", start);
    if (stop == std::string::npos) stop = kept.size();
    std::string token = kept.substr(start, stop - start);
    start = stop + 1;
    if (token.empty()) continue;
    if (wantNumber) {
      if (!AllDigits(token)) return false;
      unsigned long n = 0;
      for (char c : token) n = n * 10 + static_cast<unsigned long>(c - '0');
      options.event = static_cast<uint16_t>(n);
      wantNumber = false;
    } else if (token == "FILE") {
      options.file = true;
    } else if (token == "TABLE") {
      options.table = true;
    } else if (token == "DEFAULT") {
      options.byDefault = true;
    } else if (token == "EVENT") {
      wantNumber = true;
    } else {
      return false;
    }
  }
  return !wantNumber;
}
