// CALC_TRANSLATE: the postfix text of a formula as a new STRING record, or a
// NULL record on any error; bracket and name errors are shown in boxes
// without an owner.
#include <windows.h>

#include <new>
#include <string>

#include "formula_translator.h"
#include "library_frame.h"
#include "variable.h"

namespace {

void ShowBox(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONSTOP);
}

}  // namespace

KORVEX_EXPORT VARIABLE* WINAPI CALC_TRANSLATE(const char* formula, const char* names) {
  VARIABLE* result = new (std::nothrow) VARIABLE;
  if (!result) return nullptr;
  FormulaTranslator translator(ShowBox);
  std::string postfix;
  if (translator.Translate(formula, names, postfix)) *result = postfix.c_str();
  return result;
}
