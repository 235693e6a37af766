#include <cstring>

#include "blank_helpers.h"
#include "open_base.h"

namespace {
const size_t kSqueezeLimit = 0xFFFF;  // SqueezeBlanks counts in 16 bits
}  // namespace

std::string InputConnectString(const char* connect) {
  if (!connect || !*connect) return std::string();
  std::string text(connect, strnlen(connect, kSqueezeLimit));
  text.resize(SqueezeBlanks(&text[0], static_cast<unsigned>(text.size())));
  std::string input;
  for (const char* key : {"DSN=", "UID=", "PWD="}) {
    size_t at = text.find(key);
    if (at == std::string::npos) continue;
    size_t end = text.find(';', at);
    input.append(text, at, end == std::string::npos ? std::string::npos : end - at);
    input += ';';
  }
  return input;
}

std::string KeyValue(const char* text, const char* key) {
  const char* at = text ? std::strstr(text, key) : nullptr;
  if (!at) return std::string();
  at += std::strlen(key);
  return std::string(at, std::strcspn(at, ";"));
}
