#include "declaration_check.h"

#include <cstring>

namespace {

constexpr size_t kMaxModuleName = 8;
constexpr size_t kMaxTextAfterBang = 127;
constexpr size_t kMaxParameters = 14;

// Only the first letter of a type word counts.
bool KnownType(const std::string& word) {
  return !word.empty() && std::strchr("NLRSBPVOMDIGT", word[0]) != nullptr;
}

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 32) out += c;
  }
  return out;
}

}  // namespace

DeclarationCheck CheckDeclaration(const std::string& declaration, const std::string& module,
                                  HMODULE library) {
  DeclarationCheck check;
  auto problem = [&check](const std::string& text) { check.problems.push_back(text); };
  std::string text = WithoutBlanks(declaration);

  size_t bang = text.find('!');
  if (bang == std::string::npos) {
    problem("no '!' after the module name (error 112)");
    return check;
  }
  std::string named = text.substr(0, bang);
  if (named.size() > kMaxModuleName) problem("module name longer than 8 characters");
  if (named != module) problem("names module \"" + named + "\", not \"" + module + "\"");

  std::string rest = text.substr(bang + 1);
  if (rest.size() > kMaxTextAfterBang) problem("more than 127 characters after '!'");
  size_t open = rest.find('(');
  size_t close = open == std::string::npos ? open : rest.find(')', open);
  if (close == std::string::npos) {
    problem("no parameter list in '(' and ')' (error 112)");
    return check;
  }

  check.exportName = rest.substr(0, open);
  if (check.exportName.empty()) {
    problem("no export name");
  } else if (!GetProcAddress(library, check.exportName.c_str())) {
    problem("export " + check.exportName + " not found (error 121)");
  }

  std::string list = rest.substr(open + 1, close - open - 1);
  size_t count = 0;
  for (size_t start = 0;; ++count) {
    size_t comma = list.find(',', start);
    std::string word = list.substr(start, comma == std::string::npos ? comma : comma - start);
    if (word.empty()) {
      problem("empty parameter word (no parameters is written NULL)");
    } else if (!KnownType(word)) {
      problem("unknown parameter type \"" + word + "\" (error 132)");
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (count + 1 > kMaxParameters) problem("more than 14 parameters");

  std::string result = rest.substr(close + 1);
  if (!result.empty() && !KnownType(result)) {
    problem("unknown result type \"" + result + "\" (error 132)");
  }
  return check;
}
