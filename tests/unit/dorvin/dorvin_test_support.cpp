#include "dorvin_test_support.h"

#include <cstdio>

#include "form_section.h"
#include "gui_driver.h"

namespace dorvin_test {

namespace {
// Boxes are answered within the tests: no 2 s wait as each one closes.
const bool unmanaged = (gui::UseUnmanagedWindows(), true);
}  // namespace

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Dump(const std::string& code) {
  std::string out;
  for (unsigned char c : code) {
    char item[8];
    if (c >= 0x20 && c < 0x7F)
      std::snprintf(item, sizeof item, "%02X'%c' ", c, c);
    else
      std::snprintf(item, sizeof item, "%02X ", c);
    out += item;
  }
  return out;
}

Compiled Compile(const std::string& text, uint32_t firstLine) {
  Compiled c;
  FormCompiler compiler(text.c_str(), firstLine, c.parts);
  c.result = compiler.Run();
  c.code = compiler.Code();
  return c;
}

Compiled CompileScriptForm(const std::string& text) {
  return Compile(text.substr(0, FormTextLength(text.c_str())));
}

}  // namespace dorvin_test
