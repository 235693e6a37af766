// WRITE_MONEY, TEXT_ARANGE and VOLAPUK_TRANSLATE: each result is a new
// record that the host copies and gives back to RELEASE. A null text
// argument (a NULL or 0 from the script) counts as "".
#include <new>
#include <string>

#include "library_frame.h"
#include "money_words.h"
#include "release_export.h"
#include "text_layout.h"
#include "variable.h"

namespace {

const char* Text(const char* argument) { return argument ? argument : ""; }

// A STRING record of the text, null without memory for the record.
VARIABLE* NewText(const std::string& text) {
  VARIABLE* result = new (std::nothrow) VARIABLE;
  if (result) *result = text.c_str();
  return result;
}

}  // namespace

KORVEX_RELEASE_EXPORT(VARIABLE)

// An amount that is no amount gives a NULL value, never wrong words.
KORVEX_EXPORT VARIABLE* WINAPI WRITE_MONEY(const char* amount) {
  try {
    std::string words;
    if (!AmountInWords(amount, words)) return new (std::nothrow) VARIABLE;
    if (!words.empty()) CharUpperBuffA(&words[0], 1);
    return NewText(words);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

KORVEX_EXPORT VARIABLE* WINAPI TEXT_ARANGE(const char* text, long width) {
  try {
    return NewText(WrapText(Text(text), static_cast<int>(width)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

KORVEX_EXPORT VARIABLE* WINAPI VOLAPUK_TRANSLATE(const char* text) {
  try {
    return NewText(CyrillicLookAlikes(Text(text)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
