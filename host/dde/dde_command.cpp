#include "dde_command.h"

bool CleanDdeCommand(const char* text, size_t size, std::string& cleaned) {
  cleaned.clear();
  bool quoted = false;
  int open = 0;
  for (size_t i = 0; i < size && text[i]; ++i) {
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || c == '"') {
      cleaned += c;
      continue;
    }
    switch (c) {
      case ' ':
      case '[':
        break;
      case ']':
        if (open != 0) return false;
        cleaned += '\n';
        break;
      case '(':
        ++open;
        cleaned += c;
        break;
      case ')':
        if (--open < 0) return false;
        cleaned += c;
        break;
      default:
        cleaned += c;
        break;
    }
  }
  return !quoted && open == 0;
}
