// Shared by Dorvin's tests: byte strings for expected compiled forms, a
// readable dump of them, and forms compiled straight from a text.
#pragma once
#include <initializer_list>
#include <string>

#include "form_compiler.h"

namespace dorvin_test {

// The bytes given as numbers.
std::string Bytes(std::initializer_list<int> bytes);
// Every byte in hex, printable 7-bit characters beside it.
std::string Dump(const std::string& code);

struct Compiled {
  FormCompileResult result;
  std::string code;
  FormParts parts;
};
// Compiles text as it stands (a form section, say).
Compiled Compile(const std::string& text, uint32_t firstLine = 1);
// A form given by a script (form number 0): cut after its first "END"
// before compiling, as the loader cuts it.
Compiled CompileScriptForm(const std::string& text);

}  // namespace dorvin_test
