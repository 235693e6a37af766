#include "edit_date_state.h"

#include <cstring>

namespace {

bool IsDot(int i) { return i == 2 || i == 5; }

void PutDots(EditDateState& s) {
  s.text[2] = '.';
  s.text[5] = '.';
}

void MoveRight(EditDateState& s) {
  if (s.caret >= s.length) return;
  ++s.caret;
  if (IsDot(s.caret)) ++s.caret;
}

void MoveLeft(EditDateState& s) {
  if (s.caret == 0) return;
  --s.caret;
  if (IsDot(s.caret)) --s.caret;
}

}  // namespace

void ResetEditDate(EditDateState& s) {
  s.caret = 0;
  s.length = 10;
  std::memcpy(s.text, "00.00.0000", sizeof s.text);
}

void SetEditDateText(EditDateState& s, const char* text) {
  if (!text) text = "";
  size_t n = std::strlen(text);
  s.length = n == 8 ? 8 : 10;
  for (size_t i = 0; i < 10; ++i) s.text[i] = i < n ? text[i] : '0';
  s.text[10] = '\0';
  PutDots(s);
  s.caret = 0;
}

KeyEffect EditDateKey(EditDateState& s, UINT key, const char* today) {
  bool atEnd = s.caret >= s.length;
  char& digit = s.text[atEnd ? 0 : s.caret];
  if ((key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) {
    if (atEnd) return KeyEffect::kUnused;
    digit = static_cast<char>(key >= VK_NUMPAD0 ? '0' + (key - VK_NUMPAD0) : key);
    MoveRight(s);
    return KeyEffect::kNotify;
  }
  switch (key) {
    case VK_BACK:
    case VK_LEFT:
      MoveLeft(s);
      return KeyEffect::kQuiet;
    case VK_RIGHT:
      MoveRight(s);
      return KeyEffect::kQuiet;
    case VK_HOME:
      s.caret = 0;
      return KeyEffect::kQuiet;
    case VK_SPACE:
    case VK_INSERT: {
      size_t n = std::strlen(today);
      for (size_t i = 0; i < s.length && i < n; ++i) s.text[i] = today[i];
      PutDots(s);
      return KeyEffect::kQuiet;
    }
    case VK_UP:
      if (atEnd) return KeyEffect::kUnused;
      if (digit >= '0' && digit < '9') ++digit;
      return KeyEffect::kQuiet;
    case VK_DOWN:
      if (atEnd) return KeyEffect::kUnused;
      if (digit > '0' && digit <= '9') --digit;
      return KeyEffect::kQuiet;
    case VK_DELETE:
      for (int i = 0; i < 10; ++i)
        if (!IsDot(i)) s.text[i] = '0';
      s.caret = 0;
      return KeyEffect::kNotify;
    default:
      return KeyEffect::kUnused;
  }
}

int CaretX(const EditDateState& s) {
  int x = 0;
  for (int i = 0; i < s.caret; ++i) x += IsDot(i) ? s.dotWidth : s.digitWidth;
  return x;
}

uint8_t GroupAt(const EditDateState& s, int x) {
  int group = 2 * s.digitWidth + s.dotWidth;
  if (x < group) return 0;
  if (x < 2 * group) return 3;
  return 6;
}
