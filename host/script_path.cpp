#include "script_path.h"

#include <cstring>
#include <vector>

#include "blank_helpers.h"
#include "path_helpers.h"

namespace {

const unsigned kBlankScan = 128;

}  // namespace

std::string CleanScriptPath(const char* path) {
  // Only the head is searched for blanks; the rest of a long path stays.
  size_t length = std::strlen(path);
  size_t head = length < kBlankScan ? length : kBlankScan;
  std::string clean(path, head);
  clean.resize(RemoveBlanks(&clean[0], kBlankScan));
  clean.append(path + head);

  if (!clean.empty() && clean[0] == '"') {
    clean.erase(0, 1);
    // A missing closing quote leaves the last character alone.
    if (!clean.empty() && clean.back() == '"') clean.pop_back();
  }

  std::vector<char> buffer(clean.size() + 5);
  std::memcpy(buffer.data(), clean.c_str(), clean.size() + 1);
  ForceExtension(buffer.data(), buffer.size(), "bas");
  return buffer.data();
}
