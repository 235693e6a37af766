// One declaration string checked the way the binder reads it:
// MODULE!EXPORT(TYPE<label>,...)RESULT<label>, blanks ignored.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct DeclarationCheck {
  std::string exportName;             // empty when the text is unreadable
  std::vector<std::string> problems;  // one line per fault
};

// `library` is the module as LoadLibraryA gave it; exports are looked up there.
DeclarationCheck CheckDeclaration(const std::string& declaration, const std::string& module,
                                  HMODULE library);
