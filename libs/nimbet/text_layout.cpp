#include "text_layout.h"

#include <cstring>

std::string WrapText(const char* text, int width) {
  std::string out = text;
  if (width < 1) return out;
  size_t w = static_cast<size_t>(width);
  out.clear();
  out.reserve(std::strlen(text) + std::strlen(text) / w + 1);
  const char* rest = text;
  size_t left = std::strlen(text);
  while (left >= w) {
    if (const void* feed = std::memchr(rest, '\n', w)) {
      size_t n = static_cast<size_t>(static_cast<const char*>(feed) - rest) + 1;
      out.append(rest, n);
      rest += n;
      left -= n;
      continue;
    }
    size_t blank = std::string::npos;
    for (size_t i = 0; i <= w && i < left; ++i)
      if (rest[i] == ' ') blank = i;
    size_t line = blank != std::string::npos ? blank : w;
    if (blank == std::string::npos && left == w) break;  // fits as it is
    out.append(rest, line);
    out += '\n';
    if (blank != std::string::npos) ++line;  // the blank became the line feed
    rest += line;
    left -= line;
  }
  out.append(rest, left);
  return out;
}

std::string CyrillicLookAlikes(const char* text) {
  static const char kLatin[] = "ABCEHKMOPTXYabcehkmoptxy";
  static const unsigned char kCyrillic[] = {192, 194, 209, 197, 205, 202, 204, 206, 208, 210, 213, 211,
                                            224, 226, 241, 229, 237, 234, 236, 238, 240, 242, 245, 243};
  std::string out = text;
  for (char& c : out) {
    const char* at = c ? std::strchr(kLatin, c) : nullptr;
    if (at) c = static_cast<char>(kCyrillic[at - kLatin]);
  }
  return out;
}
