#include "text_coder.h"

#include <windows.h>

namespace {

struct CodeTables {
  uint8_t toAnsi[256];
  uint8_t toOem[256];
  CodeTables() {
    char all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
    OemToCharBuffA(all, reinterpret_cast<char*>(toAnsi), 256);
    CharToOemBuffA(all, reinterpret_cast<char*>(toOem), 256);
  }
};

const CodeTables& Tables() {
  static const CodeTables tables;
  return tables;
}

void Translate(const uint8_t* table, uint8_t* target, const uint8_t* source, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) target[i] = table[source[i]];
}

}  // namespace

void OemToAnsiBytes(uint8_t* target, const uint8_t* source, uint32_t length) {
  Translate(Tables().toAnsi, target, source, length);
}

void AnsiToOemBytes(uint8_t* target, const uint8_t* source, uint32_t length) {
  Translate(Tables().toOem, target, source, length);
}
