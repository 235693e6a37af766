// What one EDITDATE control holds (window long 0), and its keys: the mask
// logic without the window around it.
#pragma once
#include <windows.h>

#include <cstdint>

struct EditDateState {
  HFONT font;
  uint8_t caret;   // index into text; == length after the last digit
  uint8_t length;  // 10, or 8 with a two-digit year
  uint8_t digitWidth;
  uint8_t digitHeight;
  uint8_t dotWidth;
  char text[11];
};

// What a key did: nothing, a change the parent hears of, or another change.
enum class KeyEffect { kUnused, kNotify, kQuiet };

void ResetEditDate(EditDateState& state);
// The text of WM_SETTEXT (null: ""): length 8 for exactly 8 characters,
// else 10; the mask takes at most 10 characters, then '0' digits.
void SetEditDateText(EditDateState& state, const char* text);
// today: the date text of the system locale, used by Space and Insert.
KeyEffect EditDateKey(EditDateState& state, UINT key, const char* today);
// x of the caret's character: digits and dots before it.
int CaretX(const EditDateState& state);
// The group (0, 3 or 6) under x.
uint8_t GroupAt(const EditDateState& state, int x);
